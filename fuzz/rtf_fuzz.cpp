// Rich-text explanations: any bytes give a document and a plain text, never a
// crash, a hang or a quadratic slowdown (libFuzzer's timeout catches those).
#include "fuzz_support.h"

#include "reports/rtf_reader.h"

#include <QTextDocument>

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    fuzz::ensureGuiApplication();
    const QByteArrayView bytes(data, qsizetype(size));
    looksLikeRtf(bytes);
    QTextDocument document;
    const bool whole = readRtf(bytes, document);
    const QString plain = rtfPlainText(bytes);
    if (!whole)
        return 0; // paragraphs past the cap were dropped
    // Both come from one pass over the same bytes: the same characters, the
    // document keeping line breaks as its own separator.
    QString shown = document.toPlainText();
    shown.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    shown.replace(QChar(QChar::Nbsp), QChar(0x00A0));
    if (shown.size() != plain.size())
        fuzz::broken("the document and the plain text differ in length");
    return 0;
}

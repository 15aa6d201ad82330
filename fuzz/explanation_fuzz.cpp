// Plain-text (and rich-text) explanation files and their answer form: any
// file loads or is refused with an Error; the markers, the term list and the
// replacement of a marker work on whatever text came.
#include "fuzz_support.h"

#include "session/explanation.h"
#include "storage/error.h"

#include <QTextDocument>

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    fuzz::ensureGuiApplication();
    fuzz::Input in(data, size);
    const uint8_t choice = in.byte();
    const QString path = fuzz::scratchFile(QStringLiteral("Foto/x.txt"), in.rest());
    QTextDocument document;
    try {
        loadExplanation(path, document);
    } catch (const Error&) {
        return 0;
    }
    const QStringList lines = documentLines(document);
    const AnswerForm form = answerForm(lines);
    if (form.letterCount < 0 || form.letterCount > 9 || form.markers.size() != form.letterCount)
        fuzz::broken("letter count out of range");
    if (form.letterCount > 0) {
        const QString marker = form.markers[choice % form.letterCount];
        const QString name = form.terms.isEmpty() ? QStringLiteral("ТЕРМИН") : termName(form.terms[choice % form.terms.size()]);
        const int inDocument = replaceMarker(document, marker, name);
        QStringList copy = lines;
        if (replaceMarker(copy, marker, name) != inDocument)
            fuzz::broken("the document and its lines hold the marker a different number of times");
        answerCode(hintCells(name, form.letterCount), form.letterCount);
    }
    return 0;
}

// Colours: colour texts parse to a value whose text parses to the same value;
// the colour file is read or refused with an Error, and setting an entry on
// any file leaves a file that reads back with that entry.
#include "fuzz_support.h"

#include "storage/colours.h"
#include "storage/cp1251.h"
#include "storage/error.h"

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    const QByteArrayView bytes(data, qsizetype(size));
    if (const std::optional<ColourValue> value = parseColourText(cp1251::decode(bytes.first(std::min<qsizetype>(bytes.size(), 40))))) {
        if (parseColourText(colourText(*value)) != value)
            fuzz::broken("a colour's text parses to another colour");
        colourToRgb(*value);
    }

    const QString path = fuzz::scratchFile(QStringLiteral("baza/CwetFona.qkv"), bytes);
    try {
        readColourFile(path);
    } catch (const Error&) {
    }
    try {
        writeColourEntry(path, QStringLiteral("Otwet"), QStringLiteral("$00A0B0C0"));
    } catch (const Error&) {
        return 0;
    }
    try {
        const ColourFile back = readColourFile(path);
        if (back.otwet != parseColourText(u"$00A0B0C0"))
            fuzz::broken("the colour entry written is not read back");
    } catch (const Error&) {
        // Another damaged Form1 line may stay; the entry written is then
        // checked no further.
    }
    return 0;
}

// The code table Baza\Win_Dos.qkv: read or refused with an Error; translating
// keeps the length of a text.
#include "fuzz_support.h"

#include "storage/code_table.h"
#include "storage/error.h"

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::inputFile(QStringLiteral("Baza/Win_Dos.qkv"), data, size);
    try {
        const CodeTable table = readCodeTable(path);
        const QString text = table.source + table.target + QStringLiteral("Проверка");
        if (table.translate(text).size() != text.size())
            fuzz::broken("translation changed the length");
    } catch (const Error&) {
    }
    return 0;
}

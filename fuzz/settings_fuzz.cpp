// The settings file Baza\NoKor.qkv: any bytes are read or refused with an
// Error; settings read whole are written and read back the same.
#include "fuzz_support.h"

#include "storage/error.h"
#include "storage/settings.h"
#include "storage/text_file.h"

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::inputFile(QStringLiteral("Baza/NoKor.qkv"), data, size);
    Settings read;
    try {
        readSettingsFile(path, read);
    } catch (const Error&) {
        return 0;
    }
    const QStringList lines = readTextLines(path).mid(0, 10);
    try {
        writeSettingsFile(path, lines);
    } catch (const Error&) {
        return 0; // a line break inside a line cannot be written back
    }
    Settings back;
    readSettingsFile(path, back);
    if (settingsLines(back) != settingsLines(read))
        fuzz::broken("settings written and read back differ");
    return 0;
}

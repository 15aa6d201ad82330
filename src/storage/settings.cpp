// Reading, creating and rewriting the settings file Baza\NoKor.qkv.
#include "storage/settings.h"

#include "storage/error.h"
#include "storage/shared_files.h"
#include "storage/text.h"
#include "storage/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <optional>

namespace tavel {
namespace {

constexpr int kLineCount = 10;
constexpr int kFirstNumberLine = 5;
constexpr int kOfficeVersionLength = 4;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}


Error notANumber(const QString& path, int lineNo, const QString& text)
{
    return Error(QStringLiteral("Файл %1, строка %2: «%3» не целое число")
                     .arg(native(path))
                     .arg(lineNo)
                     .arg(text));
}

} // namespace

QStringList settingsLines(const Settings& s)
{
    return {
        s.reserved,
        s.userName,
        s.colourText,
        s.officeVersion,
        QString::number(s.questionSeconds),
        QString::number(s.variantSeconds),
        QString::number(s.gradeThree),
        QString::number(s.gradeFour),
        QString::number(s.gradeFive),
        QString::number(s.questionLimit),
    };
}

bool ensureSettingsFile(const InstallFolder& home)
{
    const QString path = home.path(paths::settings, true);
    if (QFileInfo::exists(path))
        return false;
    writeTextLines(path, settingsLines(Settings{}));
    return true;
}

void readSettingsFile(const QString& path, Settings& into)
{
    const QStringList lines = readTextLines(path);
    int* const numbers[] = {&into.questionSeconds, &into.variantSeconds, &into.gradeThree,
                            &into.gradeFour,       &into.gradeFive,      &into.questionLimit};
    for (int lineNo = 1; lineNo <= kLineCount; ++lineNo) {
        if (lineNo > lines.size())
            throw Error(QStringLiteral("Файл %1: нет строки %2 (в файле строк: %3, нужно %4)")
                            .arg(native(path))
                            .arg(lineNo)
                            .arg(lines.size())
                            .arg(kLineCount));
        const QString& line = lines[lineNo - 1];
        switch (lineNo) {
        case 1: into.reserved = line; break;
        case 2: into.userName = line; break;
        case 3: into.colourText = trimmed(line); break;
        case 4: into.officeVersion = line.left(kOfficeVersionLength); break;
        default: {
            const std::optional<int> value = wholeNumber(line);
            if (!value)
                throw notANumber(path, lineNo, line);
            *numbers[lineNo - kFirstNumberLine] = *value;
        }
        }
    }
}

void writeSettingsFile(const QString& path, const QStringList& tenLines)
{
    if (tenLines.size() != kLineCount)
        throw Error(QStringLiteral("Файл %1 не записан: нужно %2 строк, дано %3")
                        .arg(native(path))
                        .arg(kLineCount)
                        .arg(tenLines.size()));
    for (int lineNo = 1; lineNo <= kLineCount; ++lineNo) {
        const QString& line = tenLines[lineNo - 1];
        // A line break inside a value would shift every later line.
        if (line.contains(QLatin1Char('\n')) || line.contains(QLatin1Char('\r')))
            throw Error(QStringLiteral("Файл %1 не записан: строка %2 содержит перевод строки")
                            .arg(native(path))
                            .arg(lineNo));
        // A number line the program could not read back would stop the next
        // start-up; the former file is kept instead.
        if (lineNo >= kFirstNumberLine && !wholeNumber(line))
            throw Error(QStringLiteral("Файл %1 не записан: строка %2 «%3» не целое число")
                            .arg(native(path))
                            .arg(lineNo)
                            .arg(line));
    }
    writeTextLines(path, tenLines);
}

} // namespace tavel

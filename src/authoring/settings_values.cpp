// The settings window's texts, the unlock word and the checks before saving.
#include "authoring/settings_values.h"

#include "storage/error.h"
#include "storage/text.h"
#include "storage/text_file.h"

#include <limits>

namespace tavel {
namespace {

constexpr int kFirstNumberLine = 5;
constexpr int kUnlockLength = 10;

struct Range {
    int least;
    int most;
};
constexpr Range kRanges[kSettingsNumbers] = {
    {1, std::numeric_limits<int>::max()}, {0, std::numeric_limits<int>::max()}, {0, 100},
    {0, 100}, {0, 100}, {1, std::numeric_limits<int>::max()},
};

int* numberField(Settings& s, int number)
{
    int* const fields[] = {&s.questionSeconds, &s.variantSeconds, &s.gradeThree,
                           &s.gradeFour,       &s.gradeFive,      &s.questionLimit};
    return fields[number];
}

// How many of lines 5 to 10, from line 5 on, are whole numbers: the storage
// reader stops at the first that is not.
int leadingNumberLines(const QStringList& lines)
{
    int n = 0;
    while (n < kSettingsNumbers && kFirstNumberLine - 1 + n < lines.size()
           && wholeNumber(lines[kFirstNumberLine - 1 + n]))
        ++n;
    return n;
}

} // namespace

QString settingsNumberCaption(int number)
{
    static const QString captions[kSettingsNumbers] = {
        QStringLiteral("Базовое время каждого  вопроса"), QStringLiteral("Добавка за каждый вариант ответа"),
        QStringLiteral(" >=         3 "), QStringLiteral(" >=         4 "), QStringLiteral(" >=         5 "),
        QStringLiteral("Максимально вопросов в экзамене"),
    };
    return captions[number];
}

SettingsRead readSettingsTexts(const QString& path)
{
    SettingsRead read;
    Settings& s = read.values;
    // The window's own defaults where a line is never reached.
    s.userName.clear();
    s.officeVersion = QStringLiteral("VerOff");
    try {
        readSettingsFile(path, s);
        read.numbersRead = kSettingsNumbers;
    } catch (const Error& e) {
        read.error = e.message();
        try {
            read.numbersRead = leadingNumberLines(readTextLines(path));
        } catch (const Error&) {
            read.numbersRead = 0;
        }
    }
    read.texts.reserved = s.reserved;
    read.texts.userName = s.userName;
    read.texts.officeVersion = s.officeVersion;
    for (int i = 0; i < read.numbersRead; ++i)
        read.texts.numbers[size_t(i)] = QString::number(*numberField(s, i));
    return read;
}

bool unlocksSettings(const QString& answer)
{
    return trimmed(answer.left(kUnlockLength)) == QLatin1String("Vintor");
}

QStringList settingsLinesToWrite(const SettingsTexts& texts, const QString& colourText)
{
    QStringList lines{texts.reserved, texts.userName, colourText, texts.officeVersion};
    for (int i = 0; i < kSettingsNumbers; ++i) {
        const QString& text = texts.numbers[size_t(i)];
        const std::optional<int> value = wholeNumber(text);
        const Range range = kRanges[i];
        const QString box = QStringLiteral("В поле «%1» (строка %2 файла настроек)")
                                .arg(trimmed(settingsNumberCaption(i)))
                                .arg(kFirstNumberLine + i);
        if (!value)
            throw Error(QStringLiteral("%1 «%2» не целое число. Настройки не записаны, прежний файл сохранён.")
                            .arg(box, text));
        if (*value < range.least || *value > range.most) {
            const QString allowed = range.most == std::numeric_limits<int>::max()
                ? QStringLiteral("не меньше %1").arg(range.least)
                : QStringLiteral("от %1 до %2").arg(range.least).arg(range.most);
            throw Error(QStringLiteral("%1 должно быть %2, а там «%3». Настройки не записаны, прежний файл сохранён.")
                            .arg(box, allowed, text));
        }
        lines << text;
    }
    return lines;
}

void saveSettingsTexts(const QString& path, const SettingsTexts& texts, const QString& colourText)
{
    writeSettingsFile(path, settingsLinesToWrite(texts, colourText));
}

} // namespace tavel

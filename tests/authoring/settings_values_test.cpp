// The settings window's values: the unlock word, the boxes read from the file
// up to a bad line, and the checks that keep the former file.
#include "authoring/settings_values.h"
#include "storage/text_file.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;
using tavel::test::errorOf;

namespace {

QStringList fileLines(const QString& line7)
{
    return {"x", "Иванов", "$00FF0000", "2010", " 600", "60", line7, "75", "90", "40"};
}

SettingsTexts goodTexts()
{
    SettingsTexts texts;
    texts.reserved = QStringLiteral("первая");
    texts.userName = QStringLiteral("Петров");
    texts.officeVersion = QStringLiteral("2016");
    texts.numbers = {"300", "0", "50", "70", "100", "20"};
    return texts;
}

} // namespace

TEST(SettingsValues, TheWordIsCutToTenCharactersAndTrimmed)
{
    const std::pair<const char*, bool> cases[] = {
        {"Vintor", true},       {"  Vintor  ", true}, {"Vintor    tail", true}, {"\tVintor", true},
        {"   Vintor12", false}, {"vintor", false},    {"Vintor1", false},       {"", false},
    };
    for (const auto& [typed, unlocks] : cases)
        EXPECT_EQ(unlocksSettings(QString::fromUtf8(typed)), unlocks) << typed;
}

TEST(SettingsValues, ReadingStopsAtABadLineAndLaterBoxesKeepTheirDefaults)
{
    TempHome t;
    writeTextLines(t.path("NoKor.qkv"), fileLines(QStringLiteral("полсотни")));
    const SettingsRead read = readSettingsTexts(t.path("NoKor.qkv"));
    EXPECT_EQ(read.texts.reserved, QStringLiteral("x"));
    EXPECT_EQ(read.texts.userName, QStringLiteral("Иванов"));
    EXPECT_EQ(read.texts.officeVersion, QStringLiteral("2010"));
    EXPECT_EQ(read.numbersRead, 2);
    EXPECT_EQ(read.texts.numbers, (std::array<QString, 6>{"600", "60", "50", "70", "85", "5"}));
    ASSERT_TRUE(read.error);
    EXPECT_TRUE(read.error->contains(QStringLiteral("строка 7"))) << read.error->toStdString();

    writeTextLines(t.path("NoKor.qkv"), fileLines(QStringLiteral("55")));
    const SettingsRead whole = readSettingsTexts(t.path("NoKor.qkv"));
    EXPECT_FALSE(whole.error);
    EXPECT_EQ(whole.numbersRead, 6);
    EXPECT_EQ(whole.texts.numbers[5], QStringLiteral("40"));

    const SettingsRead missing = readSettingsTexts(t.path("none.qkv"));
    EXPECT_EQ(missing.numbersRead, 0);
    EXPECT_EQ(missing.texts.officeVersion, QStringLiteral("VerOff"));
    EXPECT_TRUE(missing.error && missing.error->contains(QStringLiteral("none.qkv")));
}

TEST(SettingsValues, SaveWritesTheTenLinesAsTyped)
{
    TempHome t;
    SettingsTexts texts = goodTexts();
    texts.numbers[0] = QStringLiteral(" 300 ");
    saveSettingsTexts(t.path("NoKor.qkv"), texts, QStringLiteral("$0000FF00"));
    EXPECT_EQ(readTextLines(t.path("NoKor.qkv")),
              (QStringList{"первая", "Петров", "$0000FF00", "2016", " 300 ", "0", "50", "70", "100", "20"}));
}

TEST(SettingsValues, ABoxThatCouldNotBeReadBackKeepsTheFormerFileAndIsNamed)
{
    TempHome t;
    writeTextLines(t.path("NoKor.qkv"), fileLines(QStringLiteral("55")));
    const QByteArray before = t.read("NoKor.qkv");
    const struct {
        int box;
        const char* text;
        const char* part;
    } cases[] = {
        {BaseSeconds, "девятьсот", "«Базовое время каждого  вопроса» (строка 5 файла настроек) «девятьсот» не целое"},
        {VariantSeconds, "", "«Добавка за каждый вариант ответа» (строка 6"},
        {GradeFour, "101", "«>=         4» (строка 8 файла настроек) должно быть от 0 до 100, а там «101»"},
        {BaseSeconds, "0", "должно быть не меньше 1, а там «0»"},
        {QuestionLimit, "-3", "«Максимально вопросов в экзамене» (строка 10"},
    };
    for (const auto& c : cases) {
        SettingsTexts texts = goodTexts();
        texts.numbers[size_t(c.box)] = QString::fromUtf8(c.text);
        const QString message = errorOf([&] { saveSettingsTexts(t.path("NoKor.qkv"), texts, "$00000000"); });
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.part))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("прежний файл сохранён")));
    }
    EXPECT_EQ(t.read("NoKor.qkv"), before);
}

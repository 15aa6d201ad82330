// The settings file Baza\NoKor.qkv: creation, reading rules, rewriting.
#include "storage/error.h"
#include "storage/settings.h"
#include "storage/shared_files.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::cp;
using tavel::test::errorOf;
using tavel::test::TempHome;

namespace {

QStringList goodLines()
{
    return {QStringLiteral("резерв"), QStringLiteral("Иванов"), QStringLiteral("clAqua"), QStringLiteral("2010"),
            QStringLiteral("30"),     QStringLiteral("5"),      QStringLiteral("40"),     QStringLiteral("60"),
            QStringLiteral("90"),     QStringLiteral("25")};
}

QByteArray fileOf(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += cp(l) + "\r\n";
    return bytes;
}

// Values no line of goodLines() holds, to see which fields a read reached.
Settings untouched()
{
    Settings s;
    s.userName = QStringLiteral("-");
    s.questionSeconds = s.variantSeconds = s.gradeThree = s.gradeFour = s.gradeFive = s.questionLimit = -7;
    return s;
}

} // namespace

TEST(SettingsFile, CreatedWithDefaultsWhenMissingAndReadBack)
{
    TempHome t;
    EXPECT_TRUE(ensureSettingsFile(t.home()));
    EXPECT_EQ(t.read("Baza/NoKor.qkv"),
              "\r\n" + cp(QStringLiteral("ЦЦЦ")) + "\r\n$00D2D9DB\r\n2003\r\n900\r\n120\r\n50\r\n70\r\n85\r\n500\r\n");

    Settings s = untouched();
    readSettingsFile(t.home().path(paths::settings), s);
    EXPECT_EQ(s.userName, QStringLiteral("ЦЦЦ"));
    EXPECT_EQ(s.colourText, QStringLiteral("$00D2D9DB"));
    EXPECT_EQ(s.officeVersion, QStringLiteral("2003"));
    EXPECT_EQ(s.questionSeconds, 900);
    EXPECT_EQ(s.variantSeconds, 120);
    EXPECT_EQ(s.gradeThree, 50);
    EXPECT_EQ(s.gradeFour, 70);
    EXPECT_EQ(s.gradeFive, 85);
    EXPECT_EQ(s.questionLimit, 500);
}

TEST(SettingsFile, ExistingFileIsLeftAloneEvenInALowerCaseFolder)
{
    TempHome t;
    t.write("baza/NoKor.qkv", "mine");
    EXPECT_FALSE(ensureSettingsFile(t.home()));
    EXPECT_EQ(t.read("baza/NoKor.qkv"), "mine");
    EXPECT_FALSE(t.exists("Baza"));
}

TEST(SettingsFile, LinesAreReadByTheirRules)
{
    TempHome t;
    QStringList lines = goodLines();
    lines[1] = QStringLiteral("  Петров П. ");
    lines[2] = QStringLiteral("  $00D2D9DB\t");
    lines[3] = QStringLiteral("2003 или другая");
    lines[4] = QStringLiteral("   45  ");
    lines[5] = QStringLiteral("\t7\t");
    lines[9] = QStringLiteral("+12");
    t.write("Baza/NoKor.qkv", fileOf(lines) + cp(QStringLiteral("лишняя строка\r\n")));

    Settings s = untouched();
    readSettingsFile(t.path("Baza/NoKor.qkv"), s);
    EXPECT_EQ(s.reserved, QStringLiteral("резерв"));
    EXPECT_EQ(s.userName, QStringLiteral("  Петров П. "));
    EXPECT_EQ(s.colourText, QStringLiteral("$00D2D9DB"));
    EXPECT_EQ(s.officeVersion, QStringLiteral("2003"));
    EXPECT_EQ(s.questionSeconds, 45);
    EXPECT_EQ(s.variantSeconds, 7);
    EXPECT_EQ(s.gradeThree, 40);
    EXPECT_EQ(s.questionLimit, 12);
}

TEST(SettingsFile, NumberLineThatIsNotAWholeNumberNamesFileAndLine)
{
    const QString bad[] = {QString(), QStringLiteral("   "), QStringLiteral("abc"), QStringLiteral("12abc"),
                           QStringLiteral("1.5"), QStringLiteral("1 2"), QStringLiteral("99999999999"),
                           QStringLiteral("девять")};
    for (int lineNo = 5; lineNo <= 10; ++lineNo) {
        for (const QString& text : bad) {
            SCOPED_TRACE(lineNo);
            SCOPED_TRACE(text.toStdString());
            TempHome t;
            QStringList lines = goodLines();
            lines[lineNo - 1] = text;
            t.write("Baza/NoKor.qkv", fileOf(lines));

            Settings s = untouched();
            const QString message = errorOf([&] { readSettingsFile(t.path("Baza/NoKor.qkv"), s); });
            EXPECT_TRUE(message.contains(QStringLiteral("NoKor.qkv"))) << message.toStdString();
            EXPECT_TRUE(message.contains(QStringLiteral("строка %1:").arg(lineNo))) << message.toStdString();
            // Lines before the bad one were taken; the bad one and later ones not.
            EXPECT_EQ(s.userName, QStringLiteral("Иванов"));
            EXPECT_EQ(s.questionSeconds, lineNo > 5 ? 30 : -7);
            EXPECT_EQ(s.gradeFive, lineNo > 9 ? 90 : -7);
            EXPECT_EQ(s.questionLimit, -7);
        }
    }
}

TEST(SettingsFile, ShortFileNamesTheMissingLine)
{
    for (int count = 0; count < 10; ++count) {
        SCOPED_TRACE(count);
        TempHome t;
        t.write("Baza/NoKor.qkv", fileOf(goodLines().mid(0, count)));
        Settings s = untouched();
        const QString message = errorOf([&] { readSettingsFile(t.path("Baza/NoKor.qkv"), s); });
        EXPECT_TRUE(message.contains(QStringLiteral("NoKor.qkv"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("нет строки %1 ").arg(count + 1))) << message.toStdString();
        EXPECT_EQ(s.gradeThree, count >= 7 ? 40 : -7);
        EXPECT_EQ(s.questionLimit, -7);
    }
}

TEST(SettingsFile, MissingFileIsAnErrorNamingIt)
{
    TempHome t;
    Settings s;
    const QString message = errorOf([&] { readSettingsFile(t.path("Baza/NoKor.qkv"), s); });
    EXPECT_TRUE(message.contains(QStringLiteral("NoKor.qkv"))) << message.toStdString();
}

TEST(SettingsFile, WrittenAsTypedAndReadBack)
{
    TempHome t;
    QStringList lines = goodLines();
    lines[4] = QStringLiteral(" 45 ");
    lines[9] = QStringLiteral("300");
    t.write("Baza/NoKor.qkv", "old");
    writeSettingsFile(t.path("Baza/NoKor.qkv"), lines);
    EXPECT_EQ(t.read("Baza/NoKor.qkv"), fileOf(lines));

    Settings s;
    readSettingsFile(t.path("Baza/NoKor.qkv"), s);
    EXPECT_EQ(s.userName, QStringLiteral("Иванов"));
    EXPECT_EQ(s.questionSeconds, 45);
    EXPECT_EQ(s.questionLimit, 300);

    Settings custom;
    custom.reserved = QStringLiteral("x");
    custom.questionLimit = 17;
    writeSettingsFile(t.path("Baza/NoKor.qkv"), settingsLines(custom));
    Settings back;
    readSettingsFile(t.path("Baza/NoKor.qkv"), back);
    EXPECT_EQ(back.reserved, QStringLiteral("x"));
    EXPECT_EQ(back.questionLimit, 17);
}

TEST(SettingsFile, WriteThatCouldNotBeReadBackKeepsTheFormerFile)
{
    TempHome t;
    const QByteArray former = fileOf(goodLines());
    t.write("Baza/NoKor.qkv", former);

    QStringList notNumber = goodLines();
    notNumber[7] = QStringLiteral("семьдесят");
    QStringList lineBreak = goodLines();
    lineBreak[1] = QStringLiteral("Иванов\r\nПетров");
    const QStringList cases[] = {notNumber, lineBreak, goodLines().mid(0, 9), goodLines() + QStringList{"1"}};
    const char* const expected[] = {"строка 8", "строка 2", "10", "10"};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const QString message = errorOf([&] { writeSettingsFile(t.path("Baza/NoKor.qkv"), cases[i]); });
        EXPECT_TRUE(message.contains(QStringLiteral("NoKor.qkv"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(expected[i]))) << message.toStdString();
        EXPECT_EQ(t.read("Baza/NoKor.qkv"), former);
    }
}

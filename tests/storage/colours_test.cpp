// Colour text in both forms and the colour file baza\CwetFona.qkv.
#include "storage/colours.h"
#include "storage/error.h"
#include "storage/shared_files.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::errorOf;
using tavel::test::TempHome;

namespace {

constexpr ColourValue sys(int index)
{
    return static_cast<ColourValue>(0x80000000u | static_cast<quint32>(index));
}

} // namespace

TEST(ColourText, HexFormIsZeroBlueGreenRed)
{
    const std::optional<ColourValue> c = parseColourText(u"$00D2D9DB");
    ASSERT_TRUE(c);
    EXPECT_EQ(*c, 0x00D2D9DB);
    EXPECT_EQ(*c, colourFromRgb(0xDB, 0xD9, 0xD2));
    EXPECT_EQ(colourToRgb(*c), 0xDBD9D2u);
    EXPECT_EQ(colourText(*c), QStringLiteral("$00D2D9DB"));
    EXPECT_EQ(parseColourText(u" $00d2d9db "), 0x00D2D9DB);
    EXPECT_EQ(colourText(0x00010203), QStringLiteral("$00010203"));
    EXPECT_EQ(parseColourText(u"$FF"), 0xFF);
    EXPECT_EQ(parseColourText(u"0x80"), 0x80);
    EXPECT_EQ(parseColourText(u"255"), 0xFF);
    EXPECT_EQ(parseColourText(u"-1"), -1);
    EXPECT_EQ(parseColourText(u"$80000005"), sys(5));
}

TEST(ColourText, StandardNamesBothWays)
{
    struct Case {
        const char16_t* name;
        ColourValue value;
        quint32 rgb;
    };
    const Case cases[] = {
        {u"clBlack", 0x000000, 0x000000},        {u"clMaroon", 0x000080, 0x800000},
        {u"clNavy", 0x800000, 0x000080},         {u"clRed", 0x0000FF, 0xFF0000},
        {u"clBlue", 0xFF0000, 0x0000FF},         {u"clAqua", 0xFFFF00, 0x00FFFF},
        {u"clMoneyGreen", 0xC0DCC0, 0xC0DCC0},   {u"clSkyBlue", 0xF0CAA6, 0xA6CAF0},
        {u"clCream", 0xF0FBFF, 0xFFFBF0},        {u"clMedGray", 0xA4A0A0, 0xA0A0A4},
        {u"clScrollBar", sys(0), 0xC8C8C8},      {u"clWindow", sys(5), 0xFFFFFF},
        {u"clWindowText", sys(8), 0x000000},     {u"clBtnFace", sys(15), 0xF0F0F0},
        {u"clInactiveCaptionText", sys(19), 0x434E54},
        {u"cl3DDkShadow", sys(21), 0x696969},    {u"clInfoBk", sys(24), 0xFFFFE1},
        {u"clNone", 0x1FFFFFFF, 0xFFFFFF},       {u"clDefault", 0x20000000, 0xF0F0F0},
    };
    for (const Case& c : cases) {
        const QString name = QString::fromUtf16(c.name);
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(parseColourText(name), c.value);
        EXPECT_EQ(parseColourText(name.toUpper()), c.value);
        EXPECT_EQ(parseColourText(QString(QStringLiteral("  ") + name.toLower() + QStringLiteral(" "))), c.value);
        EXPECT_EQ(colourText(c.value), name);
        EXPECT_EQ(colourToRgb(c.value), c.rgb);
    }
    // A value that is a standard colour is written by its name.
    EXPECT_EQ(colourText(colourFromRgb(255, 0, 0)), QStringLiteral("clRed"));
    EXPECT_EQ(*parseColourText(u"$000000FF"), *parseColourText(u"clRed"));
}

TEST(ColourText, TextThatIsNoColour)
{
    const char16_t* const bad[] = {u"",          u"   ",        u"cl",         u"clRedd",    u"Red",
                                   u"$",         u"$1G",        u"$100000000", u"00D2D9DBx", u"--1",
                                   u"2147483648", u"clBtn Face", u"$00D2 D9DB", u"красный"};
    for (const char16_t* text : bad) {
        SCOPED_TRACE(QString::fromUtf16(text).toStdString());
        EXPECT_FALSE(parseColourText(QString::fromUtf16(text)));
    }
}

TEST(ColourFile, FormAndAnswerLinesSetTheirColours)
{
    TempHome t;
    t.write("baza/CwetFona.qkv", "Form1 clRed\r\nOtwet $00D2D9DB\r\nKnopka nonsense\r\n"
                                 "Form1   clBlue   \r\n\r\nOtwetX  clInactiveCaptionText\r\n");
    const ColourFile f = readColourFile(t.path("baza/CwetFona.qkv"));
    EXPECT_EQ(f.form1, 0xFF0000); // the last Form1 line wins
    EXPECT_EQ(f.otwet, sys(19));

    t.write("baza/CwetFona.qkv", "Knopka clRed\r\n");
    const ColourFile none = readColourFile(t.path("baza/CwetFona.qkv"));
    EXPECT_FALSE(none.form1);
    EXPECT_FALSE(none.otwet);
}

TEST(ColourFile, BadColourNamesFileAndLine)
{
    const char* const files[] = {"Knopka x\r\nForm1 clRad\r\n", "Otwet $00D2D9DB\r\nOtwet\r\n",
                                 "Form1 $00D2D9DB $00D2D9DB\r\nForm1 clRed\r\n"};
    const int lines[] = {2, 2, 1};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        TempHome t;
        t.write("baza/CwetFona.qkv", files[i]);
        const QString message = errorOf([&] { readColourFile(t.path("baza/CwetFona.qkv")); });
        EXPECT_TRUE(message.contains(QStringLiteral("CwetFona.qkv"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("строка %1:").arg(lines[i]))) << message.toStdString();
    }
}

TEST(ColourFile, CreatedEmptyWhenMissing)
{
    TempHome t;
    t.write("Baza/Papka.dat", "");
    EXPECT_TRUE(ensureColourFile(t.home()));
    EXPECT_TRUE(t.exists("Baza/CwetFona.qkv")); // the existing folder's spelling
    EXPECT_EQ(t.read("Baza/CwetFona.qkv"), QByteArray());
    const ColourFile f = readColourFile(t.home().path(paths::colours));
    EXPECT_FALSE(f.form1);
    EXPECT_FALSE(f.otwet);

    t.write("Baza/CwetFona.qkv", "Form1 clRed\r\n");
    EXPECT_FALSE(ensureColourFile(t.home()));
    EXPECT_EQ(t.read("Baza/CwetFona.qkv"), "Form1 clRed\r\n");
}

TEST(ColourFile, WritingAnEntryKeepsTheOthersInOrder)
{
    TempHome t;
    const QString path = t.path("baza/CwetFona.qkv");
    t.write("baza/CwetFona.qkv", "Otwet clRed\r\nForm1   clBlue  \r\n\r\nZzz $00123456 old\r\nLone\r\n");
    writeColourEntry(path, QStringLiteral("Form1"), QStringLiteral(" $00D2D9DB "));
    EXPECT_EQ(t.read("baza/CwetFona.qkv"), "Otwet clRed\r\nForm1 $00D2D9DB\r\nZzz $00123456 old\r\nLone \r\n");

    writeColourEntry(path, QStringLiteral("Menu"), QStringLiteral("clAqua"));
    EXPECT_EQ(t.read("baza/CwetFona.qkv"),
              "Otwet clRed\r\nForm1 $00D2D9DB\r\nZzz $00123456 old\r\nLone \r\nMenu clAqua\r\n");
    EXPECT_EQ(readColourFile(path).form1, 0x00D2D9DB);
}

TEST(ColourFile, MoreThanTenEntriesAreAllKept)
{
    TempHome t;
    QByteArray bytes;
    for (int i = 1; i <= 12; ++i)
        bytes += "Okno" + QByteArray::number(i) + " clWhite\r\n";
    t.write("baza/CwetFona.qkv", bytes);
    writeColourEntry(t.path("baza/CwetFona.qkv"), QStringLiteral("Okno12"), QStringLiteral("clBlack"));
    writeColourEntry(t.path("baza/CwetFona.qkv"), QStringLiteral("Otwet"), QStringLiteral("clInactiveCaptionText"));
    bytes.replace("Okno12 clWhite", "Okno12 clBlack");
    EXPECT_EQ(t.read("baza/CwetFona.qkv"), bytes + "Otwet clInactiveCaptionText\r\n");
    EXPECT_EQ(readColourFile(t.path("baza/CwetFona.qkv")).otwet, sys(19));
}

TEST(ColourFile, EveryEntryOfTheNameTakesTheColour)
{
    TempHome t;
    t.write("baza/CwetFona.qkv", "Form1 clRed\r\nOtwet clLime\r\nForm1 clBlue\r\n");
    writeColourEntry(t.path("baza/CwetFona.qkv"), QStringLiteral("Form1"), QStringLiteral("clTeal"));
    EXPECT_EQ(t.read("baza/CwetFona.qkv"), "Form1 clTeal\r\nOtwet clLime\r\nForm1 clTeal\r\n");
    // A later line that the reader also takes for the window.
    t.write("baza/CwetFona.qkv", "Otwet clRed\r\nOtwet0 $0\r\n");
    writeColourEntry(t.path("baza/CwetFona.qkv"), QStringLiteral("Otwet"), QStringLiteral("clTeal"));
    EXPECT_EQ(readColourFile(t.path("baza/CwetFona.qkv")).otwet, parseColourText(u"clTeal"));
}

TEST(ColourFile, WriteCreatesAMissingFile)
{
    TempHome t;
    t.write("baza/other", "");
    writeColourEntry(t.path("baza/CwetFona.qkv"), QStringLiteral("Otwet"), QStringLiteral("clYellow"));
    EXPECT_EQ(t.read("baza/CwetFona.qkv"), "Otwet clYellow\r\n");
}

TEST(ColourFile, WriteThatCouldNotBeReadBackKeepsTheFile)
{
    TempHome t;
    const QByteArray former = "Form1 clRed\r\n";
    t.write("baza/CwetFona.qkv", former);
    const QString path = t.path("baza/CwetFona.qkv");
    const QString names[] = {QStringLiteral("Form1"), QStringLiteral(""), QStringLiteral("Form 1")};
    const QString colours[] = {QStringLiteral("красный"), QStringLiteral("clRed"), QStringLiteral("clRed")};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const QString message = errorOf([&] { writeColourEntry(path, names[i], colours[i]); });
        EXPECT_TRUE(message.contains(QStringLiteral("CwetFona.qkv"))) << message.toStdString();
        EXPECT_EQ(t.read("baza/CwetFona.qkv"), former);
    }
}

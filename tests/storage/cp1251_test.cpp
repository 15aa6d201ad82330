// The Windows-1251 codec against the C library's own converter, byte by byte.
#include "storage/cp1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

using namespace tavel;

namespace {

// The UTF-32 code point iconv gives for one Windows-1251 byte, or -1 when it
// has none.
long iconvCodePoint(unsigned char byte)
{
    iconv_t cd = iconv_open("UTF-32LE", "WINDOWS-1251");
    if (cd == iconv_t(-1))
        return -2;
    char in[1] = {char(byte)};
    unsigned char out[8] = {};
    char* inp = in;
    char* outp = reinterpret_cast<char*>(out);
    size_t inLeft = 1, outLeft = sizeof out;
    const size_t rc = iconv(cd, &inp, &inLeft, &outp, &outLeft);
    iconv_close(cd);
    if (rc == size_t(-1) || outLeft != 4)
        return -1;
    return long(out[0]) | long(out[1]) << 8 | long(out[2]) << 16 | long(out[3]) << 24;
}

} // namespace

TEST(Cp1251, EveryByteDecodesAsIconvDoesAndEncodesBack)
{
    int undefined = 0;
    for (int b = 0; b < 256; ++b) {
        const long expected = iconvCodePoint(static_cast<unsigned char>(b));
        ASSERT_NE(expected, -2) << "iconv cannot convert from WINDOWS-1251";
        const char16_t got = cp1251::toUnicode(static_cast<unsigned char>(b));
        if (expected == -1) {
            // Only 0x98 is undefined in the code page; it survives as U+0098.
            EXPECT_EQ(b, 0x98);
            EXPECT_EQ(got, char16_t(0x98));
            ++undefined;
        } else {
            EXPECT_EQ(long(got), expected) << "byte " << b;
        }
        const QByteArray back = cp1251::encode(QString(QChar(got)));
        ASSERT_EQ(back.size(), 1);
        EXPECT_EQ(static_cast<unsigned char>(back[0]), b) << "byte " << b;
    }
    EXPECT_LE(undefined, 1);
}

TEST(Cp1251, TextRoundTripsAndUnmappableBecomesQuestionMark)
{
    const QString text = QStringLiteral("Ёжик в тумане № 5 — «цитата»");
    int bad = -1;
    const QByteArray bytes = cp1251::encode(text, &bad);
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(bytes.size(), text.size());
    EXPECT_EQ(cp1251::decode(bytes), text);
    EXPECT_TRUE(cp1251::canEncode(text));

    const QString foreign = QStringLiteral("α日x");
    EXPECT_FALSE(cp1251::canEncode(foreign));
    EXPECT_EQ(cp1251::encode(foreign, &bad), QByteArray("??x"));
    EXPECT_EQ(bad, 2);
}

// Texts are encoded eight characters at a time where they are ASCII or А..я:
// every UTF-16 unit, standing last behind seven letters, gets the byte it
// gets alone, and only the unmappable ones are counted.
TEST(Cp1251, EveryCharacterAmongLettersEncodesAsAlone)
{
    QString text;
    QByteArray expected;
    int expectedBad = 0;
    for (int u = 0; u <= 0xFFFF; ++u) {
        text += QStringLiteral("абвгдея") + QChar(char16_t(u));
        int bad = 0;
        expected += "\xE0\xE1\xE2\xE3\xE4\xE5\xFF" + cp1251::encode(QString(QChar(char16_t(u))), &bad);
        expectedBad += bad;
    }
    int bad = -1;
    const QByteArray bytes = cp1251::encode(text, &bad);
    ASSERT_EQ(bytes.size(), expected.size());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(bytes[i], expected[i]) << "unit " << i / 8 << " place " << i % 8;
    EXPECT_EQ(bad, expectedBad);
    EXPECT_EQ(expectedBad, 0x10000 - 256); // each byte, 0x98 too, stands for one unit
}

TEST(Cp1251, LowerCaseFollowsTheCodePage)
{
    EXPECT_EQ(cp1251::toLower(u"ЁЛКА Ёлка ABC Ґ Ї Ў"), QStringLiteral("ёлка ёлка abc ґ ї ў"));
    EXPECT_EQ(cp1251::toLower(u"1941-1945, ПЁТР I."), QStringLiteral("1941-1945, пётр i."));
    // Characters that are not letters of the code page stay as they are.
    EXPECT_EQ(cp1251::toLower(u"ΑΒ№"), QStringLiteral("ΑΒ№"));
}

// The RTF reader: text, formats, escapes, skipped destinations and broken input.
#include "text/rtf_reader.h"

#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

using namespace tavel;

namespace {

QByteArray rtf(const char* body)
{
    return QByteArray("{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fcharset204 Times New Roman;}}"
                      "{\\colortbl ;\\red255\\green0\\blue0;}")
        + body + "}";
}

struct TextRun {
    QString text;
    QTextCharFormat format;
};

// The runs of a document in order, paragraph ends as runs of "\n".
std::vector<TextRun> runsOf(const QTextDocument& document)
{
    std::vector<TextRun> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            runs.push_back({QStringLiteral("\n"), {}});
        for (auto it = block.begin(); !it.atEnd(); ++it)
            runs.push_back({it.fragment().text(), it.fragment().charFormat()});
    }
    return runs;
}

const TextRun* runWith(const std::vector<TextRun>& runs, const QString& text)
{
    for (const TextRun& run : runs)
        if (run.text == text)
            return &run;
    return nullptr;
}

} // namespace

TEST(RtfSignature, RecognisesRtfOnly)
{
    EXPECT_TRUE(looksLikeRtf("{\\rtf1\\ansi x}"));
    EXPECT_TRUE(looksLikeRtf("\xEF\xBB\xBF \r\n{\\rtf1}"));
    EXPECT_FALSE(looksLikeRtf("Список"));
    EXPECT_FALSE(looksLikeRtf("{\\rt"));
    EXPECT_FALSE(looksLikeRtf(""));
}

TEST(RtfText, ParagraphsEscapesAndSpecialCharacters)
{
    // "Привет" in Windows-1251 escapes, a \u character with its fallback "?",
    // a negative \u (U+F0E0 written as -3872), escaped braces and backslash.
    const QByteArray bytes = rtf("\\pard \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2\\par "
                                 "a\\u1071?b\\uc2\\u-3872??c\\uc0\\u1103 d\\par "
                                 "\\{x\\}\\\\y\\tab z\\~w\\-v\\_u\\line end\\par\n");
    const QString text = rtfPlainText(bytes);
    EXPECT_EQ(text, QStringLiteral("Привет\naЯb") + QChar(0xF0E0) + QStringLiteral("cяd\n{x}\\y\tz")
                  + QChar(0x00A0) + QStringLiteral("wv") + QChar(0x2011) + QStringLiteral("u\nend"));
}

TEST(RtfText, LastParagraphMarkLeavesNoEmptyLineButInnerEmptyLinesStay)
{
    EXPECT_EQ(rtfPlainText(rtf("a\\par\\par b\\par")), QStringLiteral("a\n\nb"));
    EXPECT_EQ(rtfPlainText(rtf("a\\par\\par")), QStringLiteral("a\n"));
    QTextDocument document;
    readRtf(rtf("one\\par two\\par"), document);
    EXPECT_EQ(document.blockCount(), 2);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("one\ntwo"));
}

TEST(RtfText, DestinationsAndUnknownGroupsAreSkipped)
{
    const QByteArray bytes = rtf("{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}"
                                 "{\\header head}{\\footer foot}{\\*\\generator Gen;}"
                                 "{\\pict\\wmetafile8 0102030405}{\\*\\unknown hidden}"
                                 "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt shown}}"
                                 "{\\object{\\*\\objdata 00}}"
                                 "\\bin4 {}\\\\ after");
    EXPECT_EQ(rtfPlainText(bytes), QStringLiteral("shown after"));
}

TEST(RtfFormat, BoldItalicUnderlineSizeAndGroupsRestore)
{
    QTextDocument document;
    readRtf(rtf("\\fs20 plain {\\b bold {\\i both}} \\ul under\\ulnone  \\i italic\\i0  \\fs36 big"
                "\\par\\pard\\qc centred\\par \\b1 strong\\b0  weak\\plain  reset"),
            document);
    const auto runs = runsOf(document);
    const TextRun* plain = runWith(runs, QStringLiteral("plain "));
    const TextRun* bold = runWith(runs, QStringLiteral("bold "));
    const TextRun* both = runWith(runs, QStringLiteral("both"));
    const TextRun* under = runWith(runs, QStringLiteral("under"));
    const TextRun* italic = runWith(runs, QStringLiteral("italic"));
    const TextRun* big = runWith(runs, QStringLiteral("big"));
    const TextRun* strong = runWith(runs, QStringLiteral("strong"));
    const TextRun* weak = runWith(runs, QStringLiteral(" weak"));
    ASSERT_TRUE(plain && bold && both && under && italic && big && strong && weak);
    EXPECT_EQ(plain->format.fontWeight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(plain->format.fontPointSize(), 10.0);
    EXPECT_EQ(bold->format.fontWeight(), QFont::Bold);
    EXPECT_FALSE(bold->format.fontItalic());
    EXPECT_EQ(both->format.fontWeight(), QFont::Bold);
    EXPECT_TRUE(both->format.fontItalic());
    EXPECT_TRUE(under->format.fontUnderline());
    EXPECT_EQ(under->format.fontWeight(), QFont::Normal); // the group closed
    EXPECT_TRUE(italic->format.fontItalic());
    EXPECT_FALSE(italic->format.fontUnderline());
    EXPECT_DOUBLE_EQ(big->format.fontPointSize(), 18.0);
    EXPECT_EQ(strong->format.fontWeight(), QFont::Bold);
    EXPECT_EQ(weak->format.fontWeight(), QFont::Normal);
    const TextRun* reset = runWith(runs, QStringLiteral(" reset"));
    ASSERT_TRUE(reset);
    EXPECT_FALSE(reset->format.hasProperty(QTextFormat::FontPointSize)); // \plain: default size

    ASSERT_EQ(document.blockCount(), 3);
    EXPECT_EQ(document.findBlockByNumber(0).blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_EQ(document.findBlockByNumber(1).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(document.findBlockByNumber(2).blockFormat().alignment(), Qt::AlignHCenter);
}

TEST(RtfBroken, TruncatedAndUnbalancedInputGivesWhatCanBeRead)
{
    EXPECT_EQ(rtfPlainText("{\\rtf1 abc\\par de"), QStringLiteral("abc\nde"));
    EXPECT_EQ(rtfPlainText("{\\rtf1 ab\\'c"), QStringLiteral("ab"));
    EXPECT_EQ(rtfPlainText("{\\rtf1 ab\\"), QStringLiteral("ab"));
    EXPECT_EQ(rtfPlainText("{\\rtf1 ab\\u"), QStringLiteral("ab"));
    EXPECT_EQ(rtfPlainText("{\\rtf1 a}} b"), QStringLiteral("a"));   // text after the end
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\'zz b}"), QStringLiteral("azz b"));
    EXPECT_EQ(rtfPlainText("{\\rtf1 {\\fonttbl x"), QString());
}

TEST(RtfBroken, HugeNumbersAreClamped)
{
    // An out-of-range \u gives no character; its one fallback character is dropped.
    EXPECT_EQ(rtfPlainText("{\\rtf1 a\\u99999999999999999999 xb}"), QStringLiteral("ab"));
    // \uc is clamped to 16: the fallback cannot swallow the rest of the file.
    EXPECT_EQ(rtfPlainText("{\\rtf1 \\uc99999999999\\u65 0123456789abcdefTAIL}"), QStringLiteral("ATAIL"));
    QTextDocument document;
    readRtf("{\\rtf1 \\fs99999999999999 x}", document);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("x"));
}

TEST(RtfBroken, DeepNestingIsCappedWithoutRecursion)
{
    QByteArray deep = "{\\rtf1 start";
    deep += QByteArray(1'000'000, '{');
    deep += "hidden";
    deep += QByteArray(1'000'000, '}');
    EXPECT_TRUE(rtfPlainText(deep).startsWith(QStringLiteral("start")));
    EXPECT_FALSE(rtfPlainText(deep).contains(QStringLiteral("hidden")));

    QByteArray nested = "{\\rtf1 ";
    for (int i = 0; i < 50; ++i)
        nested += "{\\b x";
    nested += QByteArray(50, '}');
    nested += " end}";
    EXPECT_EQ(rtfPlainText(nested), QString(50, QLatin1Char('x')) + QStringLiteral(" end"));
}

TEST(RtfBroken, RandomAndMutatedBytesNeverCrash)
{
    QRandomGenerator random(20240611);
    const QByteArray seed = rtf("{\\b \\'c0\\'c1} \\u1071? {\\*\\x y}{\\pict 00}\\par {\\i\\fs28 z}\\bin3 abc\\line");
    const QByteArray alphabet = "{}\\'*abcdefuxpr0123456789- ;?\r\n";
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        if (round % 2 == 0) {
            bytes = seed;
            const int edits = 1 + int(random.bounded(8));
            for (int e = 0; e < edits; ++e) {
                const int at = int(random.bounded(bytes.size()));
                switch (random.bounded(3)) {
                case 0: bytes[at] = char(random.bounded(256)); break;
                case 1: bytes.remove(at, 1 + int(random.bounded(4))); break;
                default: bytes.insert(at, alphabet[int(random.bounded(alphabet.size()))]); break;
                }
            }
            if (random.bounded(4) == 0)
                bytes.truncate(int(random.bounded(bytes.size() + 1)));
        } else {
            const int length = int(random.bounded(300));
            for (int i = 0; i < length; ++i)
                bytes += random.bounded(2) ? alphabet[int(random.bounded(alphabet.size()))]
                                           : char(random.bounded(256));
        }
        const QString plain = rtfPlainText(bytes);
        QTextDocument document;
        readRtf(bytes, document);
        // The document holds the same text as the plain reading, in its own spelling.
        QString expected = plain;
        expected.replace(QChar(0x00A0), QLatin1Char(' '));
        ASSERT_EQ(document.toPlainText(), expected) << bytes.toHex().constData();
    }
}

TEST(RtfSpeed, TheDocumentIsBuiltInOneChange)
{
    // One change per run made a document shown in a window lay itself out
    // again for every run: 256 KB of alternating bold runs took 50 s.
    QByteArray body;
    for (int i = 0; i < 500; ++i)
        body += "{\\b x}y\\par ";
    QTextDocument document;
    int changes = 0;
    QObject::connect(&document, &QTextDocument::contentsChange, [&](int, int, int) { ++changes; });
    readRtf(rtf(body.constData()), document);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(document.blockCount(), 500);
    EXPECT_FALSE(document.isUndoAvailable());
}

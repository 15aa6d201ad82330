// The import readers: encoding and lines, the four layouts, and a fuzz loop
// per reader (random lines and bytes: no crash, no hang, rows well formed).
#include "authoring/import_ege.h"
#include "authoring/import_readers.h"
#include "authoring/import_text.h"
#include "storage/cp1251.h"
#include "storage/text.h"
#include "support/temp_home.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tavel;
using namespace tavel::import;

namespace {

// Lines for the readers: strings and the views of them, alive together.
struct TestLines {
    QStringList strings;
    std::vector<QStringView> views = viewsOf(strings);
    operator Lines() const { return views; }
};

TestLines linesOf(const QString& text) { return {text.split(QLatin1Char('\n'))}; }

QStringList strings(Lines lines)
{
    QStringList out;
    for (const QStringView line : lines)
        out.push_back(line.toString());
    return out;
}

std::string joined(const QStringList& rows) { return rows.join(QLatin1Char('\n')).toStdString(); }

// The rows, one a line, each as "Wopr|Otwe|Kod_P|Nazwan".
std::string shown(const ReadResult& result)
{
    QStringList out;
    for (const ImportRow& r : result.rows)
        out.push_back(QStringList{r.questionNo, r.answerNo, r.answerMark, r.answerText}.join(QLatin1Char('|')));
    return joined(out);
}

} // namespace

TEST(ImportText, EncodingLineEndsAndCleaning)
{
    const QByteArray utf8 = QStringLiteral("Тема\r\nвопрос").toUtf8();
    struct Case {
        const char* name;
        QByteArray bytes;
        TextEncoding encoding;
        QStringList lines;
    } cases[] = {
        {"utf8 with Cyrillic", utf8, TextEncoding::Utf8, {"Тема", "вопрос"}},
        {"utf8 with bom", "\xEF\xBB\xBF" + utf8, TextEncoding::Utf8, {"Тема", "вопрос"}},
        {"windows-1251", test::cp("Тема\nвопрос\n"), TextEncoding::Windows1251, {"Тема", "вопрос"}},
        // Not valid UTF-8 as a whole: every byte is read as Windows-1251.
        {"mixed", QStringLiteral("Тема ").toUtf8() + test::cp("ё"), TextEncoding::Windows1251,
         {"РўРµРјР° ё"}},
        {"ascii, every line end", "a\rb\r\n\nc", TextEncoding::Windows1251, {"a", "b", "", "c"}},
        {"utf16le", QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char*>(u"Да\r\nнет"), 14),
         TextEncoding::Utf16, {"Да", "нет"}},
        {"controls trimmed and blanked", "\t x\ty\x01z \x1A\n", TextEncoding::Windows1251, {"x y z"}},
    };
    for (const Case& c : cases) {
        const ImportText text = decodeImportText(c.bytes, QStringLiteral("f.txt"));
        EXPECT_EQ(text.encoding, c.encoding) << c.name;
        EXPECT_EQ(strings(text.lines), c.lines) << c.name;
    }
}

TEST(ImportText, LongLinesAreCutBeforeTrimming)
{
    // 100 000 characters: 250 kept, counted from the first byte, blanks included.
    const QByteArray longLine = "   " + QByteArray(100000, 'x');
    const ImportText ascii = decodeImportText(QByteArray(longLine + "\nnext"), QStringLiteral("f.txt"));
    ASSERT_EQ(ascii.lines.size(), 2);
    EXPECT_EQ(ascii.lines[0], QString(247, QLatin1Char('x')));
    EXPECT_EQ(ascii.lines[1], QStringLiteral("next"));

    // UTF-8: characters, not bytes.
    const ImportText utf8 = decodeImportText(QString(300, QChar(u'ж')).toUtf8(), QStringLiteral("f.txt"));
    EXPECT_EQ(strings(utf8.lines), QStringList{QString(250, QChar(u'ж'))});
}

// The lines of a whole decoded text, split, cut at 250 units without halving
// a character, trimmed and blanked.
QStringList linesOfWhole(QString whole)
{
    whole.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = whole.split(u'\n');
    if (whole.endsWith(u'\n') || whole.isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.size() > kLineLimit)
            line.truncate(line[kLineLimit - 1].isHighSurrogate() ? kLineLimit - 1 : kLineLimit);
        line = trimmedView(line).toString();
        for (QChar& c : line)
            if (c.unicode() < 32)
                c = u' ';
    }
    return lines;
}

// UTF-8 is decoded line by line, only as far as a line is kept: random
// valid UTF-8 (blanks, controls, every sequence length, byte-order marks, all
// line ends) gives the lines of the whole text decoded at once, split, cut
// at 250 units without halving a character, trimmed and blanked.
TEST(ImportText, Utf8DecodedLineByLineAsAWholeText)
{
    const char32_t pool[] = {U'a', U' ', U'\t', U'\x1f', U'ж', U'\uFEFF', U'€', U'\U0001F600', U'\U0001F600'};
    QRandomGenerator random(20261208);
    for (int round = 0; round < 3000; ++round) {
        std::u32string chars(random.bounded(900), U'ы');
        for (char32_t& c : chars)
            if (random.bounded(3) == 0)
                c = pool[random.bounded(int(std::size(pool)))];
        for (int ends = int(random.bounded(6)); ends > 0 && !chars.empty(); --ends)
            chars[random.bounded(int(chars.size()))] = random.bounded(2) ? U'\n' : U'\r';
        QString whole = QString::fromUcs4(chars.data(), qsizetype(chars.size()));
        const QByteArray bytes = (round % 3 ? "" : "\xEF\xBB\xBF") + whole.toUtf8();
        if (!bytes.startsWith("\xEF\xBB\xBF") && !bytes.contains('\xD1'))
            continue; // pure ASCII: not read as UTF-8
        if (bytes.startsWith("\xEF\xBB\xBF"))
            whole = QString::fromUtf8(bytes.sliced(3));
        const QStringList expected = linesOfWhole(whole);
        const ImportText text = decodeImportText(bytes, QStringLiteral("f.txt"));
        ASSERT_EQ(text.encoding, TextEncoding::Utf8) << round;
        ASSERT_EQ(strings(text.lines), expected) << round;
    }
}

// UTF-8 is checked while it is decoded: a file is read as UTF-8 exactly when
// it is valid UTF-8 as a whole (overlong forms, surrogates, codes above
// U+10FFFF and cut sequences are not; noncharacters are), also when the fault
// lies in the skipped rest of a long line; every other file, and pure ASCII,
// is read as Windows-1251.
TEST(ImportText, EncodingFollowsTheValidityOfTheWholeFile)
{
    const QByteArray valid[] = {"a", " ", "\r", "\n", "abcdefgh", "\t", "x\x1fyz", "        ", "\xD0\xB6", "\xE2\x82\xAC", "\xF0\x9F\x98\x80",
                                "\xEF\xBF\xBE", "\xEF\xBB\xBF", QString(130, QChar(u'ы')).toUtf8()};
    const QByteArray invalid[] = {"\x80", "\xC0\x80", "\xC1\xBF", "\xE0\x80\xAF", "\xED\xA0\x80",
                                  "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xE2\x82", "\xF0\x9F\x98",
                                  "\xFF", "\xF5\x80\x80\x80", "\xD0"};
    QRandomGenerator random(20261209);
    int utf8 = 0;
    for (int round = 0; round < 4000; ++round) {
        QByteArray bytes;
        for (int pieces = int(random.bounded(40)); pieces > 0; --pieces)
            bytes += random.bounded(60) ? valid[random.bounded(int(std::size(valid)))]
                                        : invalid[random.bounded(int(std::size(invalid)))];
        const bool isUtf8 = bytes.isValidUtf8() && (bytes.startsWith("\xEF\xBB\xBF") || std::any_of(bytes.begin(), bytes.end(), [](char c) { return c & 0x80; }));
        utf8 += isUtf8;
        QString whole = isUtf8 ? QString::fromUtf8(bytes) : cp1251::decode(bytes);
        if (isUtf8 && whole.startsWith(QChar(0xFEFF)) && bytes.startsWith("\xEF\xBB\xBF\xEF\xBB\xBF"))
            whole.remove(0, 1); // the second byte-order mark is no text either
        const ImportText text = decodeImportText(bytes, QStringLiteral("f.txt"));
        ASSERT_EQ(text.encoding, isUtf8 ? TextEncoding::Utf8 : TextEncoding::Windows1251) << bytes.toHex().toStdString();
        ASSERT_EQ(strings(text.lines), linesOfWhole(whole)) << bytes.toHex().toStdString();
    }
    EXPECT_GT(utf8, 1000);
    EXPECT_LT(utf8, 3000);
}

TEST(ImportText, NulBytesAndUnreadableFilesAreRefusedByName)
{
    const QString message = test::errorOf([] { decodeImportText(QByteArray("a\nb\n\0c", 6), QStringLiteral("q.txt")); });
    EXPECT_TRUE(message.contains(QStringLiteral("q.txt"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("строке 3"))) << message.toStdString();

    test::TempHome home;
    EXPECT_TRUE(test::errorOf([&] { readImportFile(home.path(QStringLiteral("missing.txt"))); })
                    .contains(QStringLiteral("missing.txt")));
    EXPECT_TRUE(decodeImportText(QByteArray(), QStringLiteral("e.txt")).lines.empty());
    // No line of text: refused before the EGE work file is touched.
    const QString work = home.path(QStringLiteral("EGE.dat"));
    EXPECT_TRUE(test::errorOf([&] { readLayout(Layout::Ege, linesOf(QStringLiteral("\n")), QStringLiteral("e.txt"), work); })
                    .contains(QStringLiteral("e.txt")));
    EXPECT_FALSE(home.exists(QStringLiteral("EGE.dat")));
}

TEST(ImportDigitLayout, QuestionsAnswersAndMarks)
{
    const ReadResult r = readDigitLayout(linesOf(QStringLiteral(
        "Столицы\n"
        "Не вопрос\n"
        "\n"
        "12. Сколько?\n"
        "+б) Москва\n"
        "r1) шаг\n"
        "1234. Текст")));
    EXPECT_EQ(shown(r), joined({
                            "|||Столицы",
                            "0|Н||Не вопрос", // before any question: question 0
                            "1|||12. Сколько?",
                            "1|б|+|+б) Москва",
                            "1|1|1|r1) шаг",
                            "2|||1234. Текст",
                            "|||", // the empty row after the last
                        }));
    EXPECT_TRUE(r.stop.isEmpty());
}

TEST(ImportLetterWLayout, AnswersAreLetteredByPlace)
{
    const ReadResult r = readLetterWLayout(linesOf(QStringLiteral(
        "География\n"
        "w1. Столица Франции?\n"
        "1. Лион\n"
        "+2. Париж\n"
        "без точки\n"
        "+плюс без точки\n"
        "wВторой")));
    EXPECT_EQ(shown(r), joined({
                            "|||География",
                            "1|||1. Столица Франции?",
                            "1|а||а) Лион",
                            "1|б|+|+б) Париж",
                            "1|б||без точки",
                            "1|п|+|+плюс без точки",
                            "2|||Второй",
                            "|||",
                        }));
}

TEST(ImportLetterWLayout, AnswersPastTheEighteenthLetterAreNumbered)
{
    QStringList lines{QStringLiteral("T"), QStringLiteral("wМного ответов")};
    for (int i = 1; i <= 21; ++i)
        lines.push_back(QStringLiteral("%1. вариант %1").arg(i));
    const ReadResult r = readLetterWLayout(viewsOf(lines));
    ASSERT_EQ(r.rows.size(), 2u + 21u + 1u);
    EXPECT_EQ(r.rows[2 + 17].answerText, QStringLiteral("т) вариант 18"));
    EXPECT_EQ(r.rows[2 + 17].answerNo, QStringLiteral("т"));
    EXPECT_EQ(r.rows[2 + 18].answerText, QStringLiteral("19) вариант 19"));
    EXPECT_EQ(r.rows[2 + 20].answerNo, QStringLiteral("21"));
}

TEST(ImportGeneratorLayout, BlocksRightAnswerAndJoinedLines)
{
    const ReadResult r = readGeneratorLayout(linesOf(QStringLiteral(
        "Тема генератора\n"
        "\n"
        "Вопрос 1\n"
        "Сколько будет\n"
        "2 + 2?\n"
        "1) три\n"
        "2) четыре,\n"
        "ровно\n"
        "3. пять\n"
        "#конец (2)\n"
        "Вопрос 2\n"
        "#начало\n"
        "\n"
        "Без пометки\n"
        "1) да\n"
        "#конец (7)")));
    EXPECT_EQ(r.title, QStringLiteral("Тема генератора"));
    EXPECT_EQ(shown(r), joined({
                            "|||Тема генератора",
                            "1|||Сколько будет 2 + 2?",
                            "1|1||1) три",
                            "1|2|+|+2) четыре, ровно",
                            "1|3||3. пять",
                            // "#начало" took the empty line after it as the
                            // question; the next line was joined to it.
                            "2|||Без пометки",
                            "2|1||1) да",
                            "|||",
                        }));
    EXPECT_TRUE(r.stop.isEmpty());
}

TEST(ImportGeneratorLayout, StopsNameTheBlockAndKeepEarlierBlocks)
{
    QString longBlock = QStringLiteral("Т\nлид 1\nВопрос\n1) а\n#конец (1)\nлид 2\n");
    for (int i = 0; i < 21; ++i)
        longBlock += QStringLiteral("строка\n");
    longBlock += QStringLiteral("#конец (1)\n");
    const ReadResult tooLong = readGeneratorLayout(linesOf(longBlock));
    EXPECT_TRUE(tooLong.stop.startsWith(QStringLiteral(">20\nБлок 2 (со строки 6 файла)"))) << tooLong.stop.toStdString();
    EXPECT_EQ(shown(tooLong), joined({"|||Т", "1|||Вопрос", "1|1|+|+1) а", "|||"}));

    const ReadResult noNumber = readGeneratorLayout(linesOf(QStringLiteral("Т\nлид\nВопрос\n#конец ()")));
    EXPECT_TRUE(noNumber.stop.startsWith(QStringLiteral("Блок 1 (со строки 2 файла)"))) << noNumber.stop.toStdString();
    EXPECT_EQ(shown(noNumber), joined({"|||Т", "|||"}));
}

TEST(ImportEge, TaskLabelsAnswersAndTheEnd)
{
    test::TempHome home;
    const QString work = home.path(QStringLiteral("EGE.dat"));
    const ReadResult r = readEgeLayout(linesOf(QStringLiteral(
        "ЕГЭ вариант 1\n"
        "А1 Найдите значение\n"
        "выражения 2 + 3\n"
        "1)\n"
        "4\n"
        "+2)\n"
        "5\n"
        "лишняя строка\n"
        "B2\n"
        "Решите\n"
        "Ф)\n"
        "12")),
                                       work);
    EXPECT_EQ(shown(r), joined({
                            "|||ЕГЭ вариант 1",
                            "1|||1.  выражения 2 + 3", // the label's own text is dropped
                            "1|1||1) 4",
                            "1|2|+|+2) 5 лишняя строка",
                            "2|||2.  Решите",
                            "2|1|Ф|Ф) 12", // "Конец Теста" is joined to nothing
                        }));

    const std::vector<EgeRecord> file = readRecords<EgeRecord>(work);
    QStringList markers;
    for (const EgeRecord& e : file)
        markers.push_back(e.lineMarker);
    EXPECT_EQ(joined(markers), joined({"КК", "НВ", "КК", "НО", "КК", "НО", "", "КК", "НВ", "КК", "НО", "КК", "КТ"}));
    EXPECT_EQ(file.back().lineText, QStringLiteral("Конец Теста"));
}

// EGE.dat byte for byte: markers and texts in Windows-1251 behind their
// length bytes, zero-filled; a character Windows-1251 lacks is "?", a line is
// cut at 210 UTF-16 units (here inside a surrogate pair), and the rows are
// assembled from the records as they were marked, not read back.
TEST(ImportEge, WorkFileBytesAndRowsOfATrickyPaper)
{
    const QString longLine = QString(209, QChar(u'я')) + QStringLiteral("\U0001F600 хвост");
    const QStringList lines{QStringLiteral("Т"), QStringLiteral("А1 \u2713"), longLine, QStringLiteral("1) €"),
                            QStringLiteral("ответ")};
    test::TempHome home;
    const QString work = home.path(QStringLiteral("EGE.dat"));
    const ReadResult r = readEgeLayout(viewsOf(lines), work);

    auto record = [](const char* marker, const QByteArray& text) -> QByteArray {
        QByteArray out(1, char(qstrlen(marker)));
        out += marker;
        out += QByteArray(5 - qstrlen(marker), '\0');
        out += char(text.size());
        out += text;
        return out + QByteArray(210 - text.size(), '\0');
    };
    const char* kk = "\xCA\xCA";
    const QByteArray expected = record(kk, "\xD2") + record("\xCD\xC2", "\xC0" "1 ?")
                                + record(kk, QByteArray(209, '\xFF') + '?') + record("\xCD\xCE", "1) \x88")
                                + record(kk, "\xEE\xF2\xE2\xE5\xF2")
                                + record("\xCA\xD2", "\xCA\xEE\xED\xE5\xF6 \xD2\xE5\xF1\xF2\xE0");
    EXPECT_EQ(home.read(QStringLiteral("EGE.dat")).toHex(' ').toStdString(), expected.toHex(' ').toStdString());

    const QString question = QStringLiteral("1.  ") + QString(209, QChar(u'я')) + QChar(0xD83D);
    EXPECT_EQ(shown(r), joined({"|||Т", "1|||" + question, "1|1||1) € ответ"}));
}

// Random files of the tokens the layouts react to: every reader ends, keeps
// the title row first and numbers every later row.
TEST(ImportFuzz, ReadersOnRandomLinesAndBytes)
{
    const QStringList tokens{"w", "+", "r", "-", "Ф", "А1", "B7", "1)", "2.", "12. ", "#начало", "#конец (3)",
                             "#конец", "(", "ж", " ", "\t", "", "а) x", "+2. y"};
    QRandomGenerator random(20261208);
    test::TempHome home;
    const QString work = home.path(QStringLiteral("EGE.dat"));
    for (int round = 0; round < 300; ++round) {
        QStringList lines;
        const int n = int(random.bounded(60));
        for (int i = 0; i < n; ++i) {
            QString line;
            for (int t = int(random.bounded(4)); t >= 0; --t)
                line += tokens[int(random.bounded(qsizetype(tokens.size())))];
            lines.push_back(line);
        }
        QByteArray bytes(int(random.bounded(400)), Qt::Uninitialized);
        for (char& b : bytes)
            b = char(random.bounded(256));
        if (round % 2)
            bytes.replace('\0', 'x');
        ImportText text;
        try {
            text = decodeImportText(bytes, QStringLiteral("r.txt"));
        } catch (const Error&) {
            ASSERT_TRUE(bytes.contains('\0'));
        }
        const std::vector<QStringView> listed = viewsOf(lines);
        for (const Lines input : {Lines(listed), Lines(text.lines)}) {
            const std::vector<QStringView> kept = nonEmptyLines(input);
            for (const ReadResult& r : {readDigitLayout(input), readLetterWLayout(input), readGeneratorLayout(input),
                                        round % 10 ? assembleEge(markEgeLines(input)) : readEgeLayout(input, work)}) {
                ASSERT_FALSE(r.rows.empty());
                EXPECT_TRUE(r.rows.front().questionNo.isEmpty());
                for (size_t i = 1; i + 1 < r.rows.size(); ++i)
                    EXPECT_FALSE(r.rows[i].questionNo.isEmpty());
                EXPECT_LE(r.rows.size(), size_t(kept.size()) + 2);
            }
        }
    }
}

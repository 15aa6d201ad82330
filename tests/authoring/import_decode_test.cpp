// Decoding the import grid into the topic, question and answer grids: fresh
// and append mode, the refusals, and a fuzz loop over random grids.
#include "authoring/import_decode.h"
#include "storage/text.h"
#include "support/temp_home.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace tavel;
using namespace tavel::import;

namespace {

std::string joined(const QStringList& rows) { return rows.join(QLatin1Char('\n')).toStdString(); }

// IzTXT rows from "Wopr|Otwe|Kod_P|Nazwan" lines.
std::vector<ImportRow> grid(const QStringList& lines)
{
    std::vector<ImportRow> rows;
    for (const QString& line : lines) {
        const QStringList c = line.split(QLatin1Char('|'));
        ImportRow r;
        r.questionNo = c[0];
        r.answerNo = c[1];
        r.answerMark = c[2];
        r.answerText = c[3];
        rows.push_back(r);
    }
    return rows;
}

std::string questions(const DecodeResult& d)
{
    QStringList out;
    for (const QuestionRecord& q : d.questions)
        out.push_back(QStringList{q.subjectCode, q.topicCode, q.testCode, q.questionNo, q.questionText, q.poradCode,
                                  q.points, q.sKodCode}
                          .join(QLatin1Char('|')));
    return joined(out);
}

std::string answers(const DecodeResult& d)
{
    QStringList out;
    for (const AnswerRecord& a : d.answers)
        out.push_back(QStringList{a.subjectCode, a.topicCode, a.testCode, a.questionNo, a.answerNo, a.answerMark,
                                  a.answerText}
                          .join(QLatin1Char('|')));
    return joined(out);
}

const std::vector<ImportRow> kCapitals = grid({
    "|||  Столицы  ",
    "0|Н||Не вопрос",      // question 0 of the digit layout
    "1|||12. Сколько?",
    "1|б|+|+б) Москва",
    "1|1|1|r1) шаг",
    "2|||1234. Текст",
    "2|||   ",             // an empty row is skipped
    "2|а||а) один",
    "3|||w) Третий",
    "3|||Тот же номер", // the same number as the row above: an answer
    "|||",
});

} // namespace

TEST(ImportDecode, FreshModeReplacesTheRowsUnderTopicOne)
{
    const std::vector<TopicRecord> topics{{"3", "1", "Здесь должно быть название темы"}};
    const DecodeResult d = decodeImport(kCapitals, topics, 4, 9);
    EXPECT_FALSE(d.append);
    EXPECT_EQ(d.keptQuestions, 0);
    EXPECT_EQ(d.keptAnswers, 0);
    EXPECT_EQ(d.topic.topicName, QStringLiteral("Столицы"));
    EXPECT_EQ(d.topic.topicCode, QStringLiteral("1"));
    EXPECT_EQ(questions(d), joined({
                                "3|1|1|1|Не вопрос||1|",
                                "3|1|1|2|Сколько?||1|",
                                "3|1|1|3|1234. Текст||1|",
                                "3|1|1|4|w) Третий||1|",
                            }));
    // Each answer belongs to the question above it, whatever its row's number.
    EXPECT_EQ(answers(d), joined({
                              "3|1|1|2|б|+|Москва",
                              "3|1|1|2|1|1|шаг",
                              "3|1|1|3|а||один",
                              "3|1|1|4|||Тот же номер",
                          }));
}

TEST(ImportDecode, AppendModeAddsATopicAboveTheLargestCode)
{
    const std::vector<TopicRecord> topics{{"2", " 7 ", "A"}, {"2", "3", "B"}, {"Уд", "9", "marked"}};
    const DecodeResult d = decodeImport(kCapitals, topics, 5, 30);
    EXPECT_TRUE(d.append);
    EXPECT_EQ(d.keptQuestions, 5);
    EXPECT_EQ(d.keptAnswers, 30);
    // The subject code comes from the last row not marked for deletion.
    EXPECT_EQ(d.topic.subjectCode, QStringLiteral("2"));
    EXPECT_EQ(d.topic.topicCode, QStringLiteral("10"));
    EXPECT_EQ(d.questions.size(), 4u);
    EXPECT_EQ(d.questions[1].topicCode, QStringLiteral("10"));
    EXPECT_EQ(d.answers[0].subjectCode, QStringLiteral("2"));
}

TEST(ImportDecode, RefusalsNameWhatIsWrong)
{
    const std::vector<TopicRecord> inserted{{"1", "1", "A"}, {"?", "?", "?"}};
    const QString notWhole = test::errorOf([&] { decodeImport(kCapitals, inserted, 6, 6); });
    EXPECT_TRUE(notWhole.startsWith(QStringLiteral("Строка 2 таблицы тем: код темы «?»"))) << notWhole.toStdString();
    // The same grid in fresh mode needs no topic code.
    EXPECT_EQ(test::errorOf([&] { decodeImport(kCapitals, inserted, 1, 1); }), QString());

    const std::vector<TopicRecord> full{{"1", "999", "A"}};
    EXPECT_FALSE(test::errorOf([&] { decodeImport(kCapitals, full, 6, 6); }).isEmpty());
    const std::vector<TopicRecord> allMarked{{"Уд", "1", "A"}};
    EXPECT_FALSE(test::errorOf([&] { decodeImport(kCapitals, allMarked, 1, 1); }).isEmpty());
    EXPECT_FALSE(test::errorOf([&] { decodeImport({}, full, 1, 1); }).isEmpty());
    EXPECT_FALSE(test::errorOf([&] { decodeImport(grid({"|||Title", "|||"}), full, 1, 1); }).isEmpty());
}

// Random grids: every kept row becomes one question or one answer, questions
// are numbered 1..n in order, and every answer points at a question made before it.
TEST(ImportFuzz, DecodingRandomGrids)
{
    const QStringList numbers{"", "0", "1", " 1", "2", "x", "10"};
    const QStringList texts{"", " ", "1. q", "а) a", "+б) b", "1234. t", ")", ".", "длинный текст", "r1) s"};
    const std::vector<TopicRecord> topics{{"1", "1", "T"}, {"1", "2", "U"}};
    QRandomGenerator random(77);
    auto pick = [&](const QStringList& from) { return from[int(random.bounded(qsizetype(from.size())))]; };
    for (int round = 0; round < 500; ++round) {
        std::vector<ImportRow> rows(random.bounded(40));
        int kept = 0;
        for (size_t i = 0; i < rows.size(); ++i) {
            rows[i].questionNo = pick(numbers);
            rows[i].answerText = pick(texts);
            rows[i].answerNo = pick(numbers);
            if (i > 0 && !trimmed(rows[i].answerText).isEmpty())
                ++kept;
        }
        if (kept == 0) { // nothing under the title: refused
            EXPECT_FALSE(test::errorOf([&] { decodeImport(rows, topics, 1, 1); }).isEmpty());
            continue;
        }
        const DecodeResult d = decodeImport(rows, topics, int(random.bounded(10)), 3);
        ASSERT_EQ(int(d.questions.size() + d.answers.size()), kept);
        for (size_t q = 0; q < d.questions.size(); ++q)
            EXPECT_EQ(d.questions[q].questionNo, QString::number(q + 1));
        for (const AnswerRecord& a : d.answers) {
            const int no = a.questionNo.toInt();
            EXPECT_TRUE(no >= 1 && no <= int(d.questions.size()));
        }
    }
}

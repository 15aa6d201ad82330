// The question list of Start: keys, the key sort, range, limit, points and
// the whole data flow over real record files.
#include "session/question_list.h"
#include "session/test_start.h"

#include "storage/error.h"
#include "storage/records.h"
#include "support/temp_home.h"

#include <QDir>
#include <gtest/gtest.h>
#include <random>

using namespace tavel;

namespace {

class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
    double next() override { return values_[i_++ % values_.size()]; }

private:
    std::vector<double> values_;
    size_t i_ = 0;
};

QuestionList rowsWithKeys(const QStringList& keys)
{
    QuestionList rows;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        QuestionRow row;
        row.questionNo = QString::number(i + 1);
        row.key = keys[i];
        rows.push_back(row);
    }
    return rows;
}

template <class Row>
QStringList column(const std::vector<Row>& rows, QString Row::*field)
{
    QStringList out;
    for (const Row& row : rows)
        out.push_back(row.*field);
    return out;
}

// The selection sort exactly as written: the reference for sortByKey.
void referenceSort(QuestionList& rows)
{
    for (int p = int(rows.size()) - 1; p > 0; --p) {
        int best = 0;
        for (int i = 1; i <= p; ++i)
            if (rows[size_t(i)].key.toLatin1() > rows[size_t(best)].key.toLatin1())
                best = i;
        std::swap(rows[size_t(best)], rows[size_t(p)]);
    }
}

} // namespace

TEST(ShuffleKeys, CompareAsTextByteByByte)
{
    QuestionList rows = rowsWithKeys({QStringLiteral("9"), QStringLiteral("100"), QStringLiteral("11"), QStringLiteral("0")});
    sortByKey(rows);
    EXPECT_EQ(column(rows, &QuestionRow::key),
              QStringList({QStringLiteral("0"), QStringLiteral("100"), QStringLiteral("11"), QStringLiteral("9")}));
}

TEST(ShuffleKeys, SortPlacesEqualKeysExactlyAsTheSelectionSort)
{
    std::mt19937 gen(7);
    for (int n : {0, 1, 2, 3, 10, 57, 400}) {
        for (int distinct : {1, 3, 101}) {
            QStringList keys;
            for (int i = 0; i < n; ++i)
                keys.push_back(QString::number(int(gen() % unsigned(distinct))));
            QuestionList fast = rowsWithKeys(keys);
            QuestionList slow = fast;
            sortByKey(fast);
            referenceSort(slow);
            ASSERT_EQ(column(fast, &QuestionRow::questionNo), column(slow, &QuestionRow::questionNo))
                << "n=" << n << " distinct=" << distinct;
        }
    }
}

TEST(ShuffleKeys, RoundHalfToEvenWithTheMultiplier)
{
    ScriptedRandom random({0.125, 0.375, 0.999, 0.0});
    EXPECT_EQ(shuffleKey(random), QStringLiteral("12"));  // 12.5
    EXPECT_EQ(shuffleKey(random), QStringLiteral("38"));  // 37.5
    EXPECT_EQ(shuffleKey(random), QStringLiteral("100")); // 99.9
    EXPECT_EQ(shuffleKey(random, 1000), QStringLiteral("0"));
    ScriptedRandom thousand({0.0625});
    EXPECT_EQ(shuffleKey(thousand, 1000), QStringLiteral("62")); // 62.5
}

TEST(QuestionListTotals, BlankPointsCountNothingAndABadValueIsNamed)
{
    QuestionList rows = rowsWithKeys({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")});
    rows[0].points = QStringLiteral("5");
    rows[1].points = QString();
    rows[2].points = QStringLiteral("3");
    rows[3].points = QStringLiteral("4");
    EXPECT_EQ(totalPoints(rows).total, 12);
    EXPECT_TRUE(totalPoints(rows).ok());

    rows[2].points = QStringLiteral("2,5");
    rows[2].subjectCode = QStringLiteral("1");
    rows[2].topicCode = QStringLiteral("001");
    rows[2].testCode = QStringLiteral("1");
    const PointsSum sum = totalPoints(rows);
    EXPECT_FALSE(sum.ok());
    EXPECT_EQ(sum.badRow, 2);
    EXPECT_TRUE(sum.error.contains(QStringLiteral("1_001_1_3")));
    EXPECT_TRUE(sum.error.contains(QStringLiteral("2,5")));
}

TEST(QuestionListTotals, LimitAndMinutes)
{
    QuestionList rows = rowsWithKeys({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    applyLimit(rows, 5);
    EXPECT_EQ(rows.size(), 3u);
    applyLimit(rows, 2);
    EXPECT_EQ(column(rows, &QuestionRow::questionNo), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
    applyLimit(rows, -1);
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(limitMinutes(10, 25), 10);
    EXPECT_EQ(limitMinutes(0, 25), 25);
}

class PrepareTopic : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(home.path(QStringLiteral("Hist")));
        // Topic 001 has questions 1..12 (codes padded with blanks on every
        // third); topic 002 is interleaved and must not count.
        std::vector<QuestionRecord> questions;
        std::vector<AnswerRecord> answers;
        for (int i = 1; i <= 12; ++i) {
            const bool padded = i % 3 == 0;
            questions.push_back({padded ? QStringLiteral("1 ") : QStringLiteral("1"),
                                 QStringLiteral("001"), padded ? QStringLiteral(" 1") : QStringLiteral("1"),
                                 QString::number(100 + i), QStringLiteral("Вопрос %1").arg(i), {},
                                 QString::number(i), {}});
            questions.push_back({QStringLiteral("1"), QStringLiteral("002"), QStringLiteral("1"), QString::number(i),
                                 QStringLiteral("Чужой"), {}, QStringLiteral("9"), {}});
            answers.push_back({QStringLiteral("1"), QStringLiteral("001"), QStringLiteral("1"), QString::number(100 + i),
                               QStringLiteral("1"), QStringLiteral("+"), QStringLiteral(" Ответ %1 ").arg(i)});
            answers.push_back({QStringLiteral("1"), QStringLiteral("002"), QStringLiteral("1"), QString::number(i),
                               QStringLiteral("1"), QStringLiteral("+"), QStringLiteral("Чужой")});
        }
        writeRecords(home.path(QStringLiteral("Hist/Wopros.dat")), questions);
        writeRecords(home.path(QStringLiteral("Hist/Otwet.dat")), answers);
        request.folderName = QStringLiteral("Hist");
        request.subjectCode = QStringLiteral("1");
        request.topicCode = QStringLiteral("001");
    }

    test::TempHome home;
    StartRequest request;
};

TEST_F(PrepareTopic, RangeCountsOrdinalsOfTheTopicAndTheirAnswersLoad)
{
    request.firstOrdinal = 3;
    request.lastOrdinal = 5;
    request.shuffle = false;
    ScriptedRandom random({0.5});
    const StartData data = prepareTopic(home.home(), request, random);
    EXPECT_EQ(column(data.questions, &QuestionRow::questionNo),
              QStringList({QStringLiteral("103"), QStringLiteral("104"), QStringLiteral("105")}));
    EXPECT_EQ(data.questions[0].subjectCode, QStringLiteral("1")); // trimmed
    EXPECT_EQ(data.questions[0].mark, kPendingMark);
    EXPECT_EQ(data.totalPoints, 3 + 4 + 5);
    EXPECT_EQ(data.limitTime, 10);
    ASSERT_EQ(data.answers.size(), 3u); // the answers of the questions asked
    EXPECT_EQ(data.answers[0].questionNo, QStringLiteral("103"));
    EXPECT_EQ(data.answers[0].answerMark, QStringLiteral("+"));
    EXPECT_EQ(data.answers[0].answerText, QStringLiteral("Ответ 3"));
}

TEST_F(PrepareTopic, InOrderTheLimitKeepsTheFirstQuestionsOfTheFile)
{
    request.shuffle = false;
    request.questionLimit = 4;
    request.maxTime = 0;
    ScriptedRandom random({0.9, 0.1});
    const StartData data = prepareTopic(home.home(), request, random);
    EXPECT_EQ(column(data.questions, &QuestionRow::questionNo),
              QStringList({QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("103"), QStringLiteral("104")}));
    EXPECT_EQ(data.totalPoints, 1 + 2 + 3 + 4); // points of the questions asked only
    EXPECT_EQ(data.limitTime, 4);               // MaxTime 0: a minute per question asked
    // Only the answers of the questions asked, in file order.
    EXPECT_EQ(column(data.answers, &AnswerRow::questionNo),
              QStringList({QStringLiteral("101"), QStringLiteral("102"), QStringLiteral("103"), QStringLiteral("104")}));
}

TEST_F(PrepareTopic, ShufflingSortsByKeyBeforeTheLimit)
{
    request.questionLimit = 3;
    // Keys in file order: 50, 9, 100, 11, 9, then 50 for the rest.
    ScriptedRandom random({0.5, 0.09, 1.0 - 1e-12, 0.11, 0.09, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5, 0.5});
    int calls = 0;
    const StartData data = prepareTopic(home.home(), request, random, [&](int, int) { ++calls; });
    EXPECT_EQ(column(data.questions, &QuestionRow::key),
              QStringList({QStringLiteral("100"), QStringLiteral("11"), QStringLiteral("50")}));
    EXPECT_EQ(data.questions[0].questionNo, QStringLiteral("103"));
    EXPECT_EQ(data.questions[1].questionNo, QStringLiteral("104"));
    EXPECT_GT(calls, 1); // both files reported progress
    // The answers follow the questions kept after the sort, not the file's first ones.
    QStringList asked = column(data.questions, &QuestionRow::questionNo);
    asked.sort();
    EXPECT_EQ(column(data.answers, &AnswerRow::questionNo), asked);
}

TEST_F(PrepareTopic, MissingFilesAndAnEmptyRangeGiveAnEmptyTest)
{
    request.folderName = QStringLiteral("Nowhere");
    ScriptedRandom random({0.5});
    StartData data = prepareTopic(home.home(), request, random);
    EXPECT_TRUE(data.questions.empty());
    EXPECT_TRUE(data.answers.empty());
    EXPECT_EQ(data.totalPoints, 0);

    request.folderName = QStringLiteral("Hist");
    request.firstOrdinal = 13;
    data = prepareTopic(home.home(), request, random);
    EXPECT_TRUE(data.questions.empty());
}

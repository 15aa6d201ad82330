// Judging answers: exact answers, tick-box arithmetic, the percentage gauge
// and the checker's order over a running topic.
#include "session/checking.h"

#include <gtest/gtest.h>

using namespace tavel;

namespace {

std::vector<AnswerRow> variants(const QStringList& marks)
{
    std::vector<AnswerRow> rows;
    for (const QString& mark : marks)
        rows.push_back({QStringLiteral("1"), QStringLiteral("001"), QStringLiteral("1"), QStringLiteral("1"),
                        QStringLiteral("1"), mark, QStringLiteral("т")});
    return rows;
}

// Three right and two wrong variants, Points 5.
SessionCounters threeOfFive(int werBal = 0)
{
    SessionCounters c;
    c.kPraw = 3;
    c.tekBal = 5;
    c.wseBal = 20;
    c.werBal = werBal;
    return c;
}

} // namespace

TEST(ExactAnswer, TrimmedAndLowerCasedOnly)
{
    EXPECT_TRUE(exactAnswerRight(QStringLiteral("  Пушкин "), QStringLiteral("пушкин")));
    EXPECT_TRUE(exactAnswerRight(QStringLiteral("ЁЛКА"), QStringLiteral("ёлка")));
    EXPECT_TRUE(exactAnswerRight(QStringLiteral("Moscow"), QStringLiteral("MOSCOW")));
    EXPECT_FALSE(exactAnswerRight(QStringLiteral("1941 г"), QStringLiteral("1941")));
    EXPECT_FALSE(exactAnswerRight(QStringLiteral("03.09. 1974"), QStringLiteral("03.09.1974")));
    EXPECT_FALSE(exactAnswerRight(QStringLiteral("елка"), QStringLiteral("ёлка")));
    EXPECT_FALSE(exactAnswerRight(QString(), QStringLiteral("1941")));
    EXPECT_TRUE(exactAnswerRight(QStringLiteral("  "), QString()));
}

TEST(TickBoxes, ATickedEmptyMarkResetsTheCountWhereverItStands)
{
    const auto v = variants({"+", "+", "+", "", ""});
    EXPECT_EQ(countRightTicks(v, {true, true, false, false, false}), 2);
    EXPECT_EQ(countRightTicks(v, {true, true, true, true, false}), 0);
    EXPECT_EQ(countRightTicks(v, {false, false, false, false, false}), 0);
    const auto wrongFirst = variants({"", "+", "+", "+"});
    EXPECT_EQ(countRightTicks(wrongFirst, {true, true, true, true}), 0);
    const auto otherMark = variants({"+", "x"}); // neither right nor wrong
    EXPECT_EQ(countRightTicks(otherMark, {true, true}), 1);
}

TEST(TickBoxes, PartlyRightAllRightAndWrong)
{
    SessionCounters c = threeOfFive();
    TickScore s = scoreTickBoxes(c, 2, true); // 5 × 2 ÷ 3 = 3.33
    EXPECT_FALSE(s.allRight);
    EXPECT_EQ(c.wseBal, 22);
    EXPECT_EQ(c.werBal, 3);
    EXPECT_EQ(c.werWop, 0);

    c = threeOfFive();
    s = scoreTickBoxes(c, 3, true);
    EXPECT_TRUE(s.allRight);
    EXPECT_EQ(c.werBal, 7); // 5 + 2
    EXPECT_EQ(c.werWop, 1);

    c = threeOfFive();
    scoreTickBoxes(c, 0, true); // a wrong tick
    EXPECT_EQ(c.werBal, 0);
    EXPECT_EQ(c.wseBal, 22);
}

TEST(TickBoxes, HalvesRoundOnTheRunningTotal)
{
    EXPECT_EQ(partialPoints(0, 3, 1, 2), 2); // 1.5 → 2
    EXPECT_EQ(partialPoints(1, 3, 1, 2), 2); // 2.5 → 2: adds only 1
    EXPECT_EQ(partialPoints(2, 3, 1, 2), 4); // 3.5 → 4
}

// Mended fault: with no "+" variant any tick counted as right (k = r = 0).
TEST(TickBoxes, WithoutRightVariantsOnlyNoTickIsRight)
{
    for (const bool ticked : {true, false}) {
        SessionCounters c;
        c.kPraw = 0;
        c.tekBal = 4;
        c.wseBal = 4;
        const TickScore s = scoreTickBoxes(c, 0, ticked);
        EXPECT_EQ(s.allRight, !ticked);
        EXPECT_EQ(c.werWop, ticked ? 0 : 1);
        EXPECT_EQ(c.werBal, ticked ? 0 : 4);
        EXPECT_EQ(c.wseBal, 4); // never lowered
    }
}

TEST(PercentGauge, TruncatedClampedAndSafeWithoutPoints)
{
    EXPECT_EQ(percentGauge(2, 3), 66);
    EXPECT_EQ(percentGauge(25, 20), 100);
    EXPECT_EQ(percentGauge(-1, 20), 0);
    EXPECT_EQ(percentGauge(5, 0), 0);
    EXPECT_EQ(percentText(5, 0), QStringLiteral("—"));
    EXPECT_EQ(percentText(14, 20), QStringLiteral("70"));
}

class Checker : public ::testing::Test {
protected:
    // One question of the given marks, presented.
    void begin(const QStringList& marks, const QString& points = QStringLiteral("5"), bool hintsOn = true)
    {
        StartData data;
        QuestionRow q;
        q.subjectCode = QStringLiteral("1");
        q.topicCode = QStringLiteral("001");
        q.testCode = QStringLiteral("1");
        q.questionNo = QStringLiteral("7");
        q.points = points;
        data.questions = {q};
        for (qsizetype i = 0; i < marks.size(); ++i)
            data.answers.push_back({q.subjectCode, q.topicCode, q.testCode, q.questionNo, QString::number(i + 1),
                                    marks[i], QStringLiteral("ответ")});
        data.totalPoints = points.toInt();
        data.title = QStringLiteral("Тема");
        startTopic(state, data, {}, hintsOn);
        ASSERT_TRUE(presentNext(state, TimeSettings{}));
    }

    SessionState state;
    GradeThresholds thresholds;
};

TEST_F(Checker, ExactAnswerRightEndsTheTopicWithGradeAndGauge)
{
    begin({"Ф"});
    GivenAnswer answer;
    answer.typed = QStringLiteral(" ОТВЕТ");
    const CheckOutcome out = checkAnswer(state, answer, thresholds);
    EXPECT_TRUE(out.judged && out.right);
    EXPECT_EQ(out.systemNumber, QStringLiteral("1_001_1_7"));
    EXPECT_TRUE(out.topicEnded);
    EXPECT_FALSE(out.replayAvailable);
    EXPECT_EQ(out.gauge, 100);
    EXPECT_EQ(state.counters.werBal, 5);
    EXPECT_EQ(state.grade.ocenka, QStringLiteral(" 5"));
    EXPECT_EQ(state.answeredCount, 1);
    EXPECT_FALSE(presentNext(state, TimeSettings{})); // past the last question
}

TEST_F(Checker, WrongTicksShowTheAnswerOnlyInHintMode)
{
    begin({"+", "+", ""});
    GivenAnswer answer;
    answer.ticked = {true, false, false};
    CheckOutcome out = checkAnswer(state, answer, thresholds);
    EXPECT_FALSE(out.right);
    EXPECT_TRUE(out.showCorrectAnswer);
    EXPECT_EQ(state.counters.wseBal, 6);
    EXPECT_EQ(state.counters.werBal, 2); // 5 × 1 ÷ 2 = 2.5 → 2

    begin({"+", "+", ""}, QStringLiteral("5"), false);
    out = checkAnswer(state, answer, thresholds);
    EXPECT_FALSE(out.showCorrectAnswer);
}

TEST_F(Checker, MatchingIsRightWhenEveryRowScored)
{
    begin({"+", "+", "-", "-"});
    GivenAnswer answer;
    answer.nabrano = 1;
    EXPECT_FALSE(checkAnswer(state, answer, thresholds).right);
    begin({"+", "+", "-", "-"});
    answer.nabrano = 2;
    EXPECT_TRUE(checkAnswer(state, answer, thresholds).right);
    EXPECT_EQ(state.counters.werWop, 1);
    EXPECT_EQ(state.counters.werBal, 0); // points come from the window
}

TEST_F(Checker, RankingPassesOnTheWindowsVerdictOnly)
{
    begin({"1", "1"});
    state.rankingRight = true;
    const int before = state.counters.werWop;
    EXPECT_TRUE(checkAnswer(state, {}, thresholds).right);
    EXPECT_EQ(state.counters.werWop, before);
}

TEST_F(Checker, NothingIsJudgedTwice)
{
    begin({"Ф"});
    GivenAnswer answer;
    answer.typed = QStringLiteral("ответ");
    checkAnswer(state, answer, thresholds);
    const CheckOutcome again = checkAnswer(state, answer, thresholds);
    EXPECT_FALSE(again.judged);
    EXPECT_EQ(state.counters.werWop, 1);
    EXPECT_EQ(state.counters.werBal, 5);
    EXPECT_EQ(state.answeredCount, 1);
}

TEST_F(Checker, ATopicWithoutPointsShowsNoGrade)
{
    begin({"Ф"}, QString());
    const CheckOutcome out = checkAnswer(state, {}, thresholds);
    EXPECT_EQ(out.gauge, 0);
    EXPECT_EQ(state.grade.ocenka, QStringLiteral(" —"));
    EXPECT_EQ(state.grade.tenPoint, QStringLiteral(" Сейчас посмотрим"));
}

// Hints, postponing and replay, and the mode list.
#include "session/hints.h"

#include "session/checking.h"

#include <gtest/gtest.h>

using namespace tavel;

namespace {

// A running topic of `n` questions, each an exact answer worth `points`.
SessionState topic(int n, int points = 2)
{
    StartData data;
    for (int i = 1; i <= n; ++i) {
        QuestionRow q;
        q.subjectCode = QStringLiteral("1");
        q.topicCode = QStringLiteral("001");
        q.testCode = QStringLiteral("1");
        q.questionNo = QString::number(i);
        q.points = QString::number(points);
        data.questions.push_back(q);
        data.answers.push_back({q.subjectCode, q.topicCode, q.testCode, q.questionNo, QStringLiteral("1"),
                                QStringLiteral("Ф"), QStringLiteral("да")});
    }
    data.totalPoints = n * points;
    SessionState s;
    data.title = QStringLiteral("Тема");
    startTopic(s, data, {});
    return s;
}

Presentation withMarks(const QStringList& marks)
{
    QuestionRow q;
    q.questionNo = QStringLiteral("1");
    AnswerTable table;
    for (const QString& mark : marks)
        table.push_back({{}, {}, {}, QStringLiteral("1"), QStringLiteral("1"), mark, QStringLiteral("ответ")});
    return present(q, table, TimeSettings{});
}

GivenAnswer typed(const QString& text)
{
    GivenAnswer a;
    a.typed = text;
    return a;
}

} // namespace

TEST(Fifti, HidesWrongTickBoxesOneAtATime)
{
    const Presentation q = withMarks({"+", "", "+", ""});
    std::vector<bool> shown = q.shownTexts();
    SessionCounters c;
    EXPECT_EQ(fiftiClick(q, {}, shown, c).hiddenVariant, 1);
    EXPECT_EQ(fiftiClick(q, {}, shown, c).hiddenVariant, 3);
    EXPECT_EQ(fiftiClick(q, {}, shown, c).hints, 0);
    EXPECT_EQ(c.podskazano, 2);
    EXPECT_EQ(shown, std::vector<bool>({true, false, true, false}));

    const Presentation allRight = withMarks({"+", "+"});
    shown = allRight.shownTexts();
    EXPECT_EQ(fiftiClick(allRight, {}, shown, c).hints, 0);
}

TEST(Fifti, ExactAnswerIsTypedInAndCountsTwiceOnce)
{
    const Presentation q = withMarks({"Ф"});
    std::vector<bool> shown = q.shownTexts();
    SessionCounters c;
    const FiftiOutcome first = fiftiClick(q, QStringLiteral(" "), shown, c);
    ASSERT_TRUE(first.typedAnswer.has_value());
    EXPECT_EQ(*first.typedAnswer, QStringLiteral("ответ"));
    EXPECT_EQ(c.podskazano, 2);
    EXPECT_EQ(fiftiClick(q, *first.typedAnswer, shown, c).hints, 0);
    EXPECT_EQ(c.podskazano, 2);
    EXPECT_FALSE(plusSim1(QStringLiteral("ответы"), QStringLiteral("ответ")).has_value());
}

TEST(Fifti, MatchingCountsUpToTheLeftTermsAndRankingNothing)
{
    const Presentation matching = withMarks({"+", "-", "+", "-", "-"});
    std::vector<bool> shown = matching.shownTexts();
    SessionCounters c;
    for (int press = 0; press < 5; ++press)
        fiftiClick(matching, {}, shown, c);
    EXPECT_EQ(c.podskazano, 3);

    const Presentation ranking = withMarks({"1", "1"});
    shown = ranking.shownTexts();
    EXPECT_EQ(fiftiClick(ranking, {}, shown, c).hints, 0);
}

TEST(Postponing, TwoAndFourOfFiveAreReplayedAfterTheLast)
{
    SessionState s = topic(5);
    const GradeThresholds t;
    std::vector<int> askedAs;
    for (int i = 1; i <= 5; ++i) {
        ASSERT_TRUE(presentNext(s, TimeSettings{}));
        if (i == 2 || i == 4) {
            const PostponeOutcome p = postpone(s);
            EXPECT_TRUE(p.presentNext);
            continue;
        }
        const CheckOutcome out = checkAnswer(s, typed(QStringLiteral("да")), t);
        EXPECT_EQ(out.topicEnded, i == 5);
        EXPECT_EQ(out.replayAvailable, i == 5);
    }
    EXPECT_EQ(s.counters.povtNev, 2);
    EXPECT_EQ(s.counters.werWop, 3);

    EXPECT_EQ(replay(s), 2);
    EXPECT_EQ(s.counters.povtNev, 0);
    EXPECT_EQ(checkAnswer(s, {}, t).judged, false); // the replay's check judges nothing
    for (const char* no : {"2", "4"}) {
        ASSERT_TRUE(presentNext(s, TimeSettings{}));
        EXPECT_EQ(s.current.question.questionNo, QString::fromLatin1(no));
        askedAs.push_back(s.counters.nWopr);
        const CheckOutcome out = checkAnswer(s, typed(QStringLiteral("да")), t);
        EXPECT_EQ(out.topicEnded, QString::fromLatin1(no) == u"4");
    }
    EXPECT_EQ(askedAs, std::vector<int>({4, 5}));
    EXPECT_EQ(s.counters.werWop, 5);
    EXPECT_EQ(s.counters.werBal, 10);
    EXPECT_EQ(s.answeredCount, 5);
}

TEST(Postponing, TheLastQuestionPostponedIsNotJudgedByItsCountdown)
{
    SessionState s = topic(2);
    presentNext(s, TimeSettings{});
    checkAnswer(s, typed(QStringLiteral("да")), GradeThresholds());
    presentNext(s, TimeSettings{});
    const PostponeOutcome p = postpone(s);
    EXPECT_TRUE(p.lastRow);
    EXPECT_TRUE(p.replayAvailable);
    EXPECT_FALSE(p.presentNext);
    // The countdown runs out with the right answer still typed in.
    const CheckOutcome out = checkAnswer(s, typed(QStringLiteral("да")), GradeThresholds());
    EXPECT_FALSE(out.judged);
    EXPECT_TRUE(out.topicEnded);
    EXPECT_EQ(s.counters.werWop, 1);
    EXPECT_EQ(replay(s), 1);
    EXPECT_EQ(s.counters.nWopr, 1);
}

TEST(Modes, ATickResetsTheCountersAndSetsTheMode)
{
    SessionState s = topic(3);
    s.counters.werBal = 4;
    s.counters.tekBal = 2;
    s.counters.podskazano = 1;
    Modes modes = changeMode(s.counters, Modes(), ModeItem::Hints, false);
    EXPECT_FALSE(modes.hintsOn);
    EXPECT_TRUE(modes.shuffle);
    EXPECT_EQ(s.counters.kWopr, 0);
    EXPECT_EQ(s.counters.wseBal, 0);
    EXPECT_EQ(s.counters.werBal, 0);
    EXPECT_EQ(s.counters.tekBal, 0);
    EXPECT_EQ(s.counters.podskazano, 1);
    modes = changeMode(s.counters, modes, ModeItem::InOrder, true);
    EXPECT_FALSE(modes.shuffle);
    EXPECT_FALSE(modes.hintsOn);
}

TEST(Modes, TheExamFormForcesItsModes)
{
    ModeList list = examFormModes(true);
    EXPECT_FALSE(list.modes.hintsOn || list.hintsTicked || list.inOrderTicked || list.enabled);
    EXPECT_TRUE(list.modes.shuffle);
    list = examFormModes(false);
    EXPECT_TRUE(list.modes.hintsOn && list.modes.shuffle && list.hintsTicked && list.enabled);
    EXPECT_FALSE(list.inOrderTicked);
}

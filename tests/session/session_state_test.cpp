// Start's reset of a running topic and the presenter's step.
#include "session/session_state.h"

#include <gtest/gtest.h>

using namespace tavel;

TEST(StartTopic, ResetsEveryCounterAndGradeBox)
{
    SessionState s;
    s.counters.werBal = 9;
    s.counters.podskazano = 4;
    s.counters.povtNev = 2;
    s.counters.timerTema1 = 17;
    s.grade.ocenka = QStringLiteral(" 5");
    s.grade.patSlovo = QStringLiteral("Отлично");
    s.answeredCount = 6;
    s.currentRow = 3;

    StartData data;
    data.questions.resize(4);
    data.totalPoints = 12;
    data.limitTime = 7;
    data.title = QStringLiteral("Тема");
    startTopic(s, data, QDateTime());
    EXPECT_EQ(s.counters.kWopr, 4);
    EXPECT_EQ(s.counters.wseBal, 12);
    EXPECT_EQ(s.counters.limitTime, 7);
    EXPECT_EQ(s.counters.werBal, 0);
    EXPECT_EQ(s.counters.podskazano, 0);
    EXPECT_EQ(s.counters.povtNev, 0);
    EXPECT_EQ(s.counters.timerTema1, 0);
    EXPECT_EQ(s.grade.ocenka, QStringLiteral(" 0"));
    EXPECT_TRUE(s.grade.patSlovo.isEmpty());
    EXPECT_EQ(s.grade.tenPoint, QStringLiteral(" Сейчас посмотрим"));
    EXPECT_EQ(s.answeredCount, 0);
    EXPECT_EQ(s.currentRow, 0);
    EXPECT_EQ(questionsLeft(s.counters), 5);
}

TEST(StartTopic, PresenterStepsThroughTheListAndStopsAtItsEnd)
{
    SessionState s;
    StartData data;
    data.questions.resize(2);
    data.questions[1].points = QStringLiteral("3");
    startTopic(s, data, {});
    ASSERT_TRUE(presentNext(s, TimeSettings{900, 120}));
    ASSERT_TRUE(presentNext(s, TimeSettings{900, 120}));
    EXPECT_EQ(s.counters.nWopr, 2);
    EXPECT_EQ(s.counters.tekBal, 3);
    EXPECT_EQ(s.counters.timeWopros, 900);
    EXPECT_EQ(questionsLeft(s.counters), 1);
    EXPECT_FALSE(presentNext(s, TimeSettings{}));
    EXPECT_EQ(s.counters.nWopr, 2);
}

TEST(StartTopic, ElapsedTimeAsTimeOfDay)
{
    const QDateTime start(QDate(2024, 5, 1), QTime(23, 50, 0));
    EXPECT_EQ(elapsedText(start, start.addSecs(3725)), QStringLiteral("1:02:05"));
    EXPECT_EQ(elapsedText(start, start), QStringLiteral("0:00:00"));
}

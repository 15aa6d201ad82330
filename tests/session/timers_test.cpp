// The minutes of a topic, its limit, and the question countdown.
#include "session/timers.h"

#include "storage/error.h"

#include <gtest/gtest.h>

using namespace tavel;

TEST(TopicMinutes, LeadingZeros)
{
    EXPECT_EQ(minutesText(0), QStringLiteral("000"));
    EXPECT_EQ(minutesText(1), QStringLiteral("001"));
    EXPECT_EQ(minutesText(12), QStringLiteral("012"));
    EXPECT_EQ(minutesText(99), QStringLiteral("099"));
    EXPECT_EQ(minutesText(100), QStringLiteral("0100"));
    EXPECT_EQ(minutesText(123), QStringLiteral("0123"));
}

TEST(TopicLimit, TenMinutesCountDownToAStop)
{
    QString limit = QStringLiteral("10");
    QStringList seen;
    int stoppedAt = 0;
    for (int minute = 1; minute <= 12 && stoppedAt == 0; ++minute) {
        const LimitUpdate u = limitAfterMinute(minute, limit, 10);
        if (!u.changed)
            continue;
        limit = u.limitTime;
        seen << limit;
        if (limitReached(limit))
            stoppedAt = minute;
    }
    EXPECT_EQ(seen, QStringList({"9", "8", "7", "6", "5", "4", "3", "2", "1", "0"}));
    EXPECT_EQ(stoppedAt, 10);
    EXPECT_FALSE(limitAfterMinute(11, QStringLiteral("0"), 0).changed);
}

// Mended fault: a box emptied by a stray key counted as 0 at the next minute
// and stopped the topic.
TEST(TopicLimit, ZeroMinutesUsedAndAnEmptyBox)
{
    EXPECT_FALSE(limitAfterMinute(0, QStringLiteral("5"), 5).changed);
    const LimitUpdate u = limitAfterMinute(3, QStringLiteral("  "), 7);
    EXPECT_TRUE(u.changed);
    EXPECT_EQ(u.limitTime, QStringLiteral("6"));
    EXPECT_FALSE(limitReached(QString())); // being edited
    EXPECT_TRUE(limitReached(QStringLiteral(" 0 ")));
}

TEST(TopicLimit, TextThatIsNotANumberIsAnError)
{
    try {
        limitAfterMinute(1, QStringLiteral("десять"), 5);
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Осталось минут")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("десять")));
    }
    EXPECT_THROW(limitReached(QStringLiteral("1x")), Error);
}

TEST(QuestionCountdown, JudgedWhenBelowOneSecond)
{
    Countdown c;
    c.start(3);
    EXPECT_FALSE(c.tick());
    EXPECT_FALSE(c.tick());
    EXPECT_TRUE(c.tick());
    EXPECT_EQ(secondsAllowed(4, TimeSettings{1500, 300}), 2700);
}

TEST(NewSecondsTest, CutTheRunningCountdownOnlyDownwards)
{
    Countdown running;
    running.start(2700);
    running.left = 500;
    NewSeconds n = applyNewSeconds(QStringLiteral("60"), QStringLiteral("30"), running);
    EXPECT_EQ(n.countdown.left, 60);
    EXPECT_EQ(n.countdown.maximum, 60);
    EXPECT_EQ(n.times.questionSeconds, 60);
    EXPECT_EQ(n.times.variantSeconds, 30);
    n = applyNewSeconds(QStringLiteral("2000"), QStringLiteral("30"), running);
    EXPECT_EQ(n.countdown.left, 500);
}

TEST(NewSecondsTest, UnusableTextIsRefusedAsAWhole)
{
    Countdown running;
    running.start(100);
    EXPECT_THROW(applyNewSeconds(QStringLiteral("60"), QStringLiteral("abc"), running), Error);
    EXPECT_THROW(applyNewSeconds(QStringLiteral(""), QStringLiteral("30"), running), Error);
    EXPECT_THROW(applyNewSeconds(QStringLiteral("-5"), QStringLiteral("30"), running), Error);
}

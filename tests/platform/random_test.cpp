// The program's random source and clock, and their replacements.
#include "platform/clock.h"
#include "platform/random.h"

#include <gtest/gtest.h>

using namespace tavel;

TEST(Random, DrawsStayInTheHalfOpenUnitRangeAndRepeatWithTheSeed)
{
    UniformRandom a(42), b(42);
    for (int i = 0; i < 10000; ++i) {
        const double x = a.next();
        ASSERT_GE(x, 0.0);
        ASSERT_LT(x, 1.0);
        ASSERT_EQ(x, b.next());
    }
    seedRandom(7);
    const double first = randomSource().next();
    seedRandom(7);
    EXPECT_EQ(randomSource().next(), first);
}

TEST(Random, ASourceOfTheTestsTakesItsPlace)
{
    struct Half : RandomSource {
        double next() override { return 0.5; }
    } half;
    setRandomSource(&half);
    EXPECT_EQ(randomSource().next(), 0.5);
    setRandomSource(nullptr);
    EXPECT_NE(&randomSource(), static_cast<RandomSource*>(&half));
}

TEST(Clock, AFixedClockTakesThePlaceOfTheSystemClock)
{
    FixedClock fixed(QDateTime(QDate(2024, 1, 2), QTime(8, 0)));
    setActiveClock(&fixed);
    fixed.advanceSeconds(90);
    EXPECT_EQ(clockNow(), QDateTime(QDate(2024, 1, 2), QTime(8, 1, 30)));
    setActiveClock(nullptr);
    EXPECT_NE(clockNow().date(), QDate(2024, 1, 2));
}

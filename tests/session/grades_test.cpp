// Grades, their words, the ten-point scale and the results window's figures.
#include "session/grades.h"

#include <gtest/gtest.h>

using namespace tavel;

TEST(Grade, AThresholdMetExactlyEarnsTheHigherGrade)
{
    const GradeThresholds t;
    EXPECT_EQ(balliOcenka(14, 20, t), QStringLiteral("4")); // 70 %
    EXPECT_EQ(balliOcenka(13, 20, t), QStringLiteral("3")); // 65 %
    EXPECT_EQ(balliOcenka(17, 20, t), QStringLiteral("5")); // 85 %
    EXPECT_EQ(balliOcenka(9, 20, t), QStringLiteral("2"));  // 45 %
    EXPECT_EQ(balliOcenka(10, 20, t), QStringLiteral("3")); // 50 %
    EXPECT_EQ(balliOcenka(0, 0, t), kNoGrade);
    EXPECT_EQ(balliOcenka(2, 3, GradeThresholds{60, 66, 67}), QStringLiteral("4")); // 66.67 % is not rounded
}

TEST(Grade, WordsOfBothScales)
{
    EXPECT_EQ(gradeWord(2), QStringLiteral("Неудовлетворительно"));
    EXPECT_EQ(gradeWord(5), QStringLiteral("Отлично"));
    EXPECT_EQ(tenPointWord(0), QStringLiteral("0  Неудовлетворительно"));
    EXPECT_EQ(tenPointWord(9), QStringLiteral("9  Отлично"));
    EXPECT_EQ(tenPointWord(10), QStringLiteral("10 Превосходно"));
    EXPECT_TRUE(tenPointWord(11).isEmpty());
}

TEST(Grade, DisplayAfterAnAnswer)
{
    const GradeThresholds t;
    GradeDisplay d = wi4Ocenka(15, 20, t, GradeDisplay());
    EXPECT_EQ(d.ocenka, QStringLiteral(" 4"));
    EXPECT_EQ(d.patSlovo, QStringLiteral("Хорошо"));
    EXPECT_EQ(d.tenPoint, QStringLiteral("8  Почти отлично")); // 7.5 → 8
    d = wi4Ocenka(13, 20, t, d);
    EXPECT_EQ(d.tenPoint, QStringLiteral("6  Хорошо")); // 6.5 → 6
    EXPECT_EQ(d.patSlovo, QStringLiteral("Удовлетворительно"));
}

TEST(Grade, OutOfRangeAndNoPointsKeepThePreviousTenPointWord)
{
    const GradeThresholds t;
    const GradeDisplay before = wi4Ocenka(13, 20, t, GradeDisplay());
    const GradeDisplay above = wi4Ocenka(25, 20, t, before); // x = 12.5 → 12
    EXPECT_EQ(above.tenPoint, before.tenPoint);
    EXPECT_EQ(above.ocenka, QStringLiteral(" 5"));
    const GradeDisplay none = wi4Ocenka(0, 0, t, before);
    EXPECT_EQ(none.ocenka, QStringLiteral(" —"));
    EXPECT_TRUE(none.patSlovo.isEmpty());
    EXPECT_EQ(none.tenPoint, before.tenPoint);
}

TEST(ResultsWindow, TeacherPointRecomputesOnlyTheWindowsFigures)
{
    FinishFigures f;
    f.kWopr = 4;
    f.werWop = 2;
    f.wseBal = 20;
    f.werBal = 13;
    f.ocenka = QStringLiteral(" 3");
    const FinishFigures after = addTeacherPoint(f, GradeThresholds());
    EXPECT_EQ(after.werBal, 14);
    EXPECT_EQ(after.werWop, 3);
    EXPECT_EQ(after.ocenka, QStringLiteral(" 4"));
    EXPECT_EQ(after.gauge, 70);
    EXPECT_TRUE(after.adjusted);
    EXPECT_EQ(f.werBal, 13);
}

TEST(ResultsWindow, GaugeRoundsWhereTheMainGaugeTruncates)
{
    EXPECT_EQ(finishGauge(2, 3), 67);
    EXPECT_EQ(finishGauge(30, 20), 100);
    EXPECT_EQ(finishGauge(1, 0), 0);
}

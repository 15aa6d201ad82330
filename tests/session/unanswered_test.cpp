// The unanswered list: its start, the checker's marks and the filter.
#include "session/unanswered.h"

#include <gtest/gtest.h>

using namespace tavel;

namespace {

QuestionRow row(const QString& no, const QString& mark = QStringLiteral("у"))
{
    QuestionRow r;
    r.subjectCode = QStringLiteral("1");
    r.topicCode = QStringLiteral("2");
    r.testCode = QStringLiteral("1");
    r.questionNo = no;
    r.questionText = QStringLiteral("Вопрос ") + no;
    r.mark = mark;
    return r;
}

QStringList numbers(const UnansweredList& list)
{
    QStringList out;
    for (const QuestionRow& r : list.rows)
        out << r.questionNo + u':' + r.mark;
    return out;
}

} // namespace

TEST(Unanswered, StartMarksEveryRowAndTheCheckerMarksBySystemNumber)
{
    UnansweredList list = unansweredAtStart({row("1", ""), row("2", ""), row("3")}, {}, QStringLiteral("Тема"),
                                            QStringLiteral("История"), QStringLiteral("Istoriy"));
    EXPECT_EQ(numbers(list), (QStringList{"1:у", "2:у", "3:у"}));
    EXPECT_TRUE(markAnsweredRight(list, QStringLiteral(" 1_2_1_2 ")));
    EXPECT_FALSE(markAnsweredRight(list, QStringLiteral("1_2_1_9")));
    EXPECT_EQ(numbers(list), (QStringList{"1:у", "2:п", "3:у"}));
    EXPECT_EQ(shownMark(list.rows[0].mark), QStringLiteral("н"));
    EXPECT_EQ(shownMark(list.rows[1].mark), QStringLiteral("п"));
}

TEST(Unanswered, TheFilterKeepsTheOrderAndRunTwiceChangesNothing)
{
    UnansweredList list;
    list.rows = {row("1", QStringLiteral(" п ")), row("2"), row("3", QStringLiteral("п")), row("4"), row("5", "")};
    EXPECT_EQ(keepUnanswered(list), 3);
    EXPECT_EQ(numbers(list), (QStringList{"2:у", "4:у", "5:"}));
    EXPECT_EQ(keepUnanswered(list), 3);
    EXPECT_EQ(numbers(list), (QStringList{"2:у", "4:у", "5:"}));
    // Answered right after the filter: it stays listed until the next filter.
    markAnsweredRight(list, QStringLiteral("1_2_1_4"));
    EXPECT_EQ(numbers(list), (QStringList{"2:у", "4:п", "5:"}));
    EXPECT_TRUE(hasQuestions(list));
}

TEST(Unanswered, ATopicAnsweredAllRightLeavesNothingToPrint)
{
    UnansweredList list;
    list.rows = {row("1", QStringLiteral("п")), row("2", QStringLiteral("п"))};
    EXPECT_TRUE(hasQuestions(list));
    EXPECT_EQ(keepUnanswered(list), 0);
    EXPECT_FALSE(hasQuestions(list));
    UnansweredList blankFirst;
    blankFirst.rows = {row("1")};
    blankFirst.rows[0].subjectCode = QStringLiteral("  ");
    EXPECT_FALSE(hasQuestions(blankFirst));
}

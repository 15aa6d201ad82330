// Selecting one topic's questions and answers.
#include "storage/topic_scan.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;

TEST(TopicScan, KeepsTheTopicsRecordsInFileOrderComparingTrimmedCodes)
{
    TempHome t;
    writeRecords(t.path("Wopros.dat"), std::vector<QuestionRecord>{
                                           {"1", "1", "1", "1", "A", "", "1", ""},
                                           {"1 ", " 2", "1", "1", "B", "", "1", ""},
                                           {"1", "12", "1", "1", "C", "", "1", ""},
                                           {"2", "2", "1", "1", "D", "", "1", ""},
                                           {"1", "2 ", "1", "2", "E", "", "1", ""},
                                       });
    writeRecords(t.path("Otwet.dat"), std::vector<AnswerRecord>{
                                          {"1", "2", "1", "1", "1", "+", "a"},
                                          {"1", "1", "1", "1", "1", "+", "b"},
                                          {"1", "2", "2", "1", "1", "", "c"},
                                      });
    const RecordFile wopros = RecordFile::read(t.path("Wopros.dat"), layouts::wopros);
    const RecordFile otwet = RecordFile::read(t.path("Otwet.dat"), layouts::otwet);
    int calls = 0, last = 0;
    const auto questions = questionsOfTopic(wopros, u"1", u"2", [&](int done, int total) {
        ++calls;
        last = done;
        EXPECT_EQ(total, 5);
    });
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].questionText, QStringLiteral("B"));
    EXPECT_EQ(questions[1].questionText, QStringLiteral("E"));
    EXPECT_GT(calls, 0);
    EXPECT_EQ(last, 5);

    const auto answers = answersOfTopic(otwet, u" 1", u"2");
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].answerText, QStringLiteral("a"));
    EXPECT_EQ(answers[1].answerText, QStringLiteral("c"));
}

TEST(TopicScan, CyrillicCodesAndProgressIsBounded)
{
    TempHome t;
    std::vector<QuestionRecord> many;
    for (int i = 0; i < 5000; ++i)
        many.push_back({QStringLiteral("ИС"), i % 2 ? QStringLiteral("А") : QStringLiteral("Б"), "1",
                        QString::number(i), "q", "", "1", ""});
    writeRecords(t.path("Wopros.dat"), many);
    const RecordFile wopros = RecordFile::read(t.path("Wopros.dat"), layouts::wopros);
    int calls = 0;
    const auto questions = questionsOfTopic(wopros, u"ИС", u"А", [&](int, int) { ++calls; });
    EXPECT_EQ(questions.size(), 2500u);
    EXPECT_LE(calls, 102);
}

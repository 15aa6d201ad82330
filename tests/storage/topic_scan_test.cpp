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
    int calls = 0, last = 0;
    const auto questions = questionsOfTopic(t.path("Wopros.dat"), u"1", u"2", [&](int done, int total) {
        ++calls;
        last = done;
        EXPECT_EQ(total, 5);
    });
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_EQ(questions[0].questionText, QStringLiteral("B"));
    EXPECT_EQ(questions[1].questionText, QStringLiteral("E"));
    EXPECT_GT(calls, 0);
    EXPECT_EQ(last, 5);

    const auto answers = answersOfTopic(t.path("Otwet.dat"), u" 1", u"2");
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0].answerText, QStringLiteral("a"));
    EXPECT_EQ(answers[1].answerText, QStringLiteral("c"));
}

TEST(TopicScan, CyrillicCodesBoundedProgressAndAMissingFile)
{
    TempHome t;
    std::vector<QuestionRecord> many;
    for (int i = 0; i < 5000; ++i)
        many.push_back({QStringLiteral("ИС"), i % 2 ? QStringLiteral("А") : QStringLiteral("Б"), "1",
                        QString::number(i), "q", "", "1", ""});
    writeRecords(t.path("Wopros.dat"), many);
    int calls = 0;
    const auto questions = questionsOfTopic(t.path("Wopros.dat"), u"ИС", u"А", [&](int, int) { ++calls; });
    EXPECT_EQ(questions.size(), 2500u);
    EXPECT_LE(calls, 20); // per block of records, not per record
    EXPECT_TRUE(questionsOfTopic(t.path("Missing.dat"), u"ИС", u"А").empty());
}

// A code field packs to the value of its trimmed text, whatever the blanks,
// the bytes beyond the length or a length byte above the field's capacity.
TEST(TopicScan, PackedCodeOfAFieldEqualsThePackedTrimmedText)
{
    const FieldLayout& topic = layouts::wopros.field(wopros::TopicCode); // 3 characters
    struct Case {
        QByteArray field; // the length byte and three characters
        QString code;     // the code it holds, as typed
    };
    const Case cases[] = {
        {QByteArray("\x01" "7xx", 4), u"7"_qs},
        {QByteArray("\x03" " 7 ", 4), u"7"_qs},
        {QByteArray("\x03" "\t12", 4), u"12"_qs},
        {QByteArray("\x03" "1 2", 4), u"1 2"_qs},   // a blank inside stays
        {QByteArray("\x09" "123", 4), u"123"_qs},   // length above the field: clamped
        {QByteArray("\x02" "  9", 4), QString()},   // blanks only within the length
        {QByteArray("\x00" "123", 4), QString()},
        {QByteArray("\x03" "\xc0\xc1 ", 4), u"АБ"_qs}, // Windows-1251
    };
    for (const Case& c : cases) {
        QByteArray record(layouts::wopros.size, '\0');
        record.replace(topic.offset, 4, c.field);
        EXPECT_EQ(packedCode(record.constData(), topic), packedCode(c.code)) << c.field.toHex().constData();
    }
    // Different codes differ, a leading zero included; a code too long for
    // the field matches none.
    EXPECT_NE(packedCode(u"1"), packedCode(u"01"));
    EXPECT_NE(packedCode(u"12"), packedCode(u"21"));
    QByteArray record(layouts::wopros.size, '\0');
    record.replace(topic.offset, 4, QByteArray("\x03" "123", 4));
    EXPECT_NE(packedCode(record.constData(), topic), packedCode(u"1234"));
}

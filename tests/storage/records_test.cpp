// Record layouts: our bytes against bytes written out by hand in the test, so
// that a reader and a writer cannot share one mistake.
#include "storage/ole_date.h"
#include "storage/records.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::cp;

namespace {

// A text field by hand: length byte, the bytes, zero filler to the capacity.
QByteArray field(const QByteArray& bytes, int capacity)
{
    QByteArray out(1, char(bytes.size()));
    out += bytes;
    out += QByteArray(capacity - bytes.size(), '\0');
    return out;
}

QByteArray le32(qint32 v)
{
    QByteArray out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = char((quint32(v) >> (8 * i)) & 0xFF);
    return out;
}

} // namespace

TEST(RecordLayouts, SizesOfEveryKind)
{
    EXPECT_EQ(layouts::papka.size, 76);
    EXPECT_EQ(layouts::dostup.size, 48);
    EXPECT_EQ(layouts::predmet.size, 127);
    EXPECT_EQ(layouts::tema.size, 128);
    EXPECT_EQ(layouts::wopros.size, 236);
    EXPECT_EQ(layouts::otwet.size, 170);
    EXPECT_EQ(layouts::exam.size, 138);
    EXPECT_EQ(layouts::ege.size, 217);
}

TEST(RecordLayouts, CatalogueRecordMatchesHandWrittenBytes)
{
    const QByteArray expected = le32(1) + field(cp(QStringLiteral("История")), 50) + field("Istoriy", 8) + le32(52)
                                + le32(2562) + le32(9600);
    ASSERT_EQ(expected.size(), 76);
    const SubjectRecord r{1, QStringLiteral("История"), QStringLiteral("Istoriy"), 52, 2562, 9600};
    EXPECT_EQ(r.encode(), expected);
    const SubjectRecord back = SubjectRecord::decode(RecordView(layouts::papka, expected));
    EXPECT_EQ(back.subjectName, r.subjectName);
    EXPECT_EQ(back.folderName, r.folderName);
    EXPECT_EQ(back.answerCount, 9600);
}

TEST(RecordLayouts, UserRecordMatchesHandWrittenBytes)
{
    // 2007-12-20 is day 39436 after 30 December 1899; as an IEEE double
    // 39436.0 = 0x40E3418000000000.
    const QByteArray date = QByteArray::fromHex("000000008041E340");
    const QByteArray expected = field("01", 2) + QByteArray(5, '\0') + date + field(cp(QStringLiteral("Администратор")), 20)
                                + field("731946", 6) + field("Z", 1) + QByteArray(2, '\0');
    ASSERT_EQ(expected.size(), 48);
    EXPECT_DOUBLE_EQ(toDays(QDate(2007, 12, 20)), 39436.0);
    const UserRecord r{QStringLiteral("01"), 39436.0, QStringLiteral("Администратор"), QStringLiteral("731946"),
                       QStringLiteral("Z")};
    EXPECT_EQ(r.encode(), expected);
    const UserRecord back = UserRecord::decode(RecordView(layouts::dostup, expected));
    EXPECT_EQ(back.password, QStringLiteral("731946"));
    EXPECT_EQ(fromDays(back.issueDate).date(), QDate(2007, 12, 20));
}

TEST(RecordLayouts, QuestionAnswerTopicSectionPackageAndEgeRecords)
{
    const QByteArray question = field("1", 2) + field("12", 3) + field("1", 2) + field("7", 3)
                                + field(cp(QStringLiteral("В каком году?File#map.gif#")), 210) + field("", 4)
                                + field("5", 2) + field("", 2);
    ASSERT_EQ(question.size(), 236);
    const QuestionRecord q{"1", "12", "1", "7", QStringLiteral("В каком году?File#map.gif#"), "", "5", ""};
    EXPECT_EQ(q.encode(), question);

    const QByteArray answer = field("1", 2) + field("12", 3) + field("1", 2) + field("7", 3) + field("2", 2)
                              + field(cp(QStringLiteral("Ф")), 1) + field("1812", 150);
    ASSERT_EQ(answer.size(), 170);
    const AnswerRecord a{"1", "12", "1", "7", "2", QStringLiteral("Ф"), "1812"};
    EXPECT_EQ(a.encode(), answer);
    EXPECT_EQ(AnswerRecord::decode(RecordView(layouts::otwet, answer)).answerMark, QStringLiteral("Ф"));

    const QByteArray topic = field("1", 2) + field("3", 3) + field(cp(QStringLiteral("Смута")), 120);
    EXPECT_EQ((TopicRecord{"1", "3", QStringLiteral("Смута")}.encode()), topic);
    const QByteArray section = field("1", 2) + field("2", 2) + field(cp(QStringLiteral("Новое время")), 120);
    EXPECT_EQ((SectionRecord{"1", "2", QStringLiteral("Новое время")}.encode()), section);
    const QByteArray package = field("1", 2) + field("3", 3) + field(cp(QStringLiteral("Смута")), 120)
                               + field("5", 4) + field("1", 4);
    EXPECT_EQ((PackageRecord{"1", "3", QStringLiteral("Смута"), "5", "1"}.encode()), package);
    const QByteArray ege = field(cp(QStringLiteral("НВ")), 5) + field(cp(QStringLiteral("А1 Найдите")), 210);
    EXPECT_EQ((EgeRecord{QStringLiteral("НВ"), QStringLiteral("А1 Найдите")}.encode()), ege);
}

TEST(RecordFields, LongTextIsCutToTheFieldAndLengthByteAboveCapacityIsClamped)
{
    const QString longText(300, QChar(u'я'));
    const QuestionRecord q{"1", "1", "1", "1", longText, "", "1", ""};
    const QuestionRecord back = QuestionRecord::decode(RecordView(layouts::wopros, q.encode()));
    EXPECT_EQ(back.questionText.size(), 210);

    // A reference placed after 210 characters is lost, as stored.
    const QString text = QString(205, QChar(u'а')) + QStringLiteral("File#map.gif#");
    const QuestionRecord cut = QuestionRecord::decode(RecordView(layouts::wopros, QuestionRecord{"1", "1", "1", "1", text, "", "1", ""}.encode()));
    EXPECT_EQ(cut.questionText, QString(205, QChar(u'а')) + QStringLiteral("File#"));

    QByteArray bytes = (TopicRecord{"1", "2", QStringLiteral("Тема")}.encode());
    bytes[3] = char(200); // TopicCode claims 200 bytes in a 3-byte field
    bytes[4] = '1';
    bytes[5] = '2';
    bytes[6] = '3';
    const RecordView view(layouts::tema, bytes);
    EXPECT_EQ(view.storedLength(tema::TopicCode), 200);
    EXPECT_EQ(view.text(tema::TopicCode), QStringLiteral("123"));
    EXPECT_EQ(view.text(tema::TopicName), QStringLiteral("Тема"));
}

TEST(RecordFields, BytesAfterTheLengthAreIgnored)
{
    QByteArray bytes = field("ab", 2) + field("x", 3) + field("garbage?", 120);
    bytes[5] = 'Q';  // filler after "x" in TopicCode
    bytes[18] = 'Z'; // filler after "garbage?" in TopicName
    const TopicRecord r = TopicRecord::decode(RecordView(layouts::tema, bytes));
    EXPECT_EQ(r.subjectCode, QStringLiteral("ab"));
    EXPECT_EQ(r.topicCode, QStringLiteral("x"));
    EXPECT_EQ(r.topicName, QStringLiteral("garbage?"));
}

TEST(RecordLayouts, KindFromFileName)
{
    EXPECT_EQ(layoutForFileName("/x/Baza/PAPKA.DAT"), &layouts::papka);
    EXPECT_EQ(layoutForFileName("temp.dat"), &layouts::wopros);
    EXPECT_EQ(layoutForFileName("Wopros.dat"), &layouts::wopros);
    EXPECT_EQ(layoutForFileName("ExamBig.dat"), &layouts::exam);
    EXPECT_EQ(layoutForFileName("exam.DAT"), &layouts::exam);
    EXPECT_EQ(layoutForFileName("ege.dat"), &layouts::ege);
    EXPECT_EQ(layoutForFileName("Slovar.txt"), nullptr);
    EXPECT_EQ(layoutForFileName("Other.dat"), nullptr);
}

TEST(DayCounts, DatesAndTimesRoundTrip)
{
    EXPECT_EQ(fromDays(0).date(), QDate(1899, 12, 30));
    EXPECT_EQ(fromDays(2.25), QDateTime(QDate(1900, 1, 1), QTime(6, 0)));
    const QDateTime t(QDate(2026, 12, 8), QTime(13, 45, 30));
    EXPECT_EQ(fromDays(toDays(t)), t);
    EXPECT_TRUE(hasTimePart(toDays(t)));
    EXPECT_FALSE(hasTimePart(toDays(QDate(2026, 12, 8))));
}

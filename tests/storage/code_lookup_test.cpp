// Question keys made from a record's bytes against keys made from typed codes,
// the key table and runs of records with the same code bytes.
#include "storage/code_lookup.h"

#include <gtest/gtest.h>
#include <random>

using namespace tavel;

namespace {

const int kCodeFields[] = {otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo};

// An answer record whose four code fields hold `fields` (length byte and
// characters, as stored) and whose other bytes are not zero.
QByteArray answerRecord(const QByteArray (&fields)[4])
{
    QByteArray record(layouts::otwet.size, 'x');
    for (int f = 0; f < 4; ++f) {
        const FieldLayout& field = layouts::otwet.field(kCodeFields[f]);
        record.replace(field.offset, field.size, fields[f].leftJustified(field.size, 'z', true));
    }
    return record;
}

PackedQuestionKey typed(const QString (&codes)[4])
{
    return packedQuestionKey(packedCode(codes[0]), packedCode(codes[1]), packedCode(codes[2]), packedCode(codes[3]));
}

} // namespace

// Whatever the blanks around a code, bytes after its length or a length byte
// above the field's capacity, the key of the record is the key of its
// trimmed codes, in each of the four fields.
TEST(QuestionKeys, ARecordsKeyIsTheKeyOfItsTrimmedCodes)
{
    struct Case {
        QByteArray field; // length byte and characters, as stored in a field of three characters
        QString code;     // the code it holds
    };
    const Case cases[] = {
        {QByteArray("\x01" "7", 2), u"7"_qs},
        {QByteArray("\x02" "7 ", 3), u"7"_qs},         // a blank after the code
        {QByteArray("\x03" " 7 ", 4), u"7"_qs},        // and before it
        {QByteArray("\x03" "\t12", 4), u"12"_qs},      // a control byte before it
        {QByteArray("\x03" "1 2", 4), u"1 2"_qs},      // a blank inside stays
        {QByteArray("\x03" "1\x00" "2", 4), u"1\u00002"_qs},
        {QByteArray("\x09" "123", 4), u"123"_qs},      // length above the field: clamped
        {QByteArray("\x02" "  ", 3), QString()},       // blanks only
        {QByteArray("\x00" "123", 4), QString()},
        {QByteArray("\x03" "\xc0\xff ", 4), u"Ая"_qs}, // Windows-1251
    };
    const QByteArray plain[4] = {QByteArray("\x01" "1", 2), QByteArray("\x02" "12", 3), QByteArray("\x01" "3", 2),
                                 QByteArray("\x03" "456", 4)};
    const QString plainCodes[4] = {u"1"_qs, u"12"_qs, u"3"_qs, u"456"_qs};
    const QuestionFields fields(layouts::otwet, otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo);
    for (int f = 0; f < 4; ++f) {
        const int capacity = layouts::otwet.field(kCodeFields[f]).capacity();
        for (const Case& c : cases) {
            QByteArray stored[4] = {plain[0], plain[1], plain[2], plain[3]};
            QString codes[4] = {plainCodes[0], plainCodes[1], plainCodes[2], plainCodes[3]};
            stored[f] = c.field.left(capacity + 1);
            codes[f] = c.field.size() - 1 > capacity ? QString() : c.code;
            if (codes[f].isNull())
                continue; // written for a field of three characters only
            const QByteArray record = answerRecord(stored);
            EXPECT_EQ(fields.key(record.constData()), typed(codes))
                << "field " << f << ": " << c.field.toHex().constData();
        }
    }
}

// The key straight from the bytes against the key of the codes packed one by
// one, on heads made at random from the bytes that matter: lengths around
// the capacities, blanks, a control byte, characters below and above 127.
TEST(QuestionKeys, TheKeyFromTheBytesIsTheKeyOfThePackedCodesForAnyHead)
{
    const unsigned char alphabet[] = {0, 1, 2, 3, 4, ' ', '\t', '1', 'z', 0x7f, 0xc0, 0xff};
    const QuestionFields fields(layouts::otwet, otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo);
    std::mt19937 random(7);
    QByteArray record(layouts::otwet.size, 'x');
    for (int round = 0; round < 200000; ++round) {
        for (int i = 0; i < 16; ++i)
            record[i] = char(alphabet[random() % sizeof alphabet]);
        const char* r = record.constData();
        const PackedQuestionKey expected =
            packedQuestionKey(packedCode(r, layouts::otwet.field(otwet::SubjectCode)),
                              packedCode(r, layouts::otwet.field(otwet::TopicCode)),
                              packedCode(r, layouts::otwet.field(otwet::TestCode)),
                              packedCode(r, layouts::otwet.field(otwet::QuestionNo)));
        ASSERT_EQ(fields.key(r), expected) << record.left(16).toHex(' ').constData();
    }
}

TEST(QuestionKeys, DifferentCodesDifferAndTooLongCodesMatchNoRecord)
{
    const QuestionFields fields(layouts::otwet, otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo);
    const QByteArray record = answerRecord({QByteArray("\x02" "1 ", 3), QByteArray("\x02" "12", 3),
                                            QByteArray("\x01" "3", 2), QByteArray("\x01" "4", 2)});
    EXPECT_EQ(fields.key(record.constData()), typed({u"1"_qs, u"12"_qs, u"3"_qs, u"4"_qs}));
    EXPECT_NE(fields.key(record.constData()), typed({u"1"_qs, u"1"_qs, u"23"_qs, u"4"_qs}));
    EXPECT_NE(fields.key(record.constData()), typed({u"01"_qs, u"12"_qs, u"3"_qs, u"4"_qs}));
    EXPECT_NE(fields.key(record.constData()), typed({u"1"_qs, u"12"_qs, u"3"_qs, u"04"_qs}));
    // The subject field holds two characters: "123" is no subject of any record.
    const QByteArray clamped = answerRecord({QByteArray("\x03" "12", 3), QByteArray("\x01" "1", 2),
                                             QByteArray("\x01" "3", 2), QByteArray("\x01" "4", 2)});
    EXPECT_EQ(fields.key(clamped.constData()), typed({u"12"_qs, u"1"_qs, u"3"_qs, u"4"_qs}));
    EXPECT_EQ(typed({u"123"_qs, u"1"_qs, u"3"_qs, u"4"_qs}), question_key::kNone);
}

TEST(CodeLookup, FindsEveryKeyInsertedKeepsTheFirstValueAndGrows)
{
    CodeLookup<PackedQuestionKey> table; // sized for nothing: grows
    for (int i = 0; i < 5000; ++i)
        EXPECT_TRUE(table.insert({quint64(i % 7), quint64(i)}, i));
    EXPECT_FALSE(table.insert({3, 3}, -5));
    EXPECT_EQ(table.size(), 5000u);
    for (int i = 0; i < 5000; ++i) {
        const int* value = table.find({quint64(i % 7), quint64(i)});
        ASSERT_NE(value, nullptr) << i;
        EXPECT_EQ(*value, i);
    }
    EXPECT_FALSE(table.contains({1, 0}));
    EXPECT_FALSE(table.contains({0, 5000}));
}

namespace {

// Per record of the block, whether it starts a run, as forEachRun tells it;
// the stretches must cover the block in order.
std::vector<char> runStarts(HeadRuns& runs, const QByteArray& block)
{
    const int size = layouts::otwet.size;
    const int count = int(block.size() / size);
    std::vector<char> starts;
    int next = 0;
    runs.forEachRun(block.constData(), count, size, [&](const char* run, int k, int length, bool isStart) {
        EXPECT_EQ(k, next);
        EXPECT_EQ(run, block.constData() + qsizetype(k) * size);
        starts.push_back(isStart);
        starts.insert(starts.end(), size_t(length - 1), false);
        next = k + length;
    });
    EXPECT_EQ(next, count);
    return starts;
}

HeadRuns answerRuns()
{
    return HeadRuns(layouts::otwet, {otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo});
}

} // namespace

TEST(HeadRuns, ARunIsRecordsWithTheSameCodeBytesTheFirstRecordAlwaysStartsOne)
{
    QByteArray first(layouts::otwet.size, '\xff'); // every byte as a fresh run's marker might be
    QByteArray sameCodes = first;
    sameCodes[20] = 'a'; // the answer's own text
    QByteArray otherQuestion = first;
    otherQuestion[13] = '1'; // the last byte of the question code field
    HeadRuns runs = answerRuns();
    EXPECT_EQ(runStarts(runs, first + first + sameCodes + otherQuestion + first), (std::vector<char>{1, 0, 0, 1, 1}));
    // The next block goes on from the last record of this one.
    EXPECT_EQ(runStarts(runs, first + otherQuestion), (std::vector<char>{0, 1}));
}

// Block by block, the runs start where the codes change and nowhere else:
// runs that cross the 64-record chunks and the block edges, and a run of one.
TEST(HeadRuns, ABlockAtATimeRunsStartWhereTheCodesChange)
{
    const int size = layouts::otwet.size;
    // Run lengths covering one, a chunk's edge, a chunk and more, a block's edge.
    const std::vector<int> lengths = {1, 1, 63, 2, 64, 130, 1, 5, 200, 3};
    QByteArray file;
    std::vector<char> expected;
    int question = 0;
    for (const int n : lengths) {
        QByteArray record(size, '\xff');
        record[13] = char(question++);
        for (int k = 0; k < n; ++k) {
            file.append(record);
            expected.push_back(k == 0);
        }
    }
    const int count = int(file.size() / size);
    for (const int blockSize : {1, 7, 64, 100, count}) {
        HeadRuns runs = answerRuns();
        std::vector<char> walked;
        for (int first = 0; first < count; first += blockSize) {
            const std::vector<char> block =
                runStarts(runs, file.mid(qsizetype(first) * size, qsizetype(std::min(blockSize, count - first)) * size));
            walked.insert(walked.end(), block.begin(), block.end());
        }
        // A stretch cut at a chunk's or a block's edge continues its run.
        EXPECT_EQ(walked, expected) << "block of " << blockSize;
    }
}

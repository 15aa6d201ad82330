// Temp.dat and the candidates of a gathered question set.
#include "sets/question_set.h"

#include "sets/code_keys.h"
#include "storage/cp1251.h"
#include "storage/record_scan.h"
#include "storage/atomic_save.h"
#include "storage/text.h"

#include <algorithm>
#include <cstring>

namespace tavel {
namespace {

// The answer rows of a set, straight from the records' bytes. The short
// fields (codes, number, mark: at most three characters) repeat from answer
// to answer, so each distinct one is decoded once and its text shared; only
// the answer's own text is decoded for every row.
class AnswerRows {
public:
    AnswerRow of(const RecordView& a)
    {
        return AnswerRow{shortText(a, otwet::SubjectCode), shortText(a, otwet::TopicCode),
                         shortText(a, otwet::TestCode),    shortText(a, otwet::QuestionNo),
                         shortText(a, otwet::AnswerNo),    shortText(a, otwet::AnswerMark),
                         cp1251::decode(trimmed(a.rawText(otwet::AnswerText)))};
    }

private:
    // The field trimmed and decoded. The packed code of a field of at most
    // three characters holds exactly its trimmed bytes.
    QString shortText(const RecordView& a, int field)
    {
        const FieldLayout& f = AnswerRecord::layout().field(field);
        if (f.capacity() > 3)
            return cp1251::decode(trimmed(a.rawText(field)));
        const quint32 packed = packedCode(a.bytes().data(), f);
        if (const int* i = index_.find(packed))
            return texts_[size_t(*i)];
        char bytes[3];
        const int size = int(packed >> 24);
        for (int k = 0; k < size; ++k)
            bytes[k] = char(packed >> (8 * k));
        index_.insert(packed, int(texts_.size()));
        texts_.push_back(cp1251::decode(QByteArrayView(bytes, size)));
        return texts_.back();
    }

    CodeLookup<quint64> index_;
    std::vector<QString> texts_;
};

} // namespace

void QuestionSet::appendStored(const char* record)
{
    const RecordLayout& layout = QuestionRecord::layout();
    Q_ASSERT(layout.size == kRecordSize);
    const qsizetype at = bytes_.size();
    bytes_.resize(at + kRecordSize, '\0');
    char* out = bytes_.data() + at;
    for (const FieldLayout& f : layout.fields) {
        if (f.type != FieldType::Text) {
            std::memcpy(out + f.offset, record + f.offset, size_t(f.size));
            continue;
        }
        // As decode and encode leave it: the length clamped to the field,
        // the text's bytes (every byte survives the code page both ways),
        // zero after them.
        const int length = std::min(int(uchar(record[f.offset])), f.capacity());
        out[f.offset] = char(length);
        std::memcpy(out + f.offset + 1, record + f.offset + 1, size_t(length));
    }
}

void QuestionSet::push_back(const QuestionRecord& record)
{
    bytes_.append(record.encode());
}

void writeTempFile(const QString& path, const QuestionSet& set)
{
    saveAtomically(path, set.bytes());
}

namespace {

// A question row straight from the record's bytes: trimming the bytes trims
// the text (every byte above 127 is a character above the blank).
QuestionRow questionRowOf(const RecordView& r)
{
    const auto field = [&](int f) { return cp1251::decode(trimmed(r.rawText(f))); };
    QuestionRow row;
    row.subjectCode = field(wopros::SubjectCode);
    row.topicCode = field(wopros::TopicCode);
    row.testCode = field(wopros::TestCode);
    row.questionNo = field(wopros::QuestionNo);
    row.questionText = field(wopros::QuestionText);
    row.points = field(wopros::Points);
    return row;
}

} // namespace

SetCandidates setCandidates(const QuestionSet& set, const QString& otwetPath, int firstOrdinal, int lastOrdinal,
                            int questionLimit, const AnswerCodes* answerCodes)
{
    SetCandidates out;
    const QuestionFields questionFields(QuestionRecord::layout(), wopros::SubjectCode, wopros::TopicCode,
                                        wopros::TestCode, wopros::QuestionNo);
    std::vector<size_t> taken; // set indices of the questions asked
    int ordinal = 0;
    for (size_t i = 0; i < set.size(); ++i) {
        if (int(taken.size()) >= questionLimit)
            break;
        ++ordinal;
        if (ordinal >= firstOrdinal && ordinal <= lastOrdinal)
            taken.push_back(i);
    }
    // Only the answers of the questions asked are decoded. The table is a
    // quarter full at most: a record's key, mostly not there, is told from
    // the table's tags at the first look.
    CodeLookup<code_keys::QuestionKey> asked(2 * taken.size());
    out.questions.reserve(taken.size());
    for (const size_t i : taken) {
        const RecordView r = set.view(i);
        out.questions.push_back(questionRowOf(r));
        asked.insert(questionFields.key(r.bytes().data()), 0);
    }
    RecordScanner scanner(AnswerRecord::layout());
    AnswerRows rows;
    if (answerCodes) {
        std::vector<int> indices;
        for (const AnswerRun& run : *answerCodes)
            if (asked.contains(run.key))
                for (int i = run.first; i < run.first + run.count; ++i)
                    indices.push_back(i);
        const std::vector<QByteArray> bytes = scanner.readAt(otwetPath, indices);
        out.answers.reserve(bytes.size());
        for (const QByteArray& record : bytes)
            out.answers.push_back(rows.of(RecordView(AnswerRecord::layout(), record)));
        return out;
    }
    // Whether an answer is asked depends only on its leading code bytes, the
    // same for all answers of a question, which lie one after another: a
    // record whose head equals the one before is judged as that one was.
    const QuestionFields fields(AnswerRecord::layout(), otwet::SubjectCode, otwet::TopicCode, otwet::TestCode,
                                otwet::QuestionNo);
    HeadRuns runs(AnswerRecord::layout(), {otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo});
    const int size = AnswerRecord::layout().size;
    bool kept = false;
    scanner.scanBlocks(otwetPath, [&](int, const char* records, int count) {
        // The runs' state in locals for the loop: nothing it calls can then
        // be taken to change them.
        HeadRuns heads = runs;
        bool keep = kept;
        const char* end = records + qsizetype(count) * size;
        for (const char* record = records; record != end; record += size) {
            if (heads.startsRun(record))
                keep = asked.contains(fields.key(record));
            if (keep)
                out.answers.push_back(rows.of(RecordView(AnswerRecord::layout(), QByteArrayView(record, size))));
        }
        runs = heads;
        kept = keep;
    });
    return out;
}

} // namespace tavel

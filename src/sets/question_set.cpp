// Temp.dat and the candidates of a gathered question set.
#include "sets/question_set.h"

#include "sets/code_keys.h"
#include "storage/cp1251.h"
#include "storage/record_scan.h"
#include "storage/text.h"

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

void writeTempFile(const QString& path, const QuestionSet& set)
{
    writeRecords(path, set);
}

SetCandidates setCandidates(const QuestionSet& set, const QString& otwetPath, int firstOrdinal, int lastOrdinal,
                            int questionLimit, const AnswerCodes* answerCodes)
{
    SetCandidates out;
    int ordinal = 0;
    for (const QuestionRecord& record : set) {
        if (int(out.questions.size()) >= questionLimit)
            break;
        ++ordinal;
        if (ordinal >= firstOrdinal && ordinal <= lastOrdinal)
            out.questions.push_back(questionRow(record, QString()));
    }
    // Only the answers of the questions asked are decoded.
    CodeLookup<code_keys::QuestionKey> asked(out.questions.size());
    for (const QuestionRow& q : out.questions)
        asked.insert(code_keys::questionKey(q.subjectCode, q.topicCode, q.testCode, q.questionNo), 0);
    RecordScanner scanner(AnswerRecord::layout());
    AnswerRows rows;
    if (answerCodes) {
        std::vector<int> indices;
        for (const AnswerRun& run : *answerCodes)
            if (asked.contains(run.key))
                for (int i = run.first; i < run.first + run.count; ++i)
                    indices.push_back(i);
        for (const QByteArray& bytes : scanner.readAt(otwetPath, indices))
            out.answers.push_back(rows.of(RecordView(AnswerRecord::layout(), bytes)));
        return out;
    }
    // Whether an answer is asked depends only on its leading code bytes, the
    // same for all answers of a question, which lie one after another.
    const QuestionFields fields(AnswerRecord::layout(), otwet::SubjectCode, otwet::TopicCode, otwet::TestCode,
                                otwet::QuestionNo);
    HeadRuns runs(AnswerRecord::layout(), {otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo});
    bool kept = false;
    scanner.scan(otwetPath, [&](int, const RecordView& a) {
        const char* record = a.bytes().data();
        if (runs.startsRun(record))
            kept = asked.contains(fields.key(record));
        if (kept)
            out.answers.push_back(rows.of(a));
    });
    return out;
}

} // namespace tavel

// Temp.dat and the candidates of a gathered question set.
#include "sets/question_set.h"

#include "sets/code_keys.h"
#include "storage/record_scan.h"
#include "storage/atomic_save.h"

#include <algorithm>
#include <cstring>

namespace tavel {

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
    saveWorkFile(path, set.bytes());
}

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
        out.questions.push_back(questionRow(r));
        asked.insert(questionFields.key(r.bytes().data()), 0);
    }
    RecordScanner scanner(AnswerRecord::layout());
    AnswerRowMaker rows;
    if (answerCodes) {
        // The runs asked, each with its records where the scan kept them
        // (null when it did not: those are read where they lie).
        const int size = AnswerRecord::layout().size;
        std::vector<std::pair<const AnswerRun*, const char*>> askedRuns;
        std::vector<int> indices;
        size_t keptAt = 0; // answerCodes->kept is in run order
        for (int r = 0; r < int(answerCodes->runs.size()); ++r) {
            const AnswerRun& run = answerCodes->runs[size_t(r)];
            while (keptAt < answerCodes->kept.size() && answerCodes->kept[keptAt].first < r)
                ++keptAt;
            if (!asked.contains(run.key))
                continue;
            const bool kept = keptAt < answerCodes->kept.size() && answerCodes->kept[keptAt].first == r;
            askedRuns.emplace_back(&run, kept ? answerCodes->records.constData() + answerCodes->kept[keptAt].second
                                              : nullptr);
            if (!kept)
                for (int i = run.first; i < run.first + run.count; ++i)
                    indices.push_back(i);
        }
        const std::vector<QByteArray> read = scanner.readAt(otwetPath, indices);
        size_t next = 0; // in `read`
        for (const auto& [run, records] : askedRuns)
            for (int k = 0; k < run->count; ++k)
                out.answers.push_back(rows.of(RecordView(
                    AnswerRecord::layout(), records ? QByteArrayView(records + k * size, size) : QByteArrayView(read[next++]))));
        return out;
    }
    // Whether an answer is asked depends only on its leading code bytes, the
    // same for all answers of a question, which lie one after another: a
    // record whose head equals the one before is judged as that one was.
    const QuestionFields fields(AnswerRecord::layout(), otwet::SubjectCode, otwet::TopicCode, otwet::TestCode,
                                otwet::QuestionNo);
    HeadRuns runs(AnswerRecord::layout(), {otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo});
    const int size = AnswerRecord::layout().size;
    bool keep = false;
    QByteArray kept; // the records of the answers asked, decoded after the scan
    scanner.scanBlocks(otwetPath, [&](int, const char* records, int count) {
        runs.forEachRun(records, count, size, [&](const char* run, int, int n, bool starts) {
            if (starts)
                keep = asked.contains(fields.key(run));
            if (keep)
                kept.append(run, qsizetype(n) * size);
        });
    });
    rows.appendRows(kept, out.answers);
    return out;
}

} // namespace tavel

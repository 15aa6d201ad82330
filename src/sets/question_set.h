// What the package exam and the keyword set have in common once their
// questions are gathered: the set is written to the subject's Temp.dat, and
// the running test's one start gets its candidates from it (the set's
// questions within the range and the limit, the answers of the whole subject).
//
// Contracts:
// - The set keeps the question records as stored (Temp.dat gets them so); the
//   candidates are question rows, trimmed as every question row is.
// - The question limit is applied here, before any key sort: the first
//   records of the set are asked, whatever the shuffle flag.
#pragma once

#include "session/question_list.h"
#include "sets/code_keys.h"
#include "storage/records.h"

#include <QString>
#include <vector>

namespace tavel {

// The question records of a set in set order, as Temp.dat gets them: the
// bytes QuestionRecord::decode and encode would give (each text field's
// length byte clamped to the field, the bytes after the text zero), kept as
// bytes so that the records a pass takes are neither decoded nor encoded on
// their way to Temp.dat. Reading an element decodes it.
class QuestionSet {
public:
    class const_iterator {
    public:
        using value_type = QuestionRecord;
        using difference_type = std::ptrdiff_t;
        const_iterator(const QuestionSet* set, size_t at) : set_(set), at_(at) {}
        QuestionRecord operator*() const { return (*set_)[at_]; }
        const_iterator& operator++()
        {
            ++at_;
            return *this;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.at_ == b.at_; }

    private:
        const QuestionSet* set_;
        size_t at_;
    };

    size_t size() const { return size_t(bytes_.size() / kRecordSize); }
    bool empty() const { return bytes_.isEmpty(); }
    void reserve(size_t records) { bytes_.reserve(qsizetype(records) * kRecordSize); }

    // A record as stored in Wopros.dat (kRecordSize bytes).
    void appendStored(const char* record);
    void push_back(const QuestionRecord& record);

    QuestionRecord operator[](size_t i) const { return QuestionRecord::decode(view(i)); }
    RecordView view(size_t i) const
    {
        return RecordView(QuestionRecord::layout(), QByteArrayView(bytes_).sliced(qsizetype(i) * kRecordSize, kRecordSize));
    }
    // Every record one after another: the contents of Temp.dat.
    const QByteArray& bytes() const { return bytes_; }

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    static constexpr int kRecordSize = 236;

private:
    QByteArray bytes_;
};

// The keys of a set's questions run from 0 to 1000.
inline constexpr int kSetKeyMultiplier = 1000;

// Rewrites Temp.dat with the set, whole (a work file: see saveWorkFile).
// Throws Error naming the file.
void writeTempFile(const QString& path, const QuestionSet& set);

struct SetCandidates {
    QuestionList questions; // keys empty: the one start draws them
    AnswerTable answers;    // the answers of those questions, file order
};

// The answer records of Otwet.dat by their codes, taken by a scan that read
// the file anyway (the keyword set's answer pass): one run per stretch of
// consecutive records with the same leading code bytes, in file order. With
// it, the answers of the questions asked are taken from what the scan kept,
// or read where they lie, instead of in one more pass over the file.
struct AnswerRun {
    code_keys::QuestionKey key;
    int first = 0; // the record index of the run's first answer
    int count = 0;
};
struct AnswerCodes {
    std::vector<AnswerRun> runs;
    // The records of some runs (those of questions the set held when the
    // scan met them), whole, one run after another: per run kept, its index
    // in `runs` and where its records begin in `records`, ascending.
    QByteArray records;
    std::vector<std::pair<int, qsizetype>> kept;
};

// The records whose ordinal (from 1, over the whole set) lies in
// firstOrdinal..lastOrdinal, at most `questionLimit` of them (none when the
// limit is 0 or less), and the answers of those questions from Otwet.dat
// (whatever their topic), in file order: a question of any topic finds its
// answers, and no other answer is decoded.
SetCandidates setCandidates(const QuestionSet& set, const QString& otwetPath, int firstOrdinal, int lastOrdinal,
                            int questionLimit, const AnswerCodes* answerCodes = nullptr);

} // namespace tavel

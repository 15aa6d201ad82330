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

using QuestionSet = std::vector<QuestionRecord>;

// The keys of a set's questions run from 0 to 1000.
inline constexpr int kSetKeyMultiplier = 1000;

// Rewrites Temp.dat with the set, atomically. Throws Error naming the file.
void writeTempFile(const QString& path, const QuestionSet& set);

struct SetCandidates {
    QuestionList questions; // keys empty: the one start draws them
    AnswerTable answers;    // the answers of those questions, file order
};

// The answer records of Otwet.dat by their codes, taken by a scan that read
// the file anyway (the keyword set's answer pass): one run per stretch of
// consecutive records with the same leading code bytes, in file order. With
// it, the answers of the questions asked are read where they lie instead of
// in one more pass over the file.
struct AnswerRun {
    code_keys::QuestionKey key;
    int first = 0; // the record index of the run's first answer
    int count = 0;
};
using AnswerCodes = std::vector<AnswerRun>;

// The records whose ordinal (from 1, over the whole set) lies in
// firstOrdinal..lastOrdinal, at most `questionLimit` of them (none when the
// limit is 0 or less), and the answers of those questions from Otwet.dat
// (whatever their topic), in file order: a question of any topic finds its
// answers, and no other answer is decoded.
SetCandidates setCandidates(const QuestionSet& set, const QString& otwetPath, int firstOrdinal, int lastOrdinal,
                            int questionLimit, const AnswerCodes* answerCodes = nullptr);

} // namespace tavel

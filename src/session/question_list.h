// The question list and the answer table of a running test and the steps
// that build them: shuffle keys, the key sort, the question limit, the total
// points and the minutes allowed (session/test_start.h puts them together).
//
// Contracts:
// - Every column is trimmed text, as the answer and question grids hold it.
// - The shuffle key is compared as text, byte by byte ("100" < "11" < "9").
// - The key sort reproduces the selection sort the system has always used
//   (for p = n down to 1 the first row holding the largest key among rows
//   1..p is swapped with row p), including where equal keys end up, in
//   O(n log n).
#pragma once

#include "platform/random.h"
#include "storage/code_lookup.h"
#include "storage/records.h"

#include <QString>
#include <vector>

namespace tavel {

// The postponement mark of a question in the normal run; postponing empties it.
inline const QString kPendingMark = QStringLiteral("у");

// One row of the question list (the grid's rows 1..n are elements 0..n-1).
struct QuestionRow {
    QString subjectCode;
    QString topicCode;
    QString testCode;
    QString questionNo;
    QString questionText; // as stored, explanation-file reference included
    QString key;          // shuffle key, decimal text
    QString points;       // Points as stored (trimmed); may be blank
    QString mark = kPendingMark; // "у" pending, empty when postponed

    QString systemNumber() const;
};
using QuestionList = std::vector<QuestionRow>;

// One row of the answer table (all answers of the topic, in file order).
struct AnswerRow {
    QString subjectCode;
    QString topicCode;
    QString testCode;
    QString questionNo;
    QString answerNo;
    QString answerMark;
    QString answerText;

    // True when the row belongs to the question (all four codes equal).
    bool belongsTo(const QuestionRow& question) const;
};
using AnswerTable = std::vector<AnswerRow>;

// A question row straight from a Wopros.dat record's bytes, columns trimmed,
// no key yet, the mark "у": trimming the bytes trims the text, since every
// byte above 127 is a character above the blank.
QuestionRow questionRow(const RecordView& record);

// Answer rows straight from Otwet.dat records' bytes. The short fields
// (codes, number, mark: at most three characters) repeat from answer to
// answer, so each distinct one is decoded once and its text shared; only the
// answer's own text is decoded for every row.
class AnswerRowMaker {
public:
    AnswerRow of(const RecordView& record);
    // The rows of Otwet.dat records lying one after another in `records`,
    // appended to `table` (grown once).
    void appendRows(QByteArrayView records, AnswerTable& table);

private:
    QString shortText(const RecordView& record, int field);

    CodeLookup<quint64> index_;
    std::vector<QString> texts_;
};

// The key of one row: the decimal text of random × multiplier rounded to the
// nearest whole number, halves to even (Start uses 100, the package exam 1000).
QString shuffleKey(RandomSource& random, int multiplier = 100);

// Sorts by key as the selection sort described above does (ascending keys).
void sortByKey(QuestionList& rows);

// Keeps the first `limit` rows (none when the limit is 0 or less).
void applyLimit(QuestionList& rows, int limit);

// The sum of the Points of the rows; blank Points count nothing. At the first
// Points that is not a whole number the sum stops: `error` names the question
// and the value, and `total` means nothing (the test must not start).
struct PointsSum {
    int total = 0;
    QString error; // empty when every value was a whole number or blank
    int badRow = -1; // index of the offending row, -1 when none
    bool ok() const { return error.isEmpty(); }
};
PointsSum totalPoints(const QuestionList& rows);

// Minutes allowed for the test: MaxTime, or the number of questions asked
// when MaxTime is 0.
int limitMinutes(int maxTime, int questionCount);

} // namespace tavel

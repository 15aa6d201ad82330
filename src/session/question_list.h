// The question list and the answer table of a running test, and Start's way of
// building them: the topic's questions within a range of ordinals, each with a
// random shuffle key, sorted by key when shuffling, cut to the question limit;
// all answers of the topic; the total points and the minutes allowed.
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
#include "storage/install_folder.h"
#include "storage/records.h"
#include "storage/topic_scan.h"

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

// Rows with trimmed columns; the question row gets `key` and the mark "у".
QuestionRow questionRow(const QuestionRecord& record, const QString& key);
AnswerRow answerRow(const AnswerRecord& record);

// The key of one row: the decimal text of random × multiplier rounded to the
// nearest whole number, halves to even (Start uses 100, the package exam 1000).
QString shuffleKey(RandomSource& random, int multiplier = 100);

// Sorts by key as the selection sort described above does (ascending keys).
void sortByKey(QuestionList& rows);

// Keeps the first `limit` rows (none when the limit is 0 or less).
void applyLimit(QuestionList& rows, int limit);

// The sum of the Points of the rows; blank Points count nothing. At the first
// Points that is not a whole number the sum stops: `total` is what was added
// before it and `error` names the question and the value.
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

// What Start needs to know.
struct StartRequest {
    QString folderName;  // FolderName of the subject (under the installation folder)
    QString subjectCode; // the chosen topic's codes
    QString topicCode;
    int firstOrdinal = 1;   // PervNomVopr: ordinals count the topic's questions from 1
    int lastOrdinal = 500;  // PoslNomVopr
    bool shuffle = true;    // the shuffle flag
    int questionLimit = 500;
    int maxTime = 10;       // MaxTime, minutes; 0 means one minute per question
    int keyMultiplier = 100;
};

// What Start builds.
struct StartData {
    QuestionList questions; // in asking order, cut to the limit
    AnswerTable answers;    // all answers of the topic, file order
    int totalPoints = 0;    // WseBal
    QString pointsError;    // see PointsSum; empty when fine
    int limitTime = 0;      // LimitTime, minutes
};

// Start's data flow: reads Wopros.dat and Otwet.dat of the subject once each
// (a missing file reads as empty), keeps the topic's questions whose ordinal
// lies in the range, draws one key per kept question in file order, sorts when
// shuffling, applies the limit, sums the points and loads the topic's answers.
// `progress` is called for the question file, then for the answer file.
// Throws Error when a file cannot be read.
StartData prepareTopic(const InstallFolder& home, const StartRequest& request, RandomSource& random,
                       const ScanProgress& progress = {});

} // namespace tavel

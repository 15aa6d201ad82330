// Packages: how many questions an exam takes from each topic. A package file
// (Exam.dat and the other "Exam*.dat" files of a subject folder) holds one
// PackageRecord per topic; this file reads and writes them, and holds the
// package editor's operations on its rows (recount, fill, sums, moves,
// delete) and the package list's view of them.
//
// Contracts:
// - Rows are PackageRecord values (the editor's grid rows 1..n are rows
//   0..n-1 here); "Всего" is totalCount, "Надо" wantedCount, both decimal text.
// - Every count is read with countOf(): a value that is not a whole number
//   stops the operation with an Error naming the file (or grid) and the
//   record, before anything is changed.
// - Saves are atomic: a failed save leaves the former file whole.
#pragma once

#include "reports/workbook.h"
#include "storage/records.h"
#include "storage/topic_scan.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tavel {

using PackageRows = std::vector<PackageRecord>;

// A package file as read: its complete records and the size of a trailing
// partial record (0 when the size is a multiple of 138 bytes).
struct PackageFile {
    QString path;
    PackageRows rows;
    int trailingBytes = 0;
};

// Reads a package. Throws Error naming the file when it is missing or
// unreadable, or when `path` is empty.
PackageFile readPackage(const QString& path);
// The message for a package whose size is not a whole number of records.
QString partialRecordMessage(const PackageFile& file);

// The whole number of a count field ("Всего" or "Надо") of row `index`
// (0-based; messages count records from 1). `where` names the file or the
// grid. Throws Error naming where, the record, the topic and the value.
int countOf(const PackageRecord& row, bool wanted, const QString& where, int index);

struct PackageSums {
    int total = 0;  // sum of "Всего" (WsegoW)
    int wanted = 0; // sum of "Надо" (WsegoNado)
};
PackageSums sumCounts(const PackageRows& rows, const QString& where);

// "Вставить": "Надо" := the smaller of "Всего" and `kolW` (trimmed text).
// Throws (changing nothing) when kolW or a "Всего" is not a whole number.
void fillWanted(PackageRows& rows, const QString& kolW, const QString& where);
// "Всего->Надо": "Надо" := "Всего" in every row.
void totalsToWanted(PackageRows& rows);

// Recount of "Всего": the number of question records of each row's topic
// (trimmed codes), counted in one pass over Wopros.dat; a topic without
// questions gets "0". `progress` is called a bounded number of times.
void recountTotals(PackageRows& rows, const QString& woprosPath, const ScanProgress& progress = {});

// Row moves. `selected` is a row index (0-based); each returns the row
// selected afterwards. A move that does not apply changes nothing.
int moveUp(PackageRows& rows, int selected);
int moveDown(PackageRows& rows, int selected);
// To the first place; the selection goes to the row that followed the moved
// one, when there is one.
int moveToTop(PackageRows& rows, int selected);
// To the last place; the selection goes to the row that preceded the moved
// one, when that is not the first row.
int moveToBottom(PackageRows& rows, int selected);
// Deletes the row; the same index stays selected while it exists (else the
// last row, -1 when none is left).
int removeRow(PackageRows& rows, int selected);

// Throws Error naming the grid row when a row's "Всего" or "Надо" is not a
// whole number of 0 or more.
void checkPackageRows(const PackageRows& rows);
// Saves the rows into the package file: every cell trimmed and cut to its
// field. A row whose "Всего" or "Надо" is not a whole number of 0 or more
// stops the save before the file is touched (Error naming the row).
void savePackage(const QString& path, const PackageRows& rows);
// Rewrites Tema.dat with one topic per row (codes and name), atomically.
void replaceTopics(const QString& temaPath, const PackageRows& rows);

// The package list: the package files of a subject folder, sorted by name:
// ".dat" files (any case of the extension) whose names begin with "Exam".
QStringList packageFiles(const QString& subjectFolder);
// The part of a package's file name after "Exam", at most 100 characters
// (the second column of the list's workbook).
QString packageNameTail(const QString& path);

// The topics of a package as the list shows them: the rows whose "Надо" is
// not "0", with the sums of their counts.
struct PackageView {
    PackageRows rows;
    PackageSums sums;
};
PackageView packageView(const PackageFile& file);

// The spreadsheet lists: the editor's grid with its title row (grid row r,
// column c in sheet row r + 1, column c + 1), and the package list (number
// and the part of the file name after "Exam"), each with fitted columns.
Workbook packageGridWorkbook(const PackageRows& rows);
Workbook packageListWorkbook(const QStringList& paths);

} // namespace tavel

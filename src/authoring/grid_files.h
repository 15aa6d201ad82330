// The editor's grids and the subject's record files: loading a grid from its
// file (with the defaults row for an empty file and a report of damage),
// the warnings owed before a save, saving a grid back (rows marked "Уд"
// left out, except in the section grid) and adding a topic to the default
// package Exam.dat.
#pragma once

#include "authoring/editor_grids.h"

#include <QString>
#include <QStringList>

namespace tavel::authoring {

// The file of a grid in the subject folder: "Predmet.dat", "Tema.dat",
// "Wopros.dat", "Otwet.dat"; empty for IzTXT.
QString fileNameOf(Grid grid);

// The row an empty file is shown with: sections "1", "1", "Здесь должно быть
// название раздела"; topics "1", "1", "Здесь должно быть название темы";
// questions "1" in Predm, Tema and Test and "5" in Ball; answers "1" in
// Predm, Tema and Test; every other cell empty.
GridRow defaultRow(Grid grid);

struct LoadResult {
    int records = 0;    // records read (the count box shows it)
    QStringList damage; // one line per problem
};

// Loads the grid from the file at `path` (a missing file reads as empty).
// A file without records gives the defaults row, which counts as not
// modified. The damage found is named by file and record (counted from 1, as
// the grid's rows): a trailing partial record (not shown, and not kept by the
// next save of this grid) and length bytes beyond their field (read
// clamped). Throws Error when the file exists but cannot be read.
LoadResult loadGrid(GridModel& grid, const QString& path);

// Cells that will not be stored as they stand, one line each naming the
// grid, row and column: longer than the field (cut), holding a tab or a line
// break (stored as they are), or holding characters the code page lacks
// (stored as "?"). Only rows that are saved are looked at. At most
// `maxLines` lines, the last saying how many more there are.
QStringList saveWarnings(const GridModel& grid, int maxLines = 15);

// Rewrites the file at `path` from the grid, atomically: one record per row
// in row order, each cell cut to its field; rows whose column 0 trimmed is
// "Уд" are left out except in the section grid. Clears the modified flag.
// Returns the number of records written. Throws Error naming the file when
// it cannot be written; the former file then stays whole.
int saveGrid(GridModel& grid, const QString& path);

// True when the package file at `path` already holds a record with the
// topic's trimmed codes (a missing file holds none).
bool packageHasTopic(const QString& path, QStringView subjectCode, QStringView topicCode);
// Appends the topic's package record (its codes and name, TotalCount "5",
// WantedCount "1") at the end of the package file (created when missing).
void appendTopicToPackage(const QString& path, const GridRow& topicRow);

} // namespace tavel::authoring

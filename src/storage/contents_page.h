// The contents page Baza/Oglavlenie.txt shown on the start screen: line 1 the
// column count, line 2 the row count, then one line per cell, row by row, left
// to right (row 0 included: the grid has no title row, the column titles sit
// above it). Columns: 0 number, 1 subject name, 2 topics, 3 questions,
// 4 answers. Cell (r, c) is on line 3 + r × columns + c.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tavel {

struct ContentsPage {
    int columns = 0;
    int rows = 0;
    std::vector<QStringList> cells; // rows × columns
    QString path;                   // the file read, named in messages
};

// Reads the file into `into`. Throws Error naming the file and the line when a
// count is not a whole number (or negative), rows are counted in a grid of no
// columns, or lines are missing; the rows read so far stay in `cells` (the
// last one possibly short).
void readContentsPage(const QString& path, ContentsPage& into);

// Totals the group rows: walking from the last row of `cells` to row 0,
// columns 2 to 4 of every row are added to running sums; a row whose column 2
// reads "0" (trimmed) is a group heading and gets the sums, which restart from
// zero. A heading's own counts are added before it takes the sums, so a
// heading "0", "7", "0" over rows of 10 and 20 questions shows 37. Throws Error
// naming the file, the line, the row and the column when a cell of columns 2
// to 4 is not a whole number or is missing; rows below it are already
// totalled.
void totalGroups(ContentsPage& page);

} // namespace tavel

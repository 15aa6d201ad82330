// The contents page Baza/Oglavlenie.txt shown on the start screen: line 1 the
// column count, line 2 the row count, then one line per cell, row by row (row 0,
// the title row, included). Columns: 0 number, 1 subject name, 2 topics,
// 3 questions, 4 answers.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tavel {

struct ContentsPage {
    int columns = 0;
    int rows = 0;
    std::vector<QStringList> cells; // rows × columns
};

// Reads the file into `into`. Throws Error naming the file and the line when a
// count is not a whole number or lines are missing; the cells read so far stay.
void readContentsPage(const QString& path, ContentsPage& into);

// Totals the group rows: walking from the last row to the first, columns 2 to 4
// of every row are added to running sums; a row whose column 2 reads "0"
// (trimmed) is a group heading and gets the sums, which restart from zero.
// Throws Error naming the row when a cell of columns 2 to 4 is not a whole
// number; rows below it are already totalled.
void totalGroups(ContentsPage& page);

} // namespace tavel

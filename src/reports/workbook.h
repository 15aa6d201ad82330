// The workbook every list meant for a spreadsheet is built in (contents,
// packages, keyword lists): the spreadsheet operations E1 to E3 over one
// sheet of text cells.
//
//     Workbook book;                          // E1: one sheet "Лист1"
//     book.setCell(1, 1, QStringLiteral("Предмет"));   // E2
//     book.fitColumns();                      // E3
//     ... then the workbook window shows it and saves it (XLSX, CSV).
//
// Contracts: rows and columns count from 1; every cell is text as given
// (a "0012" stays "0012"); a cell never set reads as empty.
#pragma once

#include <QString>
#include <vector>

namespace tavel {

class Workbook {
public:
    // The one sheet's name.
    static QString sheetName() { return QStringLiteral("Лист1"); }
    // The column width a column keeps until fitColumns, in characters.
    static constexpr double kDefaultWidth = 8.43;
    // The most characters fitColumns gives a column.
    static constexpr double kMaxFittedWidth = 80;

    // The title: the window's caption and the name Save as suggests.
    const QString& title() const { return title_; }
    void setTitle(const QString& title) { title_ = title; }

    // E2. Rows or columns below 1 are ignored.
    void setCell(int row, int column, const QString& text);
    QString cell(int row, int column) const;
    // The last row and column that hold a cell set (0 when none).
    int rowCount() const { return int(rows_.size()); }
    int columnCount() const { return columns_; }

    // E3: every column as wide as its longest line of text (one character
    // spare), at least as wide as kDefaultWidth's column; at most
    // kMaxFittedWidth.
    void fitColumns();
    // A column's width in characters.
    double columnWidth(int column) const;

private:
    std::vector<std::vector<QString>> rows_;
    std::vector<double> widths_; // fitted widths by column; empty before E3
    int columns_ = 0;
    QString title_;
};

} // namespace tavel

// The workbook of the report writer (E1 to E3).
#include "reports/workbook.h"

#include <QStringList>
#include <algorithm>

namespace tavel {

void Workbook::setCell(int row, int column, const QString& text)
{
    if (row < 1 || column < 1)
        return;
    if (size_t(row) > rows_.size())
        rows_.resize(size_t(row));
    auto& cells = rows_[size_t(row - 1)];
    if (size_t(column) > cells.size())
        cells.resize(size_t(column));
    cells[size_t(column - 1)] = text;
    columns_ = std::max(columns_, column);
}

QString Workbook::cell(int row, int column) const
{
    if (row < 1 || column < 1 || size_t(row) > rows_.size())
        return {};
    const auto& cells = rows_[size_t(row - 1)];
    return size_t(column) <= cells.size() ? cells[size_t(column - 1)] : QString();
}

void Workbook::fitColumns()
{
    widths_.assign(size_t(columns_), kDefaultWidth);
    for (const auto& cells : rows_) {
        for (size_t c = 0; c < cells.size(); ++c) {
            if (cells[c].isEmpty())
                continue;
            qsizetype longest = 0;
            for (QStringView line : QStringView(cells[c]).split(u'\n'))
                longest = std::max(longest, line.size());
            widths_[c] = std::clamp(double(longest + 1), widths_[c], kMaxFittedWidth);
        }
    }
}

double Workbook::columnWidth(int column) const
{
    if (column < 1 || size_t(column) > widths_.size())
        return kDefaultWidth;
    return widths_[size_t(column - 1)];
}

} // namespace tavel

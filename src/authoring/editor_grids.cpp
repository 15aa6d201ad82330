// The editor's grids: rows kept as file bytes until a cell is asked for or
// changed.
#include "authoring/editor_grids.h"

#include "storage/cp1251.h"
#include "storage/record.h"
#include "storage/text.h"

#include <cstring>
#include <utility>

namespace tavel::authoring {

const QStringList& columnTitleTable()
{
    static const QStringList table{QStringLiteral("Predm"), QStringLiteral("Tema"),   QStringLiteral("Test"),
                                   QStringLiteral("Wopr"),  QStringLiteral("Otwe"),   QStringLiteral("Kod_P"),
                                   QStringLiteral("Nazwan"), QStringLiteral("Porad"), QStringLiteral("Ball"),
                                   QStringLiteral("S_Kod")};
    return table;
}

QStringList columnTitles(Grid grid)
{
    const QStringList& t = columnTitleTable();
    switch (grid) {
    case Grid::Sections:
        return {t[0], t[2], t[6]};
    case Grid::Topics:
        return {t[0], t[1], t[6]};
    case Grid::Questions:
        return t.mid(0, 4) + t.mid(6, 4);
    case Grid::Answers:
    case Grid::Import:
        break;
    }
    return t.mid(0, 7);
}

const RecordLayout& layoutOf(Grid grid)
{
    switch (grid) {
    case Grid::Sections:
        return layouts::predmet;
    case Grid::Topics:
        return layouts::tema;
    case Grid::Questions:
        return layouts::wopros;
    case Grid::Answers:
    case Grid::Import:
        break;
    }
    return layouts::otwet;
}

QString gridName(Grid grid)
{
    switch (grid) {
    case Grid::Sections:
        return QStringLiteral("RazdelTab");
    case Grid::Topics:
        return QStringLiteral("TemaTabl");
    case Grid::Questions:
        return QStringLiteral("WopTabl");
    case Grid::Answers:
        return QStringLiteral("OtwTabl");
    case Grid::Import:
        break;
    }
    return QStringLiteral("IzTXT");
}

QString deletionMark()
{
    return QStringLiteral("Уд");
}

Code::Code(QStringView code) : text(trimmed(code)), bytes(cp1251::encode(text)) {}

GridModel::GridModel(Grid grid, QObject* parent) : QAbstractTableModel(parent), grid_(grid), layout_(&layoutOf(grid)) {}

RecordView GridModel::view(qint32 record) const
{
    return file_.at(record);
}

QString GridModel::cell(int row, int column) const
{
    if (row < 0 || row >= rows() || column < 0 || column >= columns())
        return {};
    const Row& r = rows_[size_t(row)];
    if (!r.cells.isEmpty())
        return r.cells[column];
    return view(r.record).text(column);
}

GridRow GridModel::row(int row) const
{
    GridRow out;
    for (int c = 0; c < columns(); ++c)
        out << cell(row, c);
    return out;
}

bool GridModel::codeEquals(int row, int column, const Code& code) const
{
    if (row < 0 || row >= rows() || column < 0 || column >= columns())
        return false;
    const Row& r = rows_[size_t(row)];
    if (!r.cells.isEmpty())
        return trimmed(r.cells[column]) == code.text;
    return trimmed(view(r.record).rawText(column)) == QByteArrayView(code.bytes);
}

bool GridModel::isMarked(int row) const
{
    static const Code mark(deletionMark());
    return codeEquals(row, 0, mark);
}

GridRow GridModel::fitted(const GridRow& cells) const
{
    GridRow out = cells.mid(0, columns());
    while (out.size() < columns())
        out << QString();
    return out;
}

QStringList& GridModel::ownCells(int row)
{
    Row& r = rows_[size_t(row)];
    if (r.cells.isEmpty()) {
        const RecordView v = view(r.record);
        QStringList cells;
        cells.reserve(columns());
        for (int c = 0; c < columns(); ++c)
            cells << v.text(c);
        r.cells = std::move(cells);
    }
    return r.cells;
}

void GridModel::touch()
{
    if (modified_)
        return;
    modified_ = true;
    Q_EMIT modifiedChanged(true);
}

void GridModel::setCell(int row, int column, const QString& text)
{
    if (row < 0 || row >= rows() || column < 0 || column >= columns())
        return;
    ownCells(row)[column] = text;
    touch();
    Q_EMIT dataChanged(index(row, column), index(row, column));
}

void GridModel::setRow(int row, const GridRow& cells)
{
    if (row < 0 || row >= rows())
        return;
    rows_[size_t(row)].cells = fitted(cells);
    touch();
    Q_EMIT dataChanged(index(row, 0), index(row, columns() - 1));
}

void GridModel::appendRow(const GridRow& cells)
{
    insertRow(rows(), cells);
}

void GridModel::appendRows(const std::vector<GridRow>& rows)
{
    if (rows.empty())
        return;
    beginInsertRows({}, this->rows(), this->rows() + int(rows.size()) - 1);
    rows_.reserve(rows_.size() + rows.size());
    for (const GridRow& cells : rows)
        rows_.push_back(Row{-1, fitted(cells)});
    endInsertRows();
    touch();
}

void GridModel::insertRow(int before, const GridRow& cells)
{
    before = std::clamp(before, 0, rows());
    beginInsertRows({}, before, before);
    rows_.insert(rows_.begin() + before, Row{-1, fitted(cells)});
    endInsertRows();
    touch();
}

void GridModel::removeRow(int row)
{
    if (row < 0 || row >= rows())
        return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
    touch();
}

void GridModel::swapRows(int a, int b)
{
    if (a < 0 || b < 0 || a >= rows() || b >= rows() || a == b)
        return;
    std::swap(rows_[size_t(a)], rows_[size_t(b)]);
    touch();
    Q_EMIT dataChanged(index(std::min(a, b), 0), index(std::max(a, b), columns() - 1));
}

void GridModel::replaceRows(const std::vector<GridRow>& rows)
{
    beginResetModel();
    file_ = RecordFile();
    rows_.clear();
    rows_.reserve(rows.size());
    for (const GridRow& cells : rows)
        rows_.push_back(Row{-1, fitted(cells)});
    endResetModel();
    touch();
}

void GridModel::setColumn(int column, const QString& text)
{
    if (column < 0 || column >= columns() || rows_.empty())
        return;
    for (int r = 0; r < rows(); ++r)
        ownCells(r)[column] = text;
    touch();
    Q_EMIT dataChanged(index(0, column), index(rows() - 1, column));
}

void GridModel::loadRecords(const RecordFile& file)
{
    Q_ASSERT(&file.layout() == layout_ || file.count() == 0);
    beginResetModel();
    file_ = file;
    rows_.clear();
    rows_.resize(size_t(file.count()));
    for (int i = 0; i < file.count(); ++i)
        rows_[size_t(i)].record = i;
    endResetModel();
    modified_ = false;
}

QByteArray GridModel::recordBytes(int row, int* unmappable) const
{
    QByteArray out(layout_->size, '\0');
    writeRecord(row, out.data(), unmappable);
    return out;
}

void GridModel::writeRecord(int row, char* out, int* unmappable) const
{
    const Row& r = rows_[size_t(row)];
    if (r.cells.isEmpty()) {
        // The file's own record; only a length byte beyond its field is
        // mended, to the capacity the reader clamped it to.
        const QByteArrayView bytes = view(r.record).bytes();
        std::memcpy(out, bytes.data(), size_t(layout_->size));
        for (const FieldSpec& f : layout_->fields) {
            if (f.type == FieldType::Text && static_cast<unsigned char>(out[f.offset]) > f.capacity())
                out[f.offset] = char(f.capacity());
        }
        return;
    }
    RecordBuffer buffer(*layout_);
    for (int c = 0; c < columns(); ++c) {
        const int lost = buffer.setText(c, r.cells[c]);
        if (unmappable)
            *unmappable += lost;
    }
    std::memcpy(out, buffer.bytes().constData(), size_t(layout_->size));
}

int GridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows();
}

int GridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns();
}

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cell(index.row(), index.column());
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    if (text == cell(index.row(), index.column()))
        return true;
    setCell(index.row(), index.column(), text);
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal) {
        const QStringList titles = columnTitles(grid_);
        return section >= 0 && section < titles.size() ? QVariant(titles[section]) : QVariant();
    }
    return section + 1;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

EditorGrids::EditorGrids()
    : sectionGrid(Grid::Sections), topicGrid(Grid::Topics), questionGrid(Grid::Questions),
      answerGrid(Grid::Answers), importGrid(Grid::Import)
{
}

GridModel& EditorGrids::of(Grid grid)
{
    switch (grid) {
    case Grid::Sections:
        return sectionGrid;
    case Grid::Topics:
        return topicGrid;
    case Grid::Questions:
        return questionGrid;
    case Grid::Answers:
        return answerGrid;
    case Grid::Import:
        break;
    }
    return importGrid;
}

} // namespace tavel::authoring

// The editor's grids: rows kept as file bytes until a cell is asked for or
// changed.
#include "authoring/editor_grids.h"

#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/record.h"
#include "storage/text.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cstring>
#include <numeric>
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
    return RecordView(*layout_, QByteArrayView(bytes_).sliced(qsizetype(record) * layout_->size, layout_->size));
}

QString GridModel::cell(int row, int column) const
{
    if (row < 0 || row >= rows() || column < 0 || column >= columns())
        return {};
    const qint32 r = rows_[size_t(row)];
    if (r < 0)
        return owned_[size_t(-1 - r)][column];
    return view(r).text(column);
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
    const qint32 r = rows_[size_t(row)];
    if (r < 0)
        return trimmed(owned_[size_t(-1 - r)][column]) == code.text;
    return trimmed(view(r).rawText(column)) == QByteArrayView(code.bytes);
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

qint32 GridModel::own(const GridRow& cells)
{
    owned_.push_back(fitted(cells));
    return -qint32(owned_.size());
}

QStringList& GridModel::ownCells(int row)
{
    qint32& r = rows_[size_t(row)];
    if (r >= 0) {
        const RecordView v = view(r);
        QStringList cells;
        cells.reserve(columns());
        for (int c = 0; c < columns(); ++c)
            cells << v.text(c);
        r = own(cells);
    }
    return owned_[size_t(-1 - r)];
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
    qint32& r = rows_[size_t(row)];
    if (r < 0)
        owned_[size_t(-1 - r)] = fitted(cells);
    else
        r = own(cells);
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
        rows_.push_back(own(cells));
    endInsertRows();
    touch();
}

void GridModel::insertRow(int before, const GridRow& cells)
{
    before = std::clamp(before, 0, rows());
    beginInsertRows({}, before, before);
    rows_.insert(rows_.begin() + before, own(cells));
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

void GridModel::resetContent()
{
    rows_.clear();
    owned_.clear();
    overlong_.clear();
    records_ = 0;
}

void GridModel::replaceRows(const std::vector<GridRow>& rows)
{
    beginResetModel();
    resetContent();
    rows_.reserve(rows.size());
    for (const GridRow& cells : rows)
        rows_.push_back(own(cells));
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
    Q_ASSERT(file.count() == 0 || &file.layout() == layout_);
    beginResetModel();
    resetContent();
    bytes_.clear();
    for (int i = 0; i < file.count(); ++i)
        bytes_ += file.at(i).bytes();
    records_ = file.count();
    rows_.resize(size_t(records_));
    std::iota(rows_.begin(), rows_.end(), 0);
    endResetModel();
    modified_ = false;
}

void GridModel::clear()
{
    beginResetModel();
    resetContent();
    endResetModel();
    modified_ = false;
}

int GridModel::readFile(const QString& path)
{
    const auto native = [&] { return QDir::toNativeSeparators(path); };
    beginResetModel();
    resetContent();
    modified_ = false;
    QFile file(path);
    qint64 size = 0;
    bool read = file.open(QIODevice::ReadOnly);
    if (read) {
        size = file.size();
        // The buffer of the last load is reused: no new allocation, and its
        // pages are already the program's.
        if (!bytes_.isDetached())
            bytes_ = QByteArray();
        bytes_.resize(size);
        read = readChecked(file, size);
    }
    if (!read) {
        bytes_.clear();
        overlong_.clear();
        endResetModel();
        throw Error(QStringLiteral("Не удалось прочитать файл %1: %2").arg(native(), file.errorString()));
    }
    records_ = qint32(size / layout_->size);
    rows_.resize(size_t(records_));
    std::iota(rows_.begin(), rows_.end(), 0);
    endResetModel();
    return int(size % layout_->size);
}

bool GridModel::readChecked(QFile& file, qint64 size)
{
    // The text fields' length bytes, checked record by record.
    struct LengthByte {
        qsizetype offset;
        unsigned char capacity; // a length byte holds at most 255
    };
    std::vector<LengthByte> lengths;
    for (const FieldLayout& f : layout_->fields) {
        if (f.type == FieldType::Text)
            lengths.push_back({f.offset, static_cast<unsigned char>(f.capacity())});
    }
    // The file is read about a megabyte of whole records at a time, and each
    // part is checked while it is still in the processor's cache: checked
    // after one read of the whole file, the records came from memory again,
    // which took twice as long as the read.
    const qsizetype recordSize = layout_->size;
    const qsizetype part = std::max<qsizetype>(1, (qsizetype(1) << 20) / recordSize) * recordSize;
    char* const into = bytes_.data();
    const auto* data = reinterpret_cast<const unsigned char*>(into);
    for (qint64 done = 0; done < size;) {
        const qint64 want = std::min<qint64>(part, size - done);
        if (file.read(into + done, want) != want)
            return false;
        const qint32 last = qint32((done + want) / recordSize);
        for (qint32 r = qint32(done / recordSize); r < last; ++r) {
            const unsigned char* record = data + qsizetype(r) * recordSize;
            bool bad = false;
            for (const LengthByte& length : lengths)
                bad |= record[length.offset] > length.capacity;
            if (bad)
                overlong_.push_back(r);
        }
        done += want;
    }
    return true;
}

QByteArray GridModel::recordBytes(int row, int* unmappable) const
{
    QByteArray out(layout_->size, '\0');
    writeRecord(row, out.data(), unmappable);
    return out;
}

void GridModel::writeRecord(int row, char* out, int* unmappable) const
{
    const qint32 r = rows_[size_t(row)];
    if (r >= 0) {
        // The file's own record; only a length byte beyond its field is
        // mended, to the capacity the reader clamped it to.
        std::memcpy(out, bytes_.constData() + qsizetype(r) * layout_->size, size_t(layout_->size));
        for (const FieldLayout& f : layout_->fields) {
            if (f.type == FieldType::Text && static_cast<unsigned char>(out[f.offset]) > f.capacity())
                out[f.offset] = char(f.capacity());
        }
        return;
    }
    RecordBuffer buffer(*layout_);
    const QStringList& cells = owned_[size_t(-1 - r)];
    for (int c = 0; c < columns(); ++c) {
        const int lost = buffer.setText(c, cells[c]);
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

// The five grids of the question-base editor as table models over vectors of
// rows: sections `RazdelTab` (Predmet.dat), topics `TemaTabl` (Tema.dat),
// questions `WopTabl` (Wopros.dat), answers `OtwTabl` (Otwet.dat) and the
// import staging grid `IzTXT` (no file; the answer grid's seven columns).
//
// Rows and columns. Row indices of this interface count data rows from 0 (the
// column titles are the view's header, not a row); the editor's status boxes
// show row + 1, the numbering the author sees. Column i of a grid is field i
// of its record, in record order, so the field enums of storage/record_layout.h
// name the columns: predmet::, tema::, wopros::, otwet:: (IzTXT uses otwet::).
//
// A row is a GridRow: one QString per column. Rows given with fewer cells are
// filled with empty cells, rows with more are cut to the grid's columns. Cells
// hold text as typed, of any length; a cell is cut to its field's capacity
// only when the grid is saved (see grid_files.h), after the editor has warned
// about cells that will not fit.
//
// Storage. Rows loaded from a file stay as the file's bytes and are decoded
// only when a cell is asked for, so a grid of 400 000 answers opens about as
// fast as its file is read; a row that is edited, inserted or appended holds
// its own cells. Every change goes through the methods below, which tell the
// attached views and set the grid's modified flag.
//
// For the import (decoding of IzTXT into the grids above): build GridRows and
// call appendRows() on topicGrid/questionGrid/answerGrid, or replaceRows() to
// put a whole new content into a grid (IzTXT is refilled this way). Codes are
// written as text; nothing here assigns or renumbers them.
#pragma once

#include "storage/record_file.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class QFile;

namespace tavel::authoring {

enum class Grid { Sections, Topics, Questions, Answers, Import };

// One row of a grid: one cell per column, in record field order.
using GridRow = QStringList;

// The one table of the ten column titles: "Predm", "Tema", "Test", "Wopr",
// "Otwe", "Kod_P", "Nazwan", "Porad", "Ball", "S_Kod".
const QStringList& columnTitleTable();
// The titles of a grid's columns, taken from that table.
QStringList columnTitles(Grid grid);
// The record layout whose fields the grid's columns are (IzTXT: Otwet.dat's).
const RecordLayout& layoutOf(Grid grid);
// The objectName of the grid's view: "RazdelTab", "TemaTabl", "WopTabl",
// "OtwTabl", "IzTXT".
QString gridName(Grid grid);

// The deletion mark written into column 0 ("Уд").
QString deletionMark();

// A code prepared for comparing with many cells: trimmed, and in the code
// page's bytes.
struct Code {
    explicit Code(QStringView code);
    QString text;
    QByteArray bytes;
};

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(Grid grid, QObject* parent = nullptr);

    Grid grid() const { return grid_; }
    const RecordLayout& layout() const { return *layout_; }
    int columns() const { return int(layout_->fields.size()); }
    int rows() const { return int(rows_.size()); }

    // The text of one cell; empty for a row or column outside the grid.
    QString cell(int row, int column) const;
    GridRow row(int row) const;
    // True when the cell, trimmed, equals `code` trimmed, byte for byte as
    // the code page stores it (the code rule of the question base). Fast on
    // rows still held as file bytes.
    bool codeEquals(int row, int column, const Code& code) const;
    bool codeEquals(int row, int column, QStringView code) const { return codeEquals(row, column, Code(code)); }
    // True when column 0, trimmed, reads "Уд".
    bool isMarked(int row) const;

    // Changes (each one sets the modified flag and tells the views).
    void setCell(int row, int column, const QString& text);
    void setRow(int row, const GridRow& cells);
    void appendRow(const GridRow& cells);
    void appendRows(const std::vector<GridRow>& rows);
    // Inserts `cells` so that it becomes row `before` (rows() appends).
    void insertRow(int before, const GridRow& cells);
    void removeRow(int row);
    void swapRows(int a, int b);
    // The whole content replaced by `rows`.
    void replaceRows(const std::vector<GridRow>& rows);
    // Sets `column` to `text` in every row.
    void setColumn(int column, const QString& text);

    // The content replaced by the records of `file` (its layout must be the
    // grid's), kept as the file's bytes; clears the modified flag.
    void loadRecords(const RecordFile& file);
    // The content replaced by the records of the file at `path`, read with
    // one bulk read into the grid's own buffer (reused from the last load);
    // clears the modified flag. Returns the bytes of a trailing partial
    // record, which are not shown. Throws Error naming the file when it
    // cannot be read; the grid is then empty.
    int readFile(const QString& path);
    // The content removed; clears the modified flag.
    void clear();
    // The records as they were loaded (not changed by edits or moves), for
    // checking what was read.
    int storedRecords() const { return records_; }
    RecordView storedRecord(int record) const { return view(record); }
    // The loaded records with a text length byte beyond its field (the
    // reader clamps such a length to the field), in file order; found while
    // the file is read.
    const std::vector<qint32>& overlongRecords() const { return overlong_; }

    // Changed since the last load or markSaved().
    bool isModified() const { return modified_; }
    void markSaved() { modified_ = false; }

    // Rows as record bytes for saving: row `row` as one record of the
    // grid's layout, every cell cut to its field's capacity. A row still held
    // as file bytes is copied field by field without decoding. `unmappable`
    // (if given) is increased by the characters the code page cannot hold.
    QByteArray recordBytes(int row, int* unmappable = nullptr) const;
    // The same record written at `out` (layout().size bytes).
    void writeRecord(int row, char* out, int* unmappable = nullptr) const;
    // True when the row holds its own cells (edited, inserted or appended):
    // only such rows can hold text that does not fit its field.
    bool isEdited(int row) const { return rows_[size_t(row)] < 0; }

    // QAbstractTableModel: cells shown and edited in place.
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    // The modified flag went from false to true.
    void modifiedChanged(bool modified);

private:
    GridRow fitted(const GridRow& cells) const;
    // A row's own cells, made from its record when it has none yet.
    QStringList& ownCells(int row);
    qint32 own(const GridRow& cells);
    RecordView view(qint32 record) const;
    void touch();
    void resetContent();
    // Reads `size` bytes of `file` into bytes_ (sized already), noting the
    // records with an overlong text length; false when the read fails.
    bool readChecked(QFile& file, qint64 size);

    Grid grid_;
    const RecordLayout* layout_;
    QByteArray bytes_; // the loaded records
    qint32 records_ = 0;
    std::vector<qint32> overlong_;
    // One entry per row: a record index into bytes_ (>= 0), or -1 - k for
    // the row whose cells are owned_[k] (exactly columns() of them). Moving
    // rows moves these numbers only.
    std::vector<qint32> rows_;
    std::vector<QStringList> owned_;
    bool modified_ = false;
};

// The five grids of one editor, with the same lifetime.
struct EditorGrids {
    EditorGrids();

    GridModel sectionGrid;  // RazdelTab
    GridModel topicGrid;    // TemaTabl
    GridModel questionGrid; // WopTabl
    GridModel answerGrid;   // OtwTabl
    GridModel importGrid;   // IzTXT

    GridModel& of(Grid grid);
};

} // namespace tavel::authoring

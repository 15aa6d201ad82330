// The subject list's table `Papki`: the catalogue Baza\Papka.dat as rows of
// six texts ("№", name, folder, topics, questions, answers), edited in place,
// with the insertion and deletion rules of the subject list, and the
// conversion of the rows back into catalogue records.
//
// Model row i is the table's row i + 1 (the title row is the header), so the
// "№" of a row inserted at model row i is i + 1.
#pragma once

#include "storage/records.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <array>
#include <vector>

namespace tavel {

enum SubjectColumn { ColumnNo, ColumnName, ColumnFolder, ColumnTopics, ColumnQuestions, ColumnAnswers };
constexpr int kSubjectColumns = 6;

using SubjectRow = std::array<QString, kSubjectColumns>;

// "№", "Название предмета", "Папка", "Тем", "Вопросов", "Ответов".
QStringList subjectColumnTitles();
// The column's width in pixels (23, 212, 96, 44, 64, 64).
int subjectColumnWidth(int column);

SubjectRow subjectRow(const SubjectRecord& record);

class SubjectTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRecords(const std::vector<SubjectRecord>& records);
    const std::vector<SubjectRow>& rows() const { return rows_; }

    // Inserts a new subject at model row `row` (0 <= row <= rowCount()): the
    // row gets "№" row + 1 and the texts of a new subject; every row below
    // moves down and its "№" becomes its new row number; rows above keep
    // theirs.
    void insertSubject(int row);
    // Deletes model row `row`; the "№" of the other rows stay as they are.
    void removeSubject(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<SubjectRow> rows_;
};

// The catalogue as the table loads it, and what was wrong with the file as
// the record file reports it (RecordFile::damage): a trailing partial record
// (dropped), a text whose length byte is larger than its field (cut to the
// field). Each note names the file and the record.
struct CatalogueLoad {
    std::vector<SubjectRecord> records;
    QStringList damage;
};
// Throws Error naming the file when it cannot be read.
CatalogueLoad loadCatalogue(const QString& path);

// The rows converted into records, and what the save will change or what
// deserves a second look before writing: a name cut to 50 characters, a
// folder cut to 8, characters the code page cannot hold, two rows with the
// same folder or the same name. Each note names the rows.
struct CatalogueRows {
    std::vector<SubjectRecord> records;
    QStringList notes;
};
// Converts every row. Throws Error naming the row (counted from 1, as the
// table shows it) and the column when "№", "Тем", "Вопросов" or "Ответов" is
// not a whole number, when a folder name could not name a subject folder
// (empty, ".", "..", or holding "/", "\" or ":"), and when there is no row
// at all (an empty catalogue stops the next start).
CatalogueRows catalogueFromRows(const std::vector<SubjectRow>& rows);

} // namespace tavel

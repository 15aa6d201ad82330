// The subject list's table model and the conversion of its rows.
#include "authoring/subject_table.h"

#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/install_folder.h"
#include "storage/record_file.h"
#include "storage/text.h"

#include <map>

namespace tavel {
namespace {

constexpr int kWidths[kSubjectColumns] = {23, 212, 96, 44, 64, 64};

int fieldCapacity(int field)
{
    return SubjectRecord::layout().field(field).capacity();
}

SubjectRow newSubjectRow(int number)
{
    return {QString::number(number), QStringLiteral("Название нового предмета"), QStringLiteral("ImyPapki"),
            QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};
}

QString rowList(const std::vector<int>& rows)
{
    QStringList numbers;
    for (int r : rows)
        numbers << QString::number(r);
    return numbers.join(QStringLiteral(", "));
}

// Rows sharing one trimmed text (folder names ignoring case, as folders are
// found; subject names exactly, as they are matched); the text is shown as
// the first of the rows holds it.
struct Repeats {
    QString shown;
    std::vector<int> rows;
};
using RepeatMap = std::map<QString, Repeats>;

void addRepeat(RepeatMap& map, const QString& text, int row, bool ignoreCase)
{
    Repeats& entry = map[ignoreCase ? trimmed(text).toLower() : trimmed(text)];
    if (entry.rows.empty())
        entry.shown = trimmed(text);
    entry.rows.push_back(row);
}

void noteRepeats(const RepeatMap& map, const QString& what, const QString& consequence, QStringList& notes)
{
    for (const auto& [key, entry] : map)
        if (entry.rows.size() > 1)
            notes << QStringLiteral("Строки %1: одинаковое %2 «%3» — %4.")
                         .arg(rowList(entry.rows), what, entry.shown, consequence);
}

} // namespace

QStringList subjectColumnTitles()
{
    return {QStringLiteral("№"),   QStringLiteral("Название предмета"), QStringLiteral("Папка"),
            QStringLiteral("Тем"), QStringLiteral("Вопросов"),          QStringLiteral("Ответов")};
}

int subjectColumnWidth(int column)
{
    return column >= 0 && column < kSubjectColumns ? kWidths[column] : 0;
}

SubjectRow subjectRow(const SubjectRecord& r)
{
    return {QString::number(r.folderNo),   r.subjectName, r.folderName, QString::number(r.topicCount),
            QString::number(r.questionCount), QString::number(r.answerCount)};
}

void SubjectTableModel::setRecords(const std::vector<SubjectRecord>& records)
{
    beginResetModel();
    rows_.clear();
    for (const SubjectRecord& r : records)
        rows_.push_back(subjectRow(r));
    endResetModel();
}

void SubjectTableModel::insertSubject(int row)
{
    row = std::clamp(row, 0, int(rows_.size()));
    beginInsertRows({}, row, row);
    rows_.insert(rows_.begin() + row, newSubjectRow(row + 1));
    endInsertRows();
    for (int r = row + 1; r < int(rows_.size()); ++r)
        rows_[size_t(r)][ColumnNo] = QString::number(r + 1);
    if (row + 1 < int(rows_.size()))
        Q_EMIT dataChanged(index(row + 1, ColumnNo), index(int(rows_.size()) - 1, ColumnNo));
}

void SubjectTableModel::removeSubject(int row)
{
    if (row < 0 || row >= int(rows_.size()))
        return;
    beginRemoveRows({}, row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

int SubjectTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int SubjectTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kSubjectColumns;
}

QVariant SubjectTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return rows_[size_t(index.row())][size_t(index.column())];
}

bool SubjectTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    rows_[size_t(index.row())][size_t(index.column())] = value.toString();
    Q_EMIT dataChanged(index, index);
    return true;
}

Qt::ItemFlags SubjectTableModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant SubjectTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < kSubjectColumns)
        return subjectColumnTitles()[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

CatalogueLoad loadCatalogue(const QString& path)
{
    const RecordFile file = RecordFile::read(path, SubjectRecord::layout());
    CatalogueLoad load;
    load.records.reserve(size_t(file.count()));
    for (int i = 0; i < file.count(); ++i)
        load.records.push_back(SubjectRecord::decode(file.at(i)));
    load.damage = file.damage();
    return load;
}

CatalogueRows catalogueFromRows(const std::vector<SubjectRow>& rows)
{
    if (rows.empty())
        throw Error(QStringLiteral("В таблице нет ни одного предмета. Программа не запустится с пустым списком "
                                   "предметов: добавьте строку кнопкой «+»."));
    const QStringList titles = subjectColumnTitles();
    const int nameCapacity = fieldCapacity(papka::SubjectName);
    const int folderCapacity = fieldCapacity(papka::FolderName);
    CatalogueRows out;
    RepeatMap byFolder;
    RepeatMap byName;
    for (int i = 0; i < int(rows.size()); ++i) {
        const SubjectRow& row = rows[size_t(i)];
        const int shownRow = i + 1;
        const auto number = [&](int column) {
            const std::optional<int> value = wholeNumber(row[size_t(column)]);
            if (!value)
                throw Error(QStringLiteral("Строка %1, столбец «%2»: «%3» не целое число. Таблица не записана, "
                                           "прежний список предметов сохранён.")
                                .arg(shownRow)
                                .arg(titles[column], row[size_t(column)]));
            return *value;
        };
        SubjectRecord record;
        record.folderNo = number(ColumnNo);
        record.topicCount = number(ColumnTopics);
        record.questionCount = number(ColumnQuestions);
        record.answerCount = number(ColumnAnswers);

        const QString& name = row[ColumnName];
        record.subjectName = name.left(nameCapacity);
        if (name.size() > nameCapacity)
            out.notes << QStringLiteral("Строка %1: название длиннее %2 знаков, будет записано «%3».")
                             .arg(shownRow)
                             .arg(nameCapacity)
                             .arg(record.subjectName);

        const QString& folder = row[ColumnFolder];
        record.folderName = folder.left(folderCapacity);
        if (!isPlainFolderName(trimmed(record.folderName)))
            throw Error(QStringLiteral("Строка %1, столбец «%2»: «%3» не годится в имя папки предмета (пустое, "
                                       "«.», «..» или со знаками / \\ :). Таблица не записана, прежний список "
                                       "предметов сохранён.")
                            .arg(shownRow)
                            .arg(titles[ColumnFolder], folder));
        if (folder.size() > folderCapacity)
            out.notes << QStringLiteral("Строка %1: имя папки «%2» длиннее %3 знаков, будет записано «%4».")
                             .arg(shownRow)
                             .arg(folder)
                             .arg(folderCapacity)
                             .arg(record.folderName);
        if (!cp1251::canEncode(record.subjectName) || !cp1251::canEncode(record.folderName))
            out.notes << QStringLiteral("Строка %1: знаки, которых нет в кодировке Windows-1251, будут записаны "
                                        "как «?».")
                             .arg(shownRow);
        addRepeat(byFolder, record.folderName, shownRow, true);
        addRepeat(byName, record.subjectName, shownRow, false);
        out.records.push_back(record);
    }
    noteRepeats(byFolder, QStringLiteral("имя папки"), QStringLiteral("у этих предметов будет одна база вопросов"),
                out.notes);
    noteRepeats(byName, QStringLiteral("название"), QStringLiteral("выбор по названию откроет первый из них"),
                out.notes);
    return out;
}

} // namespace tavel

// Package files and the package editor's and list's operations on their rows.
#include "sets/package.h"

#include "sets/code_keys.h"
#include "storage/record_scan.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>

namespace tavel {
namespace {

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

PackageFile readPackage(const QString& path)
{
    if (trimmed(path).isEmpty())
        throw Error(QStringLiteral("Пакет вопросов не выбран: имя файла пакета пустое."));
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("Файл пакета %1 не найден (может быть, его удалили).").arg(nativePath(path)));
    const RecordFile file = RecordFile::read(path, PackageRecord::layout());
    PackageFile out;
    out.path = path;
    out.trailingBytes = file.trailingBytes();
    out.rows.reserve(size_t(file.count()));
    for (int i = 0; i < file.count(); ++i)
        out.rows.push_back(PackageRecord::decode(file.at(i)));
    return out;
}

QString partialRecordMessage(const PackageFile& file)
{
    return QStringLiteral("Файл пакета %1 повреждён: запись %2 неполная (%3 байт из %4).")
        .arg(nativePath(file.path))
        .arg(file.rows.size() + 1)
        .arg(file.trailingBytes)
        .arg(PackageRecord::layout().size);
}

int countOf(const PackageRecord& row, bool wanted, const QString& where, int index)
{
    const QString& text = wanted ? row.wantedCount : row.totalCount;
    if (const auto value = wholeNumber(text))
        return *value;
    throw Error(QStringLiteral("%1, запись %2 (тема «%3»): в столбце «%4» не число: «%5».")
                    .arg(where)
                    .arg(index + 1)
                    .arg(trimmed(row.topicName), wanted ? QStringLiteral("Надо") : QStringLiteral("Всего"), text));
}

PackageSums sumCounts(const PackageRows& rows, const QString& where)
{
    PackageSums sums;
    for (size_t i = 0; i < rows.size(); ++i) {
        sums.wanted += countOf(rows[i], true, where, int(i));
        sums.total += countOf(rows[i], false, where, int(i));
    }
    return sums;
}

void fillWanted(PackageRows& rows, const QString& kolW, const QString& where)
{
    const auto wanted = wholeNumber(kolW);
    if (!wanted)
        throw Error(QStringLiteral("Число вопросов для столбца «Надо» не число: «%1».").arg(kolW));
    std::vector<int> totals;
    totals.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i)
        totals.push_back(countOf(rows[i], false, where, int(i)));
    for (size_t i = 0; i < rows.size(); ++i)
        rows[i].wantedCount = totals[i] < *wanted ? trimmed(rows[i].totalCount) : trimmed(kolW);
}

void totalsToWanted(PackageRows& rows)
{
    for (PackageRecord& row : rows)
        row.wantedCount = row.totalCount;
}

void recountTotals(PackageRows& rows, const QString& woprosPath, const ScanProgress& progress)
{
    // Only the package's topics are counted: one hash lookup per question.
    QHash<quint64, int> counts;
    for (const PackageRecord& row : rows)
        counts.insert(code_keys::package(row), 0);
    RecordScanner scanner(QuestionRecord::layout());
    scanner.scan(woprosPath, [&](int, const RecordView& r) {
        if (auto it = counts.find(code_keys::topic(r, wopros::SubjectCode, wopros::TopicCode)); it != counts.end())
            ++*it;
    }, progress);
    for (PackageRecord& row : rows)
        row.totalCount = QString::number(counts.value(code_keys::package(row)));
}

int moveUp(PackageRows& rows, int selected)
{
    if (selected < 1 || selected >= int(rows.size()))
        return selected;
    std::swap(rows[size_t(selected)], rows[size_t(selected - 1)]);
    return selected - 1;
}

int moveDown(PackageRows& rows, int selected)
{
    if (selected < 0 || selected + 1 >= int(rows.size()))
        return selected;
    std::swap(rows[size_t(selected)], rows[size_t(selected + 1)]);
    return selected + 1;
}

int moveToTop(PackageRows& rows, int selected)
{
    if (selected < 1 || selected >= int(rows.size()))
        return selected;
    std::rotate(rows.begin(), rows.begin() + selected, rows.begin() + selected + 1);
    return selected + 1 < int(rows.size()) ? selected + 1 : selected;
}

int moveToBottom(PackageRows& rows, int selected)
{
    if (selected < 0 || selected + 1 >= int(rows.size()))
        return selected;
    std::rotate(rows.begin() + selected, rows.begin() + selected + 1, rows.end());
    return selected - 1 >= 1 ? selected - 1 : selected;
}

int removeRow(PackageRows& rows, int selected)
{
    if (selected < 0 || selected >= int(rows.size()))
        return selected;
    rows.erase(rows.begin() + selected);
    return std::min(selected, int(rows.size()) - 1);
}

void checkPackageRows(const PackageRows& rows)
{
    const QString where = QStringLiteral("Таблица пакета");
    for (size_t i = 0; i < rows.size(); ++i) {
        for (const bool wanted : {false, true}) {
            if (countOf(rows[i], wanted, where, int(i)) < 0)
                throw Error(QStringLiteral("%1, запись %2 (тема «%3»): число вопросов не может быть меньше нуля.")
                                .arg(where)
                                .arg(i + 1)
                                .arg(trimmed(rows[i].topicName)));
        }
    }
}

void savePackage(const QString& path, const PackageRows& rows)
{
    if (trimmed(path).isEmpty())
        throw Error(QStringLiteral("Пакет вопросов не выбран: некуда сохранять таблицу."));
    checkPackageRows(rows);
    PackageRows out;
    out.reserve(rows.size());
    for (const PackageRecord& row : rows)
        out.push_back({trimmed(row.subjectCode), trimmed(row.topicCode), trimmed(row.topicName),
                       trimmed(row.totalCount), trimmed(row.wantedCount)});
    writeRecords(path, out);
}

void replaceTopics(const QString& temaPath, const PackageRows& rows)
{
    std::vector<TopicRecord> topics;
    topics.reserve(rows.size());
    for (const PackageRecord& row : rows)
        topics.push_back({trimmed(row.subjectCode), trimmed(row.topicCode), trimmed(row.topicName)});
    writeRecords(temaPath, topics);
}

QStringList packageFiles(const QString& subjectFolder)
{
    QDir dir(subjectFolder);
    QStringList out;
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (const QString& name : names) {
        if (name.startsWith(QStringLiteral("Exam")) && name.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive))
            out << dir.filePath(name);
    }
    return out;
}

QString packageNameTail(const QString& path)
{
    return QFileInfo(path).fileName().mid(4, 100);
}

PackageView packageView(const PackageFile& file)
{
    PackageView view;
    const QString where = QStringLiteral("Файл пакета %1").arg(nativePath(file.path));
    for (size_t i = 0; i < file.rows.size(); ++i) {
        const PackageRecord& row = file.rows[i];
        if (trimmed(row.wantedCount) == QStringLiteral("0"))
            continue;
        view.sums.total += countOf(row, false, where, int(i));
        view.sums.wanted += countOf(row, true, where, int(i));
        view.rows.push_back(row);
    }
    return view;
}

Workbook packageGridWorkbook(const PackageRows& rows)
{
    Workbook book;
    book.setTitle(QStringLiteral("Список тем"));
    const QStringList titles{QStringLiteral("Предмет"), QStringLiteral("Тема"), QStringLiteral("Название темы"),
                             QStringLiteral("Всего"), QStringLiteral("Надо")};
    for (int c = 0; c < titles.size(); ++c)
        book.setCell(1, c + 1, titles[c]);
    for (int r = 0; r < int(rows.size()); ++r) {
        const PackageRecord& row = rows[size_t(r)];
        const QString cells[] = {row.subjectCode, row.topicCode, row.topicName, row.totalCount, row.wantedCount};
        for (int c = 0; c < 5; ++c)
            book.setCell(r + 2, c + 1, cells[c]);
    }
    book.fitColumns();
    return book;
}

Workbook packageListWorkbook(const QStringList& paths)
{
    Workbook book;
    book.setTitle(QStringLiteral("Список Экзаменов"));
    book.setCell(1, 1, QStringLiteral("№"));
    book.setCell(1, 2, QStringLiteral("Имя файла пакета"));
    for (int r = 0; r < paths.size(); ++r) {
        book.setCell(r + 2, 1, QString::number(r + 1));
        book.setCell(r + 2, 2, packageNameTail(paths[r]));
    }
    book.fitColumns();
    return book;
}

} // namespace tavel

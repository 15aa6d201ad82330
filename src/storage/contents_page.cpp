// Reading the contents page Baza/Oglavlenie.txt and totalling its group rows.
#include "storage/contents_page.h"

#include "storage/error.h"
#include "storage/text.h"
#include "storage/text_file.h"

#include <QDir>
#include <array>
#include <optional>

namespace tavel {
namespace {

constexpr int kCountLines = 2;       // column count, row count
constexpr int kFirstTotalColumn = 2; // topics; then questions, answers
constexpr int kTotalColumns = 3;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}


// Line 1 or 2: a count, not negative.
int readCount(const QString& path, const QStringList& lines, int lineNo, const QString& what)
{
    if (lines.size() < lineNo)
        throw Error(QStringLiteral("Файл %1: нет строки %2 (%3)").arg(native(path)).arg(lineNo).arg(what));
    const std::optional<int> n = wholeNumber(lines[lineNo - 1]);
    if (!n || *n < 0)
        throw Error(QStringLiteral("Файл %1, строка %2 (%3): «%4» не целое число")
                        .arg(native(path))
                        .arg(lineNo)
                        .arg(what, lines[lineNo - 1]));
    return *n;
}

} // namespace

void readContentsPage(const QString& path, ContentsPage& into)
{
    into.path = path;
    into.columns = 0;
    into.rows = 0;
    into.cells.clear();
    const QStringList lines = readTextLines(path);
    into.columns = readCount(path, lines, 1, QStringLiteral("число столбцов"));
    into.rows = readCount(path, lines, 2, QStringLiteral("число строк таблицы"));
    // Every row of the grid takes lines of the file, one per column; a grid
    // without columns would have its rows made from nothing, and a count of
    // two thousand million would reserve as many empty rows.
    if (into.columns == 0 && into.rows > 0) {
        const int rows = into.rows;
        into.rows = 0;
        throw Error(QStringLiteral("Файл %1, строка 1: столбцов 0, а строк таблицы %2; в таблице без столбцов нет строк")
                        .arg(native(path))
                        .arg(rows));
    }
    // Rows are added as their lines are read, so a huge count in a short file
    // costs nothing before the missing line is found.
    qsizetype next = kCountLines;
    for (int r = 0; r < into.rows; ++r) {
        QStringList row;
        for (int c = 0; c < into.columns; ++c) {
            if (next >= lines.size()) {
                if (!row.isEmpty())
                    into.cells.push_back(row);
                throw Error(QStringLiteral("Файл %1: нет строки %2 (ряд %3, столбец %4 из %5 × %6)")
                                .arg(native(path))
                                .arg(next + 1)
                                .arg(r)
                                .arg(c)
                                .arg(into.rows)
                                .arg(into.columns));
            }
            row.push_back(lines[next++]);
        }
        into.cells.push_back(std::move(row));
    }
}

void totalGroups(ContentsPage& page)
{
    std::array<qint64, kTotalColumns> sums{};
    for (qsizetype r = static_cast<qsizetype>(page.cells.size()) - 1; r >= 0; --r) {
        QStringList& row = page.cells[r];
        std::array<int, kTotalColumns> values{};
        for (int k = 0; k < kTotalColumns; ++k) {
            const int c = kFirstTotalColumn + k;
            const std::optional<int> v = c < row.size() ? wholeNumber(row[c]) : std::nullopt;
            if (!v) {
                const QString where = page.path.isEmpty() ? QStringLiteral("Оглавление")
                                                          : QStringLiteral("Файл %1").arg(native(page.path));
                // The cell's line in the file: two count lines, then row by row.
                const qint64 lineNo = kCountLines + qint64(r) * page.columns + c + 1;
                throw Error(QStringLiteral("%1, строка %2 (ряд %3, столбец %4): «%5» не целое число")
                                .arg(where)
                                .arg(lineNo)
                                .arg(r)
                                .arg(c)
                                .arg(c < row.size() ? row[c] : QString()));
            }
            values[k] = *v;
        }
        // A heading's own counts belong to its group: added before it takes the sums.
        for (int k = 0; k < kTotalColumns; ++k)
            sums[k] += values[k];
        if (trimmed(row[kFirstTotalColumn]) == QLatin1String("0")) {
            for (int k = 0; k < kTotalColumns; ++k)
                row[kFirstTotalColumn + k] = QString::number(sums[k]);
            sums = {};
        }
    }
}

} // namespace tavel

// The workbook (E1 to E3) and its files: XLSX and CSV read back.
#include "reports/workbook.h"
#include "reports/workbook_writers.h"
#include "support/read_back.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavel;

namespace {

// A plain CSV reader for the checks: ";" between cells, quoted cells with
// doubled quotes, CR LF between rows.
std::vector<QStringList> readCsv(const QString& text)
{
    std::vector<QStringList> rows(1);
    QString cell;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (quoted) {
            if (ch == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (ch == u'"') {
                quoted = false;
            } else {
                cell += ch;
            }
        } else if (ch == u'"') {
            quoted = true;
        } else if (ch == u';') {
            rows.back() << cell;
            cell.clear();
        } else if (ch == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            rows.back() << cell;
            cell.clear();
            rows.emplace_back();
            ++i;
        } else {
            cell += ch;
        }
    }
    rows.pop_back(); // after the last line end
    return rows;
}

Workbook sample()
{
    Workbook book;
    book.setCell(1, 1, QStringLiteral("Код"));
    book.setCell(1, 2, QStringLiteral("Тема"));
    book.setCell(2, 1, QStringLiteral("0012"));
    book.setCell(2, 2, QStringLiteral("Реформы; \"великие\"\nи малые"));
    book.setCell(3, 3, QStringLiteral(" с пробелом "));
    return book;
}

} // namespace

TEST(Workbook, CellsGrowTheSheetAndColumnsFitTheirLongestLine)
{
    Workbook book = sample();
    EXPECT_EQ(book.rowCount(), 3);
    EXPECT_EQ(book.columnCount(), 3);
    EXPECT_EQ(book.cell(3, 1), QString());
    EXPECT_EQ(book.cell(9, 9), QString());
    book.setCell(0, 1, QStringLiteral("x")); // ignored
    EXPECT_EQ(book.rowCount(), 3);
    book.setCell(4, 1, QString(200, u'ж'));

    EXPECT_EQ(book.columnWidth(2), Workbook::kDefaultWidth); // before E3
    book.fitColumns();
    EXPECT_EQ(book.columnWidth(1), Workbook::kMaxFittedWidth);
    EXPECT_EQ(book.columnWidth(2), 19); // "Реформы; "великие"" (18) and one spare
    EXPECT_EQ(book.columnWidth(3), 13); // " с пробелом "
    EXPECT_EQ(book.columnWidth(7), Workbook::kDefaultWidth);
}

TEST(WorkbookWriters, CsvReadsBackCellForCellAfterAByteOrderMark)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    auto writer = workbookWriter(WorkbookFormat::Csv);
    ASSERT_TRUE(writer->write(sample(), path)) << writer->errorString().toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const auto rows = readCsv(QString::fromUtf8(bytes.mid(3)));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (QStringList{QStringLiteral("Код"), QStringLiteral("Тема"), QString()}));
    EXPECT_EQ(rows[1], (QStringList{QStringLiteral("0012"), QStringLiteral("Реформы; \"великие\"\nи малые"), QString()}));
    EXPECT_EQ(rows[2], (QStringList{QString(), QString(), QStringLiteral(" с пробелом ")}));
}

TEST(WorkbookWriters, XlsxHoldsTheSheetAndEveryCellAsText)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.xlsx"));
    Workbook book = sample();
    book.fitColumns();
    auto writer = workbookWriter(WorkbookFormat::Xlsx);
    ASSERT_TRUE(writer->write(book, path)) << writer->errorString().toStdString();

    const QString workbookXml = QString::fromUtf8(test::zipMember(path, QStringLiteral("xl/workbook.xml")));
    EXPECT_TRUE(workbookXml.contains(QStringLiteral("name=\"Лист1\"")));
    const QString strings = QString::fromUtf8(test::zipMember(path, QStringLiteral("xl/sharedStrings.xml")));
    const QString sheet = QString::fromUtf8(test::zipMember(path, QStringLiteral("xl/worksheets/sheet1.xml")));
    for (const QString& text : {QStringLiteral("Код"), QStringLiteral("0012"), QStringLiteral("Реформы; &quot;великие&quot;")})
        EXPECT_TRUE(strings.contains(text) || strings.contains(QString(text).replace(QLatin1String("&quot;"), QLatin1String("\""))))
            << text.toStdString();
    // Five cells, all of the shared-string (text) type; none a number.
    EXPECT_EQ(sheet.count(QRegularExpression(QStringLiteral("<c r=\"[A-Z]+\\d+\"[^>]* t=\"s\""))), 5);
    EXPECT_FALSE(sheet.contains(QStringLiteral("<v>12</v>")));
    EXPECT_TRUE(sheet.contains(QStringLiteral("width=\"19")));
}

TEST(WorkbookWriters, AnUnwritableFolderGivesANamedErrorAndNoFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("нет/list.xlsx"));
    for (WorkbookFormat format : {WorkbookFormat::Xlsx, WorkbookFormat::Csv}) {
        auto writer = workbookWriter(format);
        EXPECT_FALSE(writer->write(sample(), path));
        EXPECT_TRUE(writer->errorString().contains(QStringLiteral("list.xlsx")));
        EXPECT_FALSE(QFile::exists(path));
    }
}

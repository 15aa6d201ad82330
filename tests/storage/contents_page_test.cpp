// The contents page Baza/Oglavlenie.txt: reading and group totals.
#include "storage/contents_page.h"
#include "storage/error.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::cp;
using tavel::test::errorOf;
using tavel::test::TempHome;

namespace {

QByteArray pageFile(int columns, const std::vector<QStringList>& rows)
{
    QByteArray bytes = QByteArray::number(columns) + "\r\n" + QByteArray::number(qsizetype(rows.size())) + "\r\n";
    for (const QStringList& row : rows)
        for (const QString& cell : row)
            bytes += cp(cell) + "\r\n";
    return bytes;
}

// Two groups; the second heading carries 7 questions of its own.
std::vector<QStringList> sampleRows()
{
    return {
        {"", QStringLiteral("Гуманитарные"), "0", "0", "0"},
        {"1", QStringLiteral("История"), "52", "2562", "9600"},
        {"2", QStringLiteral("Право"), " 10 ", "100", "400"},
        {"", QStringLiteral("Точные"), " 0 ", "7", "0"},
        {"3", QStringLiteral("Алгебра"), "5", "50", "200"},
        {"4", QStringLiteral("Геометрия"), "6", "60", "240"},
    };
}

} // namespace

TEST(ContentsPage, ReadsEveryCellRowByRowFromRowZero)
{
    TempHome t;
    t.write("Baza/Oglavlenie.txt", pageFile(5, sampleRows()));
    ContentsPage page;
    readContentsPage(t.path("Baza/Oglavlenie.txt"), page);
    EXPECT_EQ(page.columns, 5);
    EXPECT_EQ(page.rows, 6);
    ASSERT_EQ(page.cells.size(), 6u);
    EXPECT_EQ(page.cells[0][1], QStringLiteral("Гуманитарные"));
    EXPECT_EQ(page.cells[2][2], QStringLiteral(" 10 "));
    EXPECT_EQ(page.cells[5], sampleRows()[5]);
}

TEST(ContentsPage, HeadingsTakeTheirGroupTotalsIncludingTheirOwnCounts)
{
    TempHome t;
    t.write("Baza/Oglavlenie.txt", pageFile(5, sampleRows()));
    ContentsPage page;
    readContentsPage(t.path("Baza/Oglavlenie.txt"), page);
    totalGroups(page);
    EXPECT_EQ(page.cells[3].mid(2), (QStringList{"11", "117", "440"})); // 7 of its own + 50 + 60
    EXPECT_EQ(page.cells[0].mid(2), (QStringList{"62", "2662", "10000"}));
    // Rows that are not headings keep their text.
    EXPECT_EQ(page.cells[2], sampleRows()[2]);
    EXPECT_EQ(page.cells[5], sampleRows()[5]);
}

TEST(ContentsPage, NonNumberCellNamesFileLineRowAndColumn)
{
    const QString bad[] = {QString(), QStringLiteral("abc"), QStringLiteral("1.5"), QStringLiteral("7x"),
                           QStringLiteral("девять")};
    for (const QString& text : bad) {
        SCOPED_TRACE(text.toStdString());
        TempHome t;
        std::vector<QStringList> rows = sampleRows();
        rows[2][3] = text;
        t.write("Baza/Oglavlenie.txt", pageFile(5, rows));
        ContentsPage page;
        readContentsPage(t.path("Baza/Oglavlenie.txt"), page);
        const QString message = errorOf([&] { totalGroups(page); });
        EXPECT_TRUE(message.contains(QStringLiteral("Oglavlenie.txt"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("строка 16 (ряд 2, столбец 3)"))) << message.toStdString();
        // The group below the bad row was already totalled.
        EXPECT_EQ(page.cells[3][3], QStringLiteral("117"));
        EXPECT_EQ(page.cells[0][3], QStringLiteral("0"));
    }
}

TEST(ContentsPage, TooFewColumnsForTheCountsIsAnError)
{
    TempHome t;
    t.write("Baza/Oglavlenie.txt", pageFile(3, {{"1", "a", "5"}}));
    ContentsPage page;
    readContentsPage(t.path("Baza/Oglavlenie.txt"), page);
    const QString message = errorOf([&] { totalGroups(page); });
    EXPECT_TRUE(message.contains(QStringLiteral("столбец 3"))) << message.toStdString();
}

TEST(ContentsPage, MissingCellLinesNameTheFirstMissingLine)
{
    TempHome t;
    QByteArray bytes = pageFile(5, sampleRows());
    bytes.replace("6\r\n", "9\r\n"); // the row count; cells end after row 5
    t.write("Baza/Oglavlenie.txt", bytes);
    ContentsPage page;
    const QString message = errorOf([&] { readContentsPage(t.path("Baza/Oglavlenie.txt"), page); });
    EXPECT_TRUE(message.contains(QStringLiteral("Oglavlenie.txt"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("нет строки 33"))) << message.toStdString();
    EXPECT_EQ(page.cells.size(), 6u);

    // A file cut inside a row keeps the part of the row that is there.
    t.write("Baza/Oglavlenie.txt", pageFile(5, sampleRows()).chopped(10));
    const QString cut = errorOf([&] { readContentsPage(t.path("Baza/Oglavlenie.txt"), page); });
    EXPECT_TRUE(cut.contains(QStringLiteral("нет строки 31"))) << cut.toStdString();
    ASSERT_EQ(page.cells.size(), 6u);
    EXPECT_EQ(page.cells[5].size(), 3);
}

TEST(ContentsPage, BadCountLinesNameTheLine)
{
    const char* const files[] = {"", "5\r\n", "five\r\n1\r\n", "5\r\n-1\r\n", "5\r\n1.0\r\n"};
    const char* const expected[] = {"строки 1", "строки 2", "строка 1", "строка 2", "строка 2"};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        TempHome t;
        t.write("Baza/Oglavlenie.txt", files[i]);
        ContentsPage page;
        const QString message = errorOf([&] { readContentsPage(t.path("Baza/Oglavlenie.txt"), page); });
        EXPECT_TRUE(message.contains(QStringLiteral("Oglavlenie.txt"))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(expected[i]))) << message.toStdString();
    }
}

TEST(ContentsPage, HugeCountsInAShortFileAreAnErrorNotAnAllocation)
{
    TempHome t;
    t.write("Baza/Oglavlenie.txt", "2000000000\r\n2000000000\r\n1\r\n");
    ContentsPage page;
    const QString message = errorOf([&] { readContentsPage(t.path("Baza/Oglavlenie.txt"), page); });
    EXPECT_TRUE(message.contains(QStringLiteral("нет строки 4"))) << message.toStdString();
    ASSERT_EQ(page.cells.size(), 1u);
    EXPECT_EQ(page.cells[0], QStringList{"1"});
}

TEST(ContentsPage, RowsWithoutColumnsAreAnErrorNotTwoThousandMillionEmptyRows)
{
    TempHome t;
    t.write("Baza/Oglavlenie.txt", "0\r\n2000000000\r\n"); // 15 bytes stopped start-up
    ContentsPage page;
    const QString message = errorOf([&] { readContentsPage(t.path("Baza/Oglavlenie.txt"), page); });
    EXPECT_TRUE(message.contains(QStringLiteral("Oglavlenie.txt"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("столбцов 0"))) << message.toStdString();
    EXPECT_TRUE(page.cells.empty());
}

TEST(ContentsPage, MissingFileIsAnErrorNamingIt)
{
    TempHome t;
    ContentsPage page;
    const QString message = errorOf([&] { readContentsPage(t.path("Baza/Oglavlenie.txt"), page); });
    EXPECT_TRUE(message.contains(QStringLiteral("Oglavlenie.txt"))) << message.toStdString();
}

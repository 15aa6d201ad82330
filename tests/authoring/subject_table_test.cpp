// The subject list's table: insertion renumbers below the new row only,
// deletion leaves the gap, the rows convert into catalogue records with cuts,
// repeats and bad cells named by row, and a damaged catalogue is reported.
#include "authoring/subject_table.h"
#include "storage/records.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;
using tavel::test::errorOf;

namespace {

std::vector<SubjectRecord> numbered(std::initializer_list<int> numbers)
{
    std::vector<SubjectRecord> out;
    for (int n : numbers)
        out.push_back({n, QStringLiteral("Предмет %1").arg(n), QStringLiteral("P%1").arg(n), 1, 2, 3});
    return out;
}

QStringList column(const SubjectTableModel& model, int column)
{
    QStringList out;
    for (const SubjectRow& row : model.rows())
        out << row[size_t(column)];
    return out;
}

SubjectRow row(const QString& no, const QString& name, const QString& folder, const QString& topics = "1")
{
    return {no, name, folder, topics, QStringLiteral("2"), QStringLiteral("3")};
}

} // namespace

TEST(SubjectTable, InsertRenumbersTheRowsBelowAndKeepsTheNumbersAbove)
{
    struct Case {
        std::vector<SubjectRecord> records;
        int at;
        QStringList numbers;
        QStringList names;
    } cases[] = {
        {numbered({1, 2, 3}), 0, {"1", "2", "3", "4"}, {"Название нового предмета", "Предмет 1", "Предмет 2", "Предмет 3"}},
        // The numbers above the new row stay as typed, gaps included.
        {numbered({7, 5, 9}), 1, {"7", "2", "3", "4"}, {"Предмет 7", "Название нового предмета", "Предмет 5", "Предмет 9"}},
        {numbered({4}), 1, {"4", "2"}, {"Предмет 4", "Название нового предмета"}},
        // An empty catalogue gets its row 1.
        {{}, 0, {"1"}, {"Название нового предмета"}},
    };
    for (const Case& c : cases) {
        SubjectTableModel model;
        model.setRecords(c.records);
        model.insertSubject(c.at);
        EXPECT_EQ(column(model, ColumnNo), c.numbers) << c.at;
        EXPECT_EQ(column(model, ColumnName), c.names) << c.at;
    }
    SubjectTableModel model;
    model.insertSubject(0);
    EXPECT_EQ((model.rows()[0]), (SubjectRow{"1", "Название нового предмета", "ImyPapki", "1", "1", "1"}));
}

TEST(SubjectTable, DeleteLeavesTheGapInTheNumbers)
{
    SubjectTableModel model;
    model.setRecords(numbered({1, 2, 3, 4}));
    model.removeSubject(1);
    EXPECT_EQ(column(model, ColumnNo), (QStringList{"1", "3", "4"}));
    EXPECT_EQ(column(model, ColumnFolder), (QStringList{"P1", "P3", "P4"}));
    model.removeSubject(7); // no such row
    EXPECT_EQ(model.rowCount(), 3);
    const CatalogueRows rows = catalogueFromRows(model.rows());
    EXPECT_EQ(rows.records[1].folderNo, 3); // stored as typed
}

TEST(SubjectTable, NamesCutAtFiftyAndFoldersAtEightAreNamedBeforeWriting)
{
    const QString longName = QString(48, u'Ж') + QStringLiteral("ABCD");
    const CatalogueRows rows = catalogueFromRows(
        {row("1", QStringLiteral("История"), QStringLiteral("Istoriy")), row(" 2 ", longName, QStringLiteral("Matematika"))});
    ASSERT_EQ(rows.records.size(), 2u);
    EXPECT_EQ(rows.records[1].folderNo, 2);
    EXPECT_EQ(rows.records[1].subjectName, QString(48, u'Ж') + QStringLiteral("AB"));
    EXPECT_EQ(rows.records[1].folderName, QStringLiteral("Matemati"));
    ASSERT_EQ(rows.notes.size(), 2);
    EXPECT_TRUE(rows.notes[0].startsWith(QStringLiteral("Строка 2: название длиннее 50"))) << rows.notes[0].toStdString();
    EXPECT_TRUE(rows.notes[1].contains(QStringLiteral("«Matematika» длиннее 8 знаков, будет записано «Matemati»")));
    // The record holds what fits, so writing and reading back gives the same.
    const SubjectRecord back = SubjectRecord::decode(RecordView(layouts::papka, rows.records[1].encode()));
    EXPECT_EQ(back.folderName, QStringLiteral("Matemati"));
}

TEST(SubjectTable, SharedFoldersAndNamesAreNamedButAllowed)
{
    const CatalogueRows rows = catalogueFromRows({row("1", QStringLiteral("История"), QStringLiteral("Istoriy")),
                                                  row("2", QStringLiteral("Физика"), QStringLiteral("istoriy ")),
                                                  row("3", QStringLiteral(" История"), QStringLiteral("Hist")),
                                                  row("4", QStringLiteral("история"), QStringLiteral("Hist2"))});
    EXPECT_EQ(rows.records.size(), 4u);
    ASSERT_EQ(rows.notes.size(), 2) << rows.notes.join('\n').toStdString();
    EXPECT_TRUE(rows.notes.filter(QStringLiteral("Строки 1, 2: одинаковое имя папки «Istoriy»")).size() == 1);
    // Names match exactly after trimming: "история" is another subject.
    EXPECT_TRUE(rows.notes.filter(QStringLiteral("Строки 1, 3: одинаковое название «История»")).size() == 1);
}

TEST(SubjectTable, BadCellsAndAnEmptyTableStopTheConversionNamingRowAndColumn)
{
    struct Case {
        std::vector<SubjectRow> rows;
        QString part;
    } cases[] = {
        {{row("1", "А", "A"), row("2x", "Б", "B")}, "Строка 2, столбец «№»: «2x» не целое число"},
        {{row("1", "А", "A"), row("2", "Б", "B"), row("3", "В", "C", "")}, "Строка 3, столбец «Тем»: «» не целое"},
        {{row("1", "А", "A", "99999999999")}, "Строка 1, столбец «Тем»"},
        {{row("1", "А", "..")}, "Строка 1, столбец «Папка»: «..» не годится"},
        {{row("1", "А", "a/b")}, "«a/b» не годится"},
        {{row("1", "А", "   ")}, "Строка 1, столбец «Папка»"},
        {{}, "нет ни одного предмета"},
    };
    for (const Case& c : cases) {
        const QString message = errorOf([&] { catalogueFromRows(c.rows); });
        EXPECT_TRUE(message.contains(c.part)) << message.toStdString();
    }
}

TEST(SubjectTable, DamagedCatalogueIsLoadedWithWhatCanBeReadAndNamesTheRecord)
{
    TempHome t;
    QByteArray bytes = numbered({1, 2})[0].encode() + numbered({1, 2})[1].encode();
    bytes[76 + 55] = char(200); // record 2: the folder's length byte past its 8 bytes
    bytes += QByteArray(30, 'x'); // a torn third record
    t.write("Baza/Papka.dat", bytes);
    const CatalogueLoad load = loadCatalogue(t.path("Baza/Papka.dat"));
    ASSERT_EQ(load.records.size(), 2u);
    EXPECT_EQ(load.records[1].subjectName, QStringLiteral("Предмет 2"));
    ASSERT_EQ(load.damage.size(), 2);
    EXPECT_TRUE(load.damage[0].contains(QStringLiteral("запись 2, поле FolderName: длина 200")));
    EXPECT_TRUE(load.damage[1].contains(QStringLiteral("запись 3: неполная (30 байт из 76)")));
    EXPECT_TRUE(load.damage[1].contains(QStringLiteral("Papka.dat")));
    EXPECT_TRUE(errorOf([&] { loadCatalogue(t.path("Baza/none.dat")); }).contains(QStringLiteral("none.dat")));
}

// The editor's grids on real files: loading with defaults and damage,
// saving (checked with tavel-base dump and by the bytes), the marking and
// inserting rules, what selecting a question finds, the default package.
#include "authoring/editor_actions.h"
#include "authoring/grid_files.h"
#include "authoring/topic_listing.h"
#include "reports/document.h"
#include "storage/records.h"
#include "support/temp_home.h"

#include <QProcess>
#include <gtest/gtest.h>

using namespace tavel;
using namespace tavel::authoring;
using namespace tavel::test;

namespace {

// The records of a file as tavel-base prints them (fields joined by tabs).
QString dump(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral(TAVEL_BASE_EXE), {QStringLiteral("dump"), path});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

std::vector<AnswerRecord> answers(const std::vector<QStringList>& rows)
{
    std::vector<AnswerRecord> out;
    for (const QStringList& r : rows)
        out.push_back({r[0], r[1], r[2], r[3], r[4], r[5], r[6]});
    return out;
}

class EditorGridsTest : public ::testing::Test {
protected:
    TempHome t;
    EditorGrids grids;

    QString file(const QString& name) const { return t.path(QStringLiteral("Istoriy/") + name); }

    void SetUp() override
    {
        t.write(QStringLiteral("Istoriy/Tema.dat"), {});
        writeRecords(file(QStringLiteral("Tema.dat")),
                     std::vector<TopicRecord>{{QStringLiteral("01"), QStringLiteral("001"), QStringLiteral("Русь")},
                                              {QStringLiteral("01"), QStringLiteral("002"), QStringLiteral("Смута")}});
        writeRecords(file(QStringLiteral("Wopros.dat")),
                     std::vector<QuestionRecord>{
                         {QStringLiteral("01"), QStringLiteral("001"), QStringLiteral("1"), QStringLiteral("1"),
                          QStringLiteral("Кто?"), {}, QStringLiteral("5"), {}},
                         {QStringLiteral("01"), QStringLiteral("002"), QStringLiteral("1"), QStringLiteral("1"),
                          QStringLiteral("Когда?"), {}, QStringLiteral("3"), {}},
                         {QStringLiteral("01"), QStringLiteral("001"), QStringLiteral("1"), QStringLiteral("2"),
                          QStringLiteral("Где?"), {}, QStringLiteral("2"), {}}});
        // The answers of 001/1 in two runs, split by an answer of 001/2.
        writeRecords(file(QStringLiteral("Otwet.dat")),
                     answers({{"01", "001", "1", "1", "1", "+", "Рюрик"},
                              {"01", "001", "1 ", " 1", "2", "", "Олег"},
                              {"01", "001", "1", "2", "1", "+", "Киев"},
                              {"01", "001", "1", "1", "3", "", "Игорь"},
                              {"01", "002", "1", "1", "1", "+", "1612"}}));
    }

    void loadAll()
    {
        for (Grid g : {Grid::Topics, Grid::Questions, Grid::Answers})
            loadGrid(grids.of(g), file(fileNameOf(g)));
    }
};

TEST_F(EditorGridsTest, AnEmptyFileShowsTheDefaultRowAndSavesIt)
{
    t.write(QStringLiteral("Istoriy/Tema.dat"), {});
    const LoadResult loaded = loadGrid(grids.topicGrid, file(QStringLiteral("Tema.dat")));
    EXPECT_EQ(loaded.records, 0);
    ASSERT_EQ(grids.topicGrid.rows(), 1);
    EXPECT_FALSE(grids.topicGrid.isModified()); // nothing to ask about on closing
    EXPECT_EQ(saveGrid(grids.topicGrid, file(QStringLiteral("Tema.dat"))), 1);
    EXPECT_EQ(dump(file(QStringLiteral("Tema.dat"))), QStringLiteral("1\t1\tЗдесь должно быть название темы\n"));

    // A missing file reads as empty too; the question defaults.
    loadGrid(grids.questionGrid, file(QStringLiteral("Nothing.dat")));
    EXPECT_EQ(grids.questionGrid.row(0), (GridRow{"1", "1", "1", "", "", "", "5", ""}));
}

TEST_F(EditorGridsTest, MarkedRowsAreLeftOutOfTheirFileButSectionsKeepThem)
{
    loadAll();
    grids.answerGrid.setCell(1, 0, QStringLiteral("  Уд "));
    grids.answerGrid.setCell(4, 0, QStringLiteral("Уд\t"));
    EXPECT_EQ(saveGrid(grids.answerGrid, file(QStringLiteral("Otwet.dat"))), 3);
    EXPECT_EQ(dump(file(QStringLiteral("Otwet.dat"))), QStringLiteral("01\t001\t1\t1\t1\t+\tРюрик\n"
                                                                       "01\t001\t1\t2\t1\t+\tКиев\n"
                                                                       "01\t001\t1\t1\t3\t\tИгорь\n"));

    loadGrid(grids.sectionGrid, file(QStringLiteral("Predmet.dat")));
    grids.sectionGrid.setCell(0, 0, QStringLiteral("Уд"));
    saveGrid(grids.sectionGrid, file(QStringLiteral("Predmet.dat")));
    EXPECT_EQ(dump(file(QStringLiteral("Predmet.dat"))), QStringLiteral("Уд\t1\tЗдесь должно быть название раздела\n"));
}

TEST_F(EditorGridsTest, AMarkedTopicTakesItsQuestionsAndAnswersOnlyWithTheirOwnSaves)
{
    loadAll();
    const QByteArray questionsBefore = t.read(QStringLiteral("Istoriy/Wopros.dat"));
    const QByteArray answersBefore = t.read(QStringLiteral("Istoriy/Otwet.dat"));
    markTopic(grids, 0);
    EXPECT_TRUE(grids.topicGrid.isMarked(0));
    EXPECT_FALSE(grids.topicGrid.isMarked(1));
    EXPECT_EQ((std::vector<bool>{grids.answerGrid.isMarked(0), grids.answerGrid.isMarked(1), grids.answerGrid.isMarked(2),
                                 grids.answerGrid.isMarked(3), grids.answerGrid.isMarked(4)}),
              (std::vector<bool>{true, true, true, true, false}));
    EXPECT_TRUE(grids.questionGrid.isMarked(2));
    EXPECT_FALSE(grids.questionGrid.isMarked(1));

    saveGrid(grids.topicGrid, file(QStringLiteral("Tema.dat")));
    EXPECT_EQ(dump(file(QStringLiteral("Tema.dat"))), QStringLiteral("01\t002\tСмута\n"));
    EXPECT_EQ(t.read(QStringLiteral("Istoriy/Wopros.dat")), questionsBefore);
    EXPECT_EQ(t.read(QStringLiteral("Istoriy/Otwet.dat")), answersBefore);

    saveGrid(grids.questionGrid, file(QStringLiteral("Wopros.dat")));
    EXPECT_EQ(readRecords<QuestionRecord>(file(QStringLiteral("Wopros.dat"))).size(), 1u);
}

TEST_F(EditorGridsTest, InsertedRowGoesAboveTheCurrentOneOrAfterTheLast)
{
    loadAll();
    GridModel& q = grids.questionGrid;
    EXPECT_EQ(insertQuestionMarkRow(q, 2), 3); // the last row current: appended below it
    EXPECT_EQ(q.row(3), GridRow(8, QStringLiteral("?")));
    EXPECT_EQ(q.cell(2, wopros::QuestionText), QStringLiteral("Где?"));

    EXPECT_EQ(insertQuestionMarkRow(q, 1), 1); // any other row: in its place, it moves down
    EXPECT_EQ(q.row(1), GridRow(8, QStringLiteral("?")));
    EXPECT_EQ(q.cell(2, wopros::QuestionText), QStringLiteral("Когда?"));
    EXPECT_EQ(q.rows(), 5);

    EXPECT_EQ(insertQuestionMarkRow(q, -1), -1); // no current row: nothing
    EXPECT_EQ(insertQuestionMarkRow(q, 5), -1);
    EXPECT_EQ(q.rows(), 5);

    EXPECT_EQ(moveUp(q, 0), -1);
    EXPECT_EQ(moveDown(q, 4), -1);
    EXPECT_EQ(moveDown(q, 0), 1);
    EXPECT_EQ(q.cell(1, wopros::QuestionText), QStringLiteral("Кто?"));
}

TEST_F(EditorGridsTest, SelectingAQuestionCountsTheFirstRunOfItsAnswersOnly)
{
    loadAll();
    const QuestionSelection first = selectQuestion(grids, 0);
    EXPECT_EQ(first.systemNumber, QStringLiteral("01_001_1_1"));
    EXPECT_EQ(first.firstAnswer, 0);
    EXPECT_EQ(first.answerCount, 2); // " 1" is "1"; the third answer lies after another question's
    EXPECT_EQ(first.topicRow, 0);

    const QuestionSelection other = selectQuestion(grids, 1);
    EXPECT_EQ(other.firstAnswer, 4);
    EXPECT_EQ(other.answerCount, 1);
    EXPECT_EQ(other.topicRow, 1);

    grids.answerGrid.setCell(2, otwet::QuestionNo, QStringLiteral("7"));
    const QuestionSelection without = selectQuestion(grids, 2); // 001/2 has no answers now
    EXPECT_EQ(without.firstAnswer, -1);
    EXPECT_EQ(without.answerCount, 0);
    EXPECT_EQ(firstQuestionOfTopic(grids, 1), 1);
}

TEST_F(EditorGridsTest, CellsAreCutToTheirFieldsWhenSavedAfterAWarning)
{
    loadAll();
    const QString longText(300, QChar(u'ж'));
    GridModel& q = grids.questionGrid;
    for (int c = 0; c < q.columns(); ++c)
        q.setCell(0, c, longText);
    const QStringList warnings = saveWarnings(q, 100);
    EXPECT_EQ(warnings.size(), 8);
    EXPECT_TRUE(warnings[4].contains(QStringLiteral("строка 1, столбец «Nazwan»: 300 знаков, в файл войдут первые 210")))
        << warnings[4].toStdString();
    saveGrid(q, file(QStringLiteral("Wopros.dat")));
    const QuestionRecord saved = readRecords<QuestionRecord>(file(QStringLiteral("Wopros.dat")))[0];
    EXPECT_EQ((std::vector<qsizetype>{saved.subjectCode.size(), saved.topicCode.size(), saved.testCode.size(),
                                      saved.questionNo.size(), saved.questionText.size(), saved.poradCode.size(),
                                      saved.points.size(), saved.sKodCode.size()}),
              (std::vector<qsizetype>{2, 3, 2, 3, 210, 4, 2, 2}));

    GridModel& a = grids.answerGrid;
    for (int c = 0; c < a.columns(); ++c)
        a.setCell(0, c, longText);
    saveGrid(a, file(QStringLiteral("Otwet.dat")));
    const AnswerRecord answer = readRecords<AnswerRecord>(file(QStringLiteral("Otwet.dat")))[0];
    EXPECT_EQ((std::vector<qsizetype>{answer.questionNo.size(), answer.answerNo.size(), answer.answerMark.size(),
                                      answer.answerText.size()}),
              (std::vector<qsizetype>{3, 2, 1, 150}));

    grids.topicGrid.setCell(0, tema::TopicName, longText);
    saveGrid(grids.topicGrid, file(QStringLiteral("Tema.dat")));
    EXPECT_EQ(readRecords<TopicRecord>(file(QStringLiteral("Tema.dat")))[0].topicName.size(), 120);
}

TEST_F(EditorGridsTest, WarningsNameBreaksAndForeignCharactersOfSavedRowsOnly)
{
    loadAll();
    GridModel& a = grids.answerGrid;
    a.setCell(0, otwet::AnswerText, QStringLiteral("два\tстолбца"));
    a.setCell(2, otwet::AnswerText, QStringLiteral("π ≈ 3,14"));
    a.setCell(3, otwet::AnswerText, QStringLiteral("€ и ∞"));
    a.setCell(3, 0, QStringLiteral("Уд")); // left out, so not warned about
    const QStringList warnings = saveWarnings(a);
    ASSERT_EQ(warnings.size(), 2) << warnings.join(u'\n').toStdString();
    EXPECT_TRUE(warnings[0].contains(QStringLiteral("строка 1")) && warnings[0].contains(QStringLiteral("табуляция")));
    EXPECT_TRUE(warnings[1].contains(QStringLiteral("строка 3")) && warnings[1].contains(QStringLiteral("«π≈»")));

    saveGrid(a, file(QStringLiteral("Otwet.dat")));
    const QByteArray bytes = t.read(QStringLiteral("Istoriy/Otwet.dat"));
    EXPECT_TRUE(bytes.contains(cp(QStringLiteral("два\tстолбца"))));
    EXPECT_TRUE(bytes.contains("? ? 3,14"));

    // Many problems: a bounded list that says how many more there are.
    for (int r = 0; r < a.rows(); ++r)
        a.setCell(r, otwet::AnswerText, QString(200, u'я'));
    const QStringList few = saveWarnings(a, 3);
    ASSERT_EQ(few.size(), 3);
    EXPECT_EQ(few[2], QStringLiteral("И ещё 2 таких замечаний."));
}

// A large file is read a part at a time and checked as it comes: overlong
// lengths at the ends of the parts (a megabyte is 8192 topic records) and in
// the last whole record are all found, in file order; the partial record
// after them is not checked.
TEST_F(EditorGridsTest, OverlongLengthsAreFoundInEveryPartOfALargeFile)
{
    const QByteArray one = t.read(QStringLiteral("Istoriy/Tema.dat")).left(128);
    const int records = 20000;
    QByteArray bytes = one.repeated(records);
    const std::vector<qint32> bad = {0, 5, 6, 7, 8191, 8192, 8193, 10000, 16383, 16384, 19999};
    for (qint32 r : bad)
        bytes[qsizetype(r) * 128 + 7] = char(121); // the name holds 120
    bytes += QByteArray(60, char(250));
    t.write(QStringLiteral("Istoriy/Tema.dat"), bytes);

    const LoadResult loaded = loadGrid(grids.topicGrid, file(QStringLiteral("Tema.dat")));
    EXPECT_EQ(loaded.records, records);
    EXPECT_EQ(grids.topicGrid.overlongRecords(), bad);
    ASSERT_EQ(loaded.damage.size(), 12);
    for (int k = 0; k < 10; ++k)
        EXPECT_TRUE(loaded.damage[k].contains(QStringLiteral("запись %1:").arg(bad[size_t(k)] + 1))) << k;
    EXPECT_TRUE(loaded.damage[10].contains(QStringLiteral("ещё 1 записей")));
    EXPECT_TRUE(loaded.damage[11].contains(QStringLiteral("неполная (60 байт из 128)")));

    // A reload of a sound file forgets them.
    t.write(QStringLiteral("Istoriy/Tema.dat"), one.repeated(3));
    EXPECT_TRUE(loadGrid(grids.topicGrid, file(QStringLiteral("Tema.dat"))).damage.isEmpty());
    EXPECT_TRUE(grids.topicGrid.overlongRecords().empty());
}

TEST_F(EditorGridsTest, DamagedFileOpensWithWhatCouldBeReadAndASaveKeepsIt)
{
    QByteArray bytes = t.read(QStringLiteral("Istoriy/Tema.dat"));
    bytes[128 + 7] = char(200); // record 2: the name's length byte beyond 120
    bytes += QByteArray(50, 'x'); // and a partial third record
    t.write(QStringLiteral("Istoriy/Tema.dat"), bytes);

    const LoadResult loaded = loadGrid(grids.topicGrid, file(QStringLiteral("Tema.dat")));
    EXPECT_EQ(loaded.records, 2);
    ASSERT_EQ(loaded.damage.size(), 2);
    EXPECT_TRUE(loaded.damage[0].contains(QStringLiteral("Tema.dat, запись 2")));
    EXPECT_TRUE(loaded.damage[0].contains(QStringLiteral("«Nazwan»")));
    EXPECT_TRUE(loaded.damage[1].contains(QStringLiteral("запись 3: неполная (50 байт из 128)")));
    EXPECT_EQ(grids.topicGrid.cell(1, tema::TopicName).size(), 120);

    saveGrid(grids.topicGrid, file(QStringLiteral("Tema.dat")));
    const QByteArray saved = t.read(QStringLiteral("Istoriy/Tema.dat"));
    ASSERT_EQ(saved.size(), 256);
    EXPECT_EQ(saved.left(128), bytes.left(128));
    EXPECT_EQ(static_cast<unsigned char>(saved[128 + 7]), 120); // mended to what was shown
    EXPECT_EQ(saved.mid(128 + 8, 120), bytes.mid(128 + 8, 120));
}

TEST_F(EditorGridsTest, ASaveThatCannotBeWrittenSaysWhichFileAndLeavesTheGridModified)
{
    loadAll();
    grids.topicGrid.setCell(0, tema::TopicName, QStringLiteral("Новая"));
    t.write(QStringLiteral("Blocker"), "a file where a folder should be");
    const QString message = errorOf([&] { saveGrid(grids.topicGrid, t.path(QStringLiteral("Blocker/Tema.dat"))); });
    EXPECT_TRUE(message.contains(QStringLiteral("Tema.dat"))) << message.toStdString();
    EXPECT_TRUE(grids.topicGrid.isModified());
}

TEST_F(EditorGridsTest, TopicIntoThePackageTwiceAddsTwoRecords)
{
    loadAll();
    const QString exam = file(QStringLiteral("Exam.dat"));
    EXPECT_FALSE(packageHasTopic(exam, u"01", u"002"));
    const GridRow last = grids.topicGrid.row(grids.topicGrid.rows() - 1);
    appendTopicToPackage(exam, last);
    EXPECT_TRUE(packageHasTopic(exam, u" 01", u"002 "));
    appendTopicToPackage(exam, last);
    EXPECT_EQ(dump(exam), QStringLiteral("01\t002\tСмута\t5\t1\n01\t002\tСмута\t5\t1\n"));
}

TEST_F(EditorGridsTest, UnchangedRowsAreWrittenBackByteForByte)
{
    loadAll();
    const QByteArray before = t.read(QStringLiteral("Istoriy/Otwet.dat"));
    grids.answerGrid.swapRows(0, 1);
    grids.answerGrid.swapRows(0, 1);
    saveGrid(grids.answerGrid, file(QStringLiteral("Otwet.dat")));
    EXPECT_EQ(t.read(QStringLiteral("Istoriy/Otwet.dat")), before);
}

TEST_F(EditorGridsTest, TopicListingHoldsEachQuestionFollowedByAllItsAnswers)
{
    loadAll();
    int lastDone = 0;
    const TopicListing listing = topicListing(grids, 0, [&](int done, int) { lastDone = done; });
    EXPECT_EQ(listing.questions, 2);
    EXPECT_EQ(listing.answers, 4); // the split run of 001/1 included
    ASSERT_EQ(listing.rows.size(), 9u); // n + 1 with n = 2 + 2 + 4
    QStringList column7;
    for (const ListingRow& row : listing.rows)
        column7 << row[6];
    EXPECT_EQ(column7, (QStringList{"Nazwan", "Русь", "Кто?", "Рюрик", "Олег", "Игорь", "Где?", "Киев", ""}));
    EXPECT_EQ(listing.rows[0][9], QStringLiteral("S_Kod"));
    EXPECT_EQ(listing.rows[2][8], QStringLiteral("5")); // the question's Ball
    EXPECT_EQ(listing.rows[3][5], QStringLiteral("+")); // the answer's Kod_P
    EXPECT_EQ(lastDone, 2);
    EXPECT_TRUE(topicListing(grids, 7).rows.empty());

    Document doc;
    writeTopicListing(doc, listing);
    EXPECT_EQ(doc.basePointSize(), 8);
    ASSERT_EQ(doc.tableCount(), 1);
    EXPECT_EQ(doc.cellText(1, 1, 7), QStringLiteral("Nazwan"));
    EXPECT_EQ(doc.cellText(1, 3, 7), QStringLiteral("Кто?"));
    EXPECT_EQ(doc.cellText(1, 4, 6), QStringLiteral("+"));
    EXPECT_EQ(doc.cellText(1, 9, 7), QString()); // the last row stays empty
    EXPECT_EQ(doc.text().toPlainText().right(1), QStringLiteral(" ")); // the blank after the table
}

} // namespace

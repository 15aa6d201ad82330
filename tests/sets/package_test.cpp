// Packages: the editor's operations on the rows, saving and the topic list,
// the package list, and the package exam's draw and candidates.
#include "sets/keyword_set.h"
#include "sets/package.h"
#include "sets/package_exam.h"
#include "sets/question_set.h"

#include "storage/error.h"
#include "storage/text.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace tavel;
using namespace tavel::test;

namespace {

class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<double> values) : values_(std::move(values)) {}
    double next() override { return i_ < values_.size() ? values_[i_++] : 0.0; }
    size_t used() const { return i_; }

private:
    std::vector<double> values_;
    size_t i_ = 0;
};

PackageRecord row(const QString& topic, const QString& total, const QString& wanted, const QString& subject = "1")
{
    return {subject, topic, QStringLiteral("Тема ") + trimmed(topic), total, wanted};
}

QStringList topics(const PackageRows& rows)
{
    QStringList out;
    for (const PackageRecord& r : rows)
        out << r.topicCode;
    return out;
}

QStringList wanted(const PackageRows& rows)
{
    QStringList out;
    for (const PackageRecord& r : rows)
        out << r.wantedCount;
    return out;
}

// "<topic>/<question>" of each record.
QStringList ids(const QuestionSet& set)
{
    QStringList out;
    for (const QuestionRecord& q : set)
        out << trimmed(q.topicCode) + u'/' + trimmed(q.questionNo);
    return out;
}

// Topic "1" with 6 questions, "2" with 3 and "3" with 4, interleaved in
// Wopros.dat; the subject code stored with a blank.
QString questionFile(const TempHome& t)
{
    std::vector<QuestionRecord> qs;
    int n[4] = {0, 0, 0, 0};
    for (const int topic : {1, 2, 1, 3, 1, 2, 3, 1, 3, 1, 2, 3, 1}) {
        const QString no = QString::number(++n[topic]);
        qs.push_back({QStringLiteral("1 "), QString::number(topic), QStringLiteral("1"), no,
                      QStringLiteral("Вопрос %1.%2").arg(topic).arg(no), {}, QStringLiteral("2"), {}});
    }
    writeRecords(t.path(QStringLiteral("Wopros.dat")), qs);
    return t.path(QStringLiteral("Wopros.dat"));
}

} // namespace

TEST(PackageRows, FillWantedTakesTheSmallerOfTotalAndKolW)
{
    PackageRows rows{row("1", "3", "0"), row("2", "5", "0"), row("3", " 8 ", "1"), row("4", "0", "2")};
    fillWanted(rows, QStringLiteral(" 5 "), QStringLiteral("Таблица"));
    EXPECT_EQ(wanted(rows), (QStringList{"3", "5", "5", "0"}));

    // A "Всего" that is not a number: named, and nothing is changed.
    rows[1].totalCount = QStringLiteral("пять");
    const QString error = errorOf([&] { fillWanted(rows, QStringLiteral("2"), QStringLiteral("Таблица")); });
    EXPECT_TRUE(error.contains(QStringLiteral("запись 2"))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("пять")));
    EXPECT_EQ(wanted(rows), (QStringList{"3", "5", "5", "0"}));
    EXPECT_FALSE(errorOf([&] { fillWanted(rows, QStringLiteral("x"), QStringLiteral("Таблица")); }).isEmpty());
}

TEST(PackageRows, MovesAndDeleteKeepTheirSelectionRules)
{
    using Op = int (*)(PackageRows&, int);
    struct Case {
        const char* name;
        Op op;
        int selected;
        QStringList after;
        int selectedAfter;
    };
    const Case cases[] = {
        {"up", &moveUp, 2, {"a", "c", "b", "d"}, 1},
        {"up at the top", &moveUp, 0, {"a", "b", "c", "d"}, 0},
        {"down", &moveDown, 1, {"a", "c", "b", "d"}, 2},
        {"down at the bottom", &moveDown, 3, {"a", "b", "c", "d"}, 3},
        {"to the top", &moveToTop, 2, {"c", "a", "b", "d"}, 3},
        {"to the top from the bottom", &moveToTop, 3, {"d", "a", "b", "c"}, 3},
        {"to the top at the top", &moveToTop, 0, {"a", "b", "c", "d"}, 0},
        {"to the bottom", &moveToBottom, 2, {"a", "b", "d", "c"}, 1},
        {"to the bottom from the second", &moveToBottom, 1, {"a", "c", "d", "b"}, 1},
        {"to the bottom at the bottom", &moveToBottom, 3, {"a", "b", "c", "d"}, 3},
        {"delete", &removeRow, 1, {"a", "c", "d"}, 1},
        {"delete the last", &removeRow, 3, {"a", "b", "c"}, 2},
        {"nothing selected", &moveUp, -1, {"a", "b", "c", "d"}, -1},
    };
    for (const Case& c : cases) {
        PackageRows rows{row("a", "1", "1"), row("b", "1", "1"), row("c", "1", "1"), row("d", "1", "1")};
        EXPECT_EQ(c.op(rows, c.selected), c.selectedAfter) << c.name;
        EXPECT_EQ(topics(rows), c.after) << c.name;
    }
    PackageRows one{row("a", "1", "1")};
    EXPECT_EQ(removeRow(one, 0), -1);
    EXPECT_TRUE(one.empty());
}

TEST(PackageFiles, SaveWritesExactlyTheRowsAndKeepsTheFileOnABadRow)
{
    TempHome t;
    const QString path = t.path(QStringLiteral("Exam2.dat"));
    PackageRows rows{row(" 7 ", " 12 ", "0"), row("3", "4", " 2 ")};
    savePackage(path, rows);
    const PackageFile back = readPackage(path);
    ASSERT_EQ(back.rows.size(), 2u);
    EXPECT_EQ(t.read(QStringLiteral("Exam2.dat")).size(), 2 * 138);
    EXPECT_EQ(back.rows[0].topicCode, QStringLiteral("7")); // cells trimmed
    EXPECT_EQ(back.rows[0].totalCount, QStringLiteral("12"));
    EXPECT_EQ(back.rows[0].wantedCount, QStringLiteral("0")); // "Надо" 0 stays in the file
    EXPECT_EQ(back.rows[1].wantedCount, QStringLiteral("2"));

    rows.push_back(row("4", "-1", "0"));
    EXPECT_TRUE(errorOf([&] { savePackage(path, rows); }).contains(QStringLiteral("запись 3")));
    rows.back() = row("4", "1", "два");
    EXPECT_TRUE(errorOf([&] { savePackage(path, rows); }).contains(QStringLiteral("два")));
    EXPECT_EQ(readPackage(path).rows.size(), 2u); // the former file is whole

    savePackage(path, {});
    EXPECT_TRUE(t.exists(QStringLiteral("Exam2.dat")));
    EXPECT_EQ(t.read(QStringLiteral("Exam2.dat")).size(), 0);
}

TEST(PackageFiles, ReplaceTopicsWritesThePackagesOrderAndNames)
{
    TempHome t;
    writeRecords(t.path(QStringLiteral("Tema.dat")),
                 std::vector<TopicRecord>{{"1", "1", "Старое"}, {"1", "2", "Второе"}, {"1", "9", "Лишнее"}});
    PackageRows rows{row("2", "3", "1"), row("1", "5", "1")};
    rows[1].topicName = QStringLiteral("Новое имя");
    replaceTopics(t.path(QStringLiteral("Tema.dat")), rows);
    const auto topicRecords = readRecords<TopicRecord>(t.path(QStringLiteral("Tema.dat")));
    ASSERT_EQ(topicRecords.size(), 2u);
    EXPECT_EQ(topicRecords[0].topicCode, QStringLiteral("2"));
    EXPECT_EQ(topicRecords[1].topicName, QStringLiteral("Новое имя"));
}

TEST(PackageFiles, RecountCountsEachTopicInOnePass)
{
    TempHome t;
    const QString wopros = questionFile(t);
    PackageRows rows{row("3", "99", "1"), row(" 1", "0", "1"), row("8", "5", "1"), row("2", "1", "1", "2")};
    int calls = 0;
    recountTotals(rows, wopros, [&](int, int) { ++calls; });
    QStringList totals;
    for (const PackageRecord& r : rows)
        totals << r.totalCount;
    // Codes compare trimmed ("1 " is "1"); another subject's topic 2 has none.
    EXPECT_EQ(totals, (QStringList{"4", "6", "0", "0"}));
    EXPECT_GT(calls, 0);
}

TEST(PackageFiles, ListViewAndBrokenFiles)
{
    TempHome t;
    for (const char* name : {"Exam.dat", "Exam2.dat", "ExamB.DAT", "exam3.dat", "Temp.dat", "Exam.txt"})
        t.write(QStringLiteral("S/") + QLatin1String(name), QByteArray());
    QStringList names;
    for (const QString& path : packageFiles(t.path(QStringLiteral("S"))))
        names << QDir(path).dirName();
    EXPECT_EQ(names, (QStringList{"Exam.dat", "Exam2.dat", "ExamB.DAT"}));
    EXPECT_EQ(packageNameTail(t.path(QStringLiteral("S/Exam2.dat"))), QStringLiteral("2.dat"));

    const QString path = t.path(QStringLiteral("S/Exam.dat"));
    savePackage(path, {row("1", "6", "2"), row("2", "3", "0"), row("3", "4", "4")});
    PackageFile file = readPackage(path);
    const PackageView view = packageView(file);
    EXPECT_EQ(topics(view.rows), (QStringList{"1", "3"})); // "Надо" 0 is not shown
    EXPECT_EQ(view.sums.total, 10);
    EXPECT_EQ(view.sums.wanted, 6);

    // The spreadsheet lists: title row first, then one row per record or file.
    const Workbook grid = packageGridWorkbook(file.rows);
    EXPECT_EQ(grid.cell(1, 5), QStringLiteral("Надо"));
    EXPECT_EQ(grid.cell(3, 2), QStringLiteral("2"));
    EXPECT_EQ(grid.rowCount(), 4);
    const Workbook list = packageListWorkbook(packageFiles(t.path(QStringLiteral("S"))));
    EXPECT_EQ(list.cell(3, 1), QStringLiteral("2"));
    EXPECT_EQ(list.cell(3, 2), QStringLiteral("2.dat"));

    // A trailing partial record and a missing file are named.
    t.write(QStringLiteral("S/Exam.dat"), t.read(QStringLiteral("S/Exam.dat")) + QByteArray(20, '\0'));
    file = readPackage(path);
    EXPECT_EQ(file.rows.size(), 3u);
    EXPECT_TRUE(partialRecordMessage(file).contains(QStringLiteral("запись 4"))) << partialRecordMessage(file).toStdString();
    EXPECT_TRUE(errorOf([&] { readPackage(t.path(QStringLiteral("S/Exam9.dat"))); }).contains(QStringLiteral("Exam9.dat")));
    EXPECT_FALSE(errorOf([&] { readPackage(QStringLiteral("  ")); }).isEmpty());
}

TEST(PackageExam, DrawTakesTheWantedQuestionsOfEachTopicInPackageOrder)
{
    TempHome t;
    const QString wopros = questionFile(t);
    PackageFile package;
    package.path = t.path(QStringLiteral("Exam.dat"));
    package.rows = {row("3", "4", "2"), row("2", "3", "0"), row("1", "6", "3")};
    ScriptedRandom none({});

    // Shuffle off: the first W of each topic in file order, topics in package order.
    PackageDraw draw = drawPackage(package, wopros, false, none);
    EXPECT_EQ(ids(draw.questions), (QStringList{"3/1", "3/2", "1/1", "1/2", "1/3"}));
    EXPECT_EQ(draw.lines, (QStringList{"Тема 3 задано 2", "Тема 1 задано 3"}));
    EXPECT_EQ(none.used(), 0u);

    // Shuffle on: k = random × T rounded half to even; T and repeats discarded.
    // Topic 3 (T 4): 0.9 -> 4 (discarded), 0.3 -> 1 (1.2), 0.375 -> 2 (1.5 to
    // even): positions 1 and 2.
    // Topic 1 (T 6): 0.0 -> 0, 0.99 -> 6 (discarded), 0.75 -> 4 (4.5), 0.5 -> 3.
    ScriptedRandom scripted({0.9, 0.3, 0.375, 0.0, 0.99, 0.75, 0.5});
    draw = drawPackage(package, wopros, true, scripted);
    EXPECT_EQ(ids(draw.questions), (QStringList{"3/2", "3/3", "1/1", "1/4", "1/5"}));

    // Topic 3 says "Всего" 6 but holds 4 (fewer than the file's 13 records):
    // the draw among the 4 real ones, from the same random numbers as above.
    package.rows = {row("3", "6", "2"), row("2", "3", "0"), row("1", "6", "3")};
    ScriptedRandom again({0.9, 0.3, 0.375, 0.0, 0.99, 0.75, 0.5});
    draw = drawPackage(package, wopros, true, again);
    EXPECT_EQ(ids(draw.questions), (QStringList{"3/2", "3/3", "1/1", "1/4", "1/5"}));

    // Every "Надо" 0: nothing at all.
    package.rows = {row("1", "6", "0"), row("3", "4", "0")};
    EXPECT_TRUE(drawPackage(package, wopros, true, scripted).questions.empty());

    // "Всего" above what the topic holds, and above 900: the draw is among the
    // real questions, so the student gets what was asked for.
    package.rows = {row("2", "2000", "3"), row("3", "50", "2")};
    UniformRandom random(5);
    draw = drawPackage(package, wopros, true, random);
    EXPECT_EQ(ids(draw.questions).size(), 5);
    EXPECT_EQ(ids(draw.questions).mid(0, 3), (QStringList{"2/1", "2/2", "2/3"}));
}

TEST(PackageExam, BadPackagesStopBeforeAnythingIsDrawn)
{
    TempHome t;
    const QString wopros = questionFile(t);
    PackageFile package;
    package.path = t.path(QStringLiteral("Exam5.dat"));
    package.rows = {row("1", "6", "1"), row("3", "4", "x2")};
    UniformRandom random(1);
    const QString error = errorOf([&] { drawPackage(package, wopros, true, random); });
    EXPECT_TRUE(error.contains(QStringLiteral("Exam5.dat")) && error.contains(QStringLiteral("запись 2")))
        << error.toStdString();
    package.rows = {row("1", "6", "1")};
    package.trailingBytes = 7;
    EXPECT_TRUE(errorOf([&] { drawPackage(package, wopros, true, random); }).contains(QStringLiteral("запись 2")));
}

TEST(PackageExam, CandidatesCountTheRangeOverTheSetAndCutBeforeShuffling)
{
    TempHome t;
    QuestionSet set;
    for (int i = 1; i <= 30; ++i)
        set.push_back({"1", QString::number(i % 3 + 1), "1", QString::number(i), QStringLiteral("В%1").arg(i), {}, "1", {}});
    writeRecords(t.path(QStringLiteral("Otwet.dat")),
                 std::vector<AnswerRecord>{{"1", "1", "1", "3", "1", "+", "а"}, {"1", "3", "1", "20", "1", "-", "б"}});
    const QString otwet = t.path(QStringLiteral("Otwet.dat"));

    SetCandidates c = setCandidates(set, otwet, 1, 500, 10); // a limit of 10 on a set of 30
    ASSERT_EQ(c.questions.size(), 10u);
    EXPECT_EQ(c.questions.front().questionNo, QStringLiteral("1"));
    EXPECT_EQ(c.questions.back().questionNo, QStringLiteral("10"));
    ASSERT_EQ(c.answers.size(), 1u); // the answers of the questions asked, any topic
    EXPECT_EQ(c.answers[0].answerText, QStringLiteral("а"));

    c = setCandidates(set, otwet, 12, 14, 500); // positions in the whole set
    ASSERT_EQ(c.questions.size(), 3u);
    EXPECT_TRUE(c.answers.empty());
    EXPECT_EQ(c.questions[0].questionNo, QStringLiteral("12"));
    EXPECT_EQ(c.questions[2].questionNo, QStringLiteral("14"));

    writeTempFile(t.path(QStringLiteral("Temp.dat")), set);
    EXPECT_EQ(readRecords<QuestionRecord>(t.path(QStringLiteral("Temp.dat"))).size(), 30u);
    // A Temp.dat that cannot be written is named.
    QDir().mkpath(t.path(QStringLiteral("Locked/Temp.dat")));
    EXPECT_TRUE(errorOf([&] { writeTempFile(t.path(QStringLiteral("Locked/Temp.dat")), set); })
                    .contains(QStringLiteral("Temp.dat")));
}

TEST(QuestionSets, TempDatHoldsTheRecordsWithLengthsClampedAndNothingAfterTheTexts)
{
    TempHome t;
    // Two questions as a sound save writes them, and as an older or damaged
    // Wopros.dat may hold them: bytes after the question text and in an
    // empty field, a Points length byte above its field of two.
    const std::vector<QuestionRecord> clean{{"1", "1", "1", "1", "Вопрос о законе", {}, "12", {}},
                                            {"1", "2", "1", "1", "Второй вопрос", {}, "34", {}}};
    QByteArray stored;
    for (const QuestionRecord& q : clean) {
        QByteArray r = q.encode();
        r[14 + 1 + 40] = 'x'; // QuestionText: length byte at 14, the text shorter than 40
        r[230] = char(7);     // Points: length byte at 230 (two characters)
        r[235] = 'z';         // SKodCode (length 0): its last byte
        stored += r;
    }
    QFile wopros(t.path(QStringLiteral("Wopros.dat")));
    ASSERT_TRUE(wopros.open(QIODevice::WriteOnly) && wopros.write(stored) == stored.size());
    wopros.close();
    writeRecords(t.path(QStringLiteral("Otwet.dat")),
                 std::vector<AnswerRecord>{{"1", "2", "1", "1", "1", "+", "по закону"}});
    const QByteArray expected = clean[0].encode() + clean[1].encode();
    const auto tempBytes = [&](const QuestionSet& set) {
        writeTempFile(t.path(QStringLiteral("Temp.dat")), set);
        QFile temp(t.path(QStringLiteral("Temp.dat")));
        return temp.open(QIODevice::ReadOnly) ? temp.readAll() : QByteArray();
    };

    // The package exam, shuffle off: both topics, in package order.
    PackageFile package;
    package.path = t.path(QStringLiteral("Exam.dat"));
    package.rows = {row("1", "1", "1"), row("2", "1", "1")};
    ScriptedRandom none({});
    EXPECT_EQ(tempBytes(drawPackage(package, wopros.fileName(), false, none).questions), expected);

    // The keyword set: the first by its text, the second through its answer.
    const KeywordFiles files{package.path, {row("1", "1", "1")}, t.path(QStringLiteral("Tema.dat")),
                             wopros.fileName(), t.path(QStringLiteral("Otwet.dat"))};
    EXPECT_EQ(tempBytes(buildKeywordSet(files, TopicKind::Any, QStringLiteral("закон"), {})), expected);
}

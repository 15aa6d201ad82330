// tavel-base run as a program: dump and load of every file kind, escapes,
// cutting and clamping, damaged files, refused input, init, and the shipped
// demo folder against its text sources.
#include "support/temp_home.h"

#include "storage/code_table.h"
#include "storage/colours.h"
#include "storage/contents_page.h"
#include "storage/cp1251.h"
#include "storage/ole_date.h"
#include "storage/records.h"
#include "storage/settings.h"
#include "storage/shared_files.h"
#include "storage/text.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QtEndian>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <map>

// Failure messages show texts as UTF-8 rather than as arrays of code units.
void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

using namespace tavel;
using tavel::test::cp;
using tavel::test::TempHome;

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome run(const QStringList& args, const QByteArray& input = {})
{
    QProcess p;
    p.start(QStringLiteral(TAVEL_BASE_EXE), args);
    EXPECT_TRUE(p.waitForStarted(30000)) << "tavel-base did not start";
    p.write(input);
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit) << "tavel-base crashed";
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}

QString joined(const QStringList& lines)
{
    return lines.isEmpty() ? QString() : lines.join(u'\n') + u'\n';
}

void putInt(QByteArray& record, int offset, qint32 value)
{
    qToLittleEndian(value, record.data() + offset);
}

void putText(QByteArray& record, int offset, int length, const QByteArray& bytes)
{
    record[offset] = char(length);
    std::memcpy(record.data() + offset + 1, bytes.constData(), size_t(bytes.size()));
}

} // namespace

TEST(TavelBase, LoadThenDumpGivesTheSameLinesForEveryKind)
{
    TempHome t;
    const std::vector<std::pair<QString, QStringList>> cases = {
        {"Papka.dat",
         {"1\tИстория\tIstoriy\t52\t2562\t9600", "-7\t  с пробелами  \tInform\t0\t2147483647\t-2147483648"}},
        {"Dostup.dat", {"01\t2024-09-01\tАдминистратор\t731946\tZ", "02\t1899-12-30T12:30:05\t\t\t"}},
        {"Predmet.dat", {"1\t1\tИстория России", "1\t2\tВсеобщая история"}},
        {"Tema.dat", {"1\t1\tРусь в IX–XII веках", "1\t12\t«Кавычки» и №"}},
        {"Wopros.dat", {"1\t1\t1\t1\tВ каком году?\t\t5\t", "1\t1\t1\t2\tЧто это? File#map.gif#\t7\t3\tк"}},
        {"TEMP.DAT", {"2\t3\t1\t10\tВопрос из набора\t\t1\t"}},
        {"Otwet.dat", {"1\t1\t1\t1\t1\tФ\t1812", "1\t1\t1\t2\t2\t+\tМосква", "1\t1\t1\t2\t3\t\tКиев"}},
        {"ExamOsen.dat", {"1\t1\tРусь\t10\t3", "1\t2\tСмута\t0\t0"}},
        {"EGE.dat", {"НВ\tА1 Найдите значение", "КТ\tКонец Теста", "\t"}},
    };
    for (const auto& [name, lines] : cases) {
        SCOPED_TRACE(name.toStdString());
        const QString path = t.path(name);
        const Outcome load = run({"load", path}, joined(lines).toUtf8());
        ASSERT_EQ(load.exitCode, 0) << load.err.toStdString();
        const Outcome dump = run({"dump", path});
        EXPECT_EQ(dump.exitCode, 0) << dump.err.toStdString();
        EXPECT_EQ(dump.out, joined(lines));
        EXPECT_EQ(QFileInfo(path).size() % layoutForFileName(name)->size, 0);
    }
}

TEST(TavelBase, DumpsHandWrittenBytes)
{
    TempHome t;

    // Catalogue: integers little-endian, garbage after the meaningful bytes,
    // a folder-name length byte of 200 clamped to the 8-byte field.
    QByteArray papka(76, '\xCC');
    putInt(papka, 0, 3);
    putText(papka, 4, 7, cp(QStringLiteral("История")));
    putText(papka, 55, 200, "Inform12");
    putInt(papka, 64, 4);
    putInt(papka, 68, 30);
    putInt(papka, 72, -1);
    t.write("Baza/Papka.dat", papka);
    const Outcome catalogue = run({"dump", t.path("Baza/Papka.dat")});
    EXPECT_EQ(catalogue.out, QStringLiteral("3\tИстория\tInform12\t4\t30\t-1\n"));
    // The clamped length is a warning naming the record and the field (it was
    // dumped without a word).
    EXPECT_TRUE(catalogue.err.contains(QStringLiteral("запись 1, поле FolderName: длина 200")))
        << catalogue.err.toStdString();

    // Users: padding left out; a date with a time part and one without.
    QByteArray dostup(96, '\x07');
    for (int r = 0; r < 2; ++r) {
        const int at = r * 48;
        putText(dostup, at, 2, r == 0 ? "01" : "02");
        const double days = r == 0 ? 45536.5 : 45536.0;
        quint64 bits;
        std::memcpy(&bits, &days, sizeof bits);
        qToLittleEndian(bits, dostup.data() + at + 8);
        putText(dostup, at + 16, 3, "Ann");
        putText(dostup, at + 37, 6, "123456");
        putText(dostup, at + 44, 1, r == 0 ? "Z" : "W");
    }
    t.write("Baza/Dostup.dat", dostup);
    EXPECT_EQ(run({"dump", t.path("Baza/Dostup.dat")}).out,
              QStringLiteral("01\t2024-09-01T12:00:00\tAnn\t123456\tZ\n02\t2024-09-01\tAnn\t123456\tW\n"));

    // Answers: a mark whose length byte says 255 in a one-byte field; a text
    // holding a tab, a line feed and a backslash as stored; a length of 0.
    QByteArray otwet(170, '\xFF');
    putText(otwet, 0, 1, "1");
    putText(otwet, 3, 3, "1  ");
    putText(otwet, 7, 0, "");
    putText(otwet, 10, 2, " 4");
    putText(otwet, 14, 1, "2");
    putText(otwet, 17, 255, cp(QStringLiteral("Ф")));
    putText(otwet, 19, 9, cp(QStringLiteral("а\tб\nв\\г\rд")));
    t.write("Istoriy/Otwet.dat", otwet);
    EXPECT_EQ(run({"dump", t.path("Istoriy/Otwet.dat")}).out,
              QStringLiteral("1\t1  \t\t 4\t2\tФ\tа\\tб\\nв\\\\г\\rд\n"));
}

TEST(TavelBase, EveryStoredDateDumpsToALineThatLoadsBackToTheSameBytes)
{
    // 0.4 s past midnight dumped as T00:00:00; the last instant of 9999 as
    // 10000-01-01, which load refused; a NaN's payload was lost.
    quint64 nanBits = 0x7FF0000000000123ULL;
    double payloadNan;
    std::memcpy(&payloadNan, &nanBits, sizeof payloadNan);
    const double dates[] = {45536.0 + 0.4 / 86400, 2958465.9999999995, payloadNan, -0.0,
                            45536.5, 45536.0, 1e300, -693593.25};
    TempHome t;
    QByteArray dostup;
    for (const double days : dates) {
        UserRecord user{"01", days, "Ann", "123456", "Z"};
        dostup += user.encode();
    }
    t.write("Baza/Dostup.dat", dostup);
    t.write("Copy/Dostup.dat", {});
    const Outcome dump = run({"dump", t.path("Baza/Dostup.dat")});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    const Outcome load = run({"load", t.path("Copy/Dostup.dat")}, dump.out.toUtf8());
    ASSERT_EQ(load.exitCode, 0) << load.err.toStdString();
    const QByteArray back = t.read("Copy/Dostup.dat");
    ASSERT_EQ(back.size(), dostup.size());
    for (qsizetype r = 0; r < qsizetype(std::size(dates)); ++r)
        EXPECT_EQ(back.mid(r * 48 + 8, 8).toHex().toStdString(), dostup.mid(r * 48 + 8, 8).toHex().toStdString()) << "record " << r + 1;
    EXPECT_TRUE(dump.out.contains(QStringLiteral("2024-09-01T12:00:00"))) << dump.out.toStdString();
}

TEST(TavelBase, EscapesAreStoredAsTheCharactersAndDumpedBack)
{
    TempHome t;
    const QString line = QStringLiteral("1\t1\t1\t1\tа\\tб\\nв\\rг\\\\д\\\\t\t\t5\t");
    const QString path = t.path("Wopros.dat");
    ASSERT_EQ(run({"load", path}, (line + u'\n').toUtf8()).exitCode, 0);
    const auto records = readRecords<QuestionRecord>(path);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].questionText, QStringLiteral("а\tб\nв\rг\\д\\t"));
    EXPECT_EQ(run({"dump", path}).out, line + u'\n');
}

TEST(TavelBase, LongTextIsCutToItsFieldAndCrLfLinesAreAccepted)
{
    TempHome t;
    const QString path = t.path("Wopros.dat");
    const QString text = QString(205, QChar(u'ж')) + QStringLiteral("12345ABCDE");
    const QByteArray input = QStringLiteral("1\t1\t1\t1\t%1\t\t5\t\r\n1\t1\t1\t2\tКороткий\t\t3\t\r\n").arg(text).toUtf8();
    const Outcome load = run({"load", path}, input);
    ASSERT_EQ(load.exitCode, 0);
    EXPECT_TRUE(load.err.contains(QStringLiteral("QuestionText"))) << load.err.toStdString();
    const QByteArray bytes = t.read("Wopros.dat");
    ASSERT_EQ(bytes.size(), 2 * 236);
    EXPECT_EQ(static_cast<unsigned char>(bytes[14]), 210);
    EXPECT_EQ(run({"dump", path}).out, QStringLiteral("1\t1\t1\t1\t%1\t\t5\t\n1\t1\t1\t2\tКороткий\t\t3\t\n")
                                           .arg(text.left(210)));
}

TEST(TavelBase, TruncatedFileDumpsItsWholeRecordsAndWarns)
{
    TempHome t;
    const QString path = t.path("Tema.dat");
    ASSERT_EQ(run({"load", path}, QStringLiteral("1\t1\tПервая\n1\t2\tВторая\n").toUtf8()).exitCode, 0);
    QByteArray bytes = t.read("Tema.dat");
    bytes.append(50, 'x');
    t.write("Tema.dat", bytes);
    const Outcome dump = run({"dump", path});
    EXPECT_EQ(dump.exitCode, 0);
    EXPECT_EQ(dump.out, QStringLiteral("1\t1\tПервая\n1\t2\tВторая\n"));
    EXPECT_TRUE(dump.err.contains(QDir::toNativeSeparators(path))) << dump.err.toStdString();
    EXPECT_TRUE(dump.err.contains(QStringLiteral("50"))) << dump.err.toStdString();
}

TEST(TavelBase, BadLinesAreRefusedWithTheLineNumberAndTheFileUntouched)
{
    struct Case {
        const char* file;
        QByteArray input;
        int line;
    };
    const QByteArray good = QStringLiteral("1\t1\tТема\n").toUtf8();
    const std::vector<Case> cases = {
        {"Tema.dat", "1\t1\n", 1},                                               // too few fields
        {"Tema.dat", good + "\r\n" + "1\t2\tx\ty\r\n", 3},                       // too many, after a blank line
        {"Papka.dat", QStringLiteral("x\tИ\tI\t1\t2\t3\n").toUtf8(), 1},          // not an integer
        {"Papka.dat", "1\tI\tI\t 1\t2\t3\n", 1},                                  // blank before the digits
        {"Papka.dat", "1\tI\tI\t1\t2\t99999999999\n", 1},                        // beyond 32 bits
        {"Dostup.dat", "01\t2024-09-01\tA\t1\tZ\n02\t2023-02-29\tB\t2\tW\n", 2}, // no such day
        {"Dostup.dat", "01\t01.09.2024\tA\t1\tZ\n", 1},                           // other date form
        {"Dostup.dat", "01\t2024-09-01T25:00:00\tA\t1\tZ\n", 1},                  // no such hour
        {"Tema.dat", good + "1\t2\ta\\xb\n", 2},                                  // unknown escape
        {"Tema.dat", "1\t2\tab\\\n", 1},                                          // backslash at the end
        {"Tema.dat", good + QStringLiteral("1\t2\tИероглиф 中\n").toUtf8(), 2},   // not in Windows-1251
        {"Tema.dat", "1\t2\t\xFF\xFE\n", 1},                                      // not UTF-8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.toStdString());
        TempHome t;
        const QByteArray before = cp(QStringLiteral("прежнее содержимое, не кратное записи"));
        t.write(c.file, before);
        const Outcome r = run({"load", t.path(c.file)}, c.input);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.err.contains(QStringLiteral("строка %1:").arg(c.line))) << r.err.toStdString();
        EXPECT_EQ(t.read(c.file), before);
    }
}

TEST(TavelBase, WrongArgumentsAndUnknownKindsExitWithTwo)
{
    TempHome t;
    EXPECT_EQ(run({}).exitCode, 2);
    const Outcome help = run({"help"});
    EXPECT_EQ(help.exitCode, 2);
    EXPECT_TRUE(help.err.contains(QStringLiteral("dump"))) << help.err.toStdString();
    EXPECT_EQ(run({"dump"}).exitCode, 2);
    EXPECT_EQ(run({"copy", t.path("Tema.dat")}).exitCode, 2);
    EXPECT_EQ(run({"dump", t.path("Tema.dat"), "extra"}).exitCode, 2);
    t.write("Notes.dat", "abc");
    EXPECT_EQ(run({"dump", t.path("Notes.dat")}).exitCode, 2);
    EXPECT_EQ(run({"load", t.path("Notes.dat")}, "1\t1\tx\n").exitCode, 2);
    EXPECT_EQ(t.read("Notes.dat"), QByteArray("abc"));
    EXPECT_EQ(run({"load", t.path("Slovar.txt")}, "x\n").exitCode, 2);
    EXPECT_FALSE(t.exists("Slovar.txt"));
    // A missing file is a failure to read, not a usage error.
    EXPECT_EQ(run({"dump", t.path("Wopros.dat")}).exitCode, 1);
}

TEST(TavelBase, InitCreatesAFolderWhoseSharedFilesReadBackAndKeepsExistingOnes)
{
    TempHome t;
    const QString root = t.path("new/Tavel");
    const Outcome first = run({"init", root});
    ASSERT_EQ(first.exitCode, 0) << first.err.toStdString();
    const InstallFolder home(root);

    const auto catalogue = readRecords<SubjectRecord>(home.path(paths::catalogue));
    ASSERT_EQ(catalogue.size(), 1u);
    EXPECT_EQ(catalogue[0].subjectName, defaultSubject().subjectName);
    EXPECT_EQ(catalogue[0].folderName, defaultSubject().folderName);

    const auto users = loadUsers(home.path(paths::users));
    const auto defaults = defaultUsers(QDate::currentDate());
    ASSERT_EQ(users.size(), defaults.size());
    for (size_t i = 0; i < users.size(); ++i) {
        EXPECT_EQ(users[i].password, defaults[i].password);
        EXPECT_EQ(users[i].accessLevel, defaults[i].accessLevel);
    }

    Settings settings;
    settings.questionSeconds = 0;
    EXPECT_NO_THROW(readSettingsFile(home.path(paths::settings), settings));
    EXPECT_EQ(settings.questionSeconds, 900);
    EXPECT_EQ(settings.questionLimit, 500);
    EXPECT_NO_THROW(readColourFile(home.path(paths::colours)));

    const CodeTable table = readCodeTable(home.path(paths::codeTable));
    ASSERT_EQ(table.source.size(), 66);
    EXPECT_EQ(table.translate(QString(QChar(cp1251::toUnicode(0x80)))), QStringLiteral("А"));
    EXPECT_EQ(table.translate(cp1251::decode("\x8F\xA0\xE0\xEF\xF0\xF1")), QStringLiteral("ПаряЁё"));

    ContentsPage page;
    readContentsPage(home.path(paths::contents), page);
    EXPECT_EQ(page.columns, 5);
    ASSERT_EQ(page.rows, 1);
    EXPECT_EQ(page.cells[0], (QStringList{"1", "История", "52", "2562", "9600"}));
    EXPECT_NO_THROW(totalGroups(page));

    for (const char* name : {"Tema.dat", "Wopros.dat", "Otwet.dat", "Predmet.dat", "Exam.dat"})
        EXPECT_TRUE(QFileInfo::exists(home.path(QString(QStringLiteral("Istoriy/") + QLatin1String(name))))) << name;

    // A second init keeps what is there and brings back what is missing.
    const QByteArray settingsBefore = cp(QStringLiteral("\r\nЯ\r\n$00FFFFFF\r\n2003\r\n60\r\n15\r\n50\r\n70\r\n85\r\n100\r\n"));
    t.write("new/Tavel/Baza/NoKor.qkv", settingsBefore);
    t.write("new/Tavel/Baza/CwetFona.qkv", "Form1 clRed\r\n");
    QFile::remove(home.path(paths::codeTable));
    ASSERT_EQ(run({"init", root}).exitCode, 0);
    EXPECT_EQ(t.read("new/Tavel/Baza/NoKor.qkv"), settingsBefore);
    EXPECT_EQ(t.read("new/Tavel/Baza/CwetFona.qkv"), QByteArray("Form1 clRed\r\n"));
    EXPECT_TRUE(QFileInfo::exists(home.path(paths::codeTable)));
}

// The demo folder is generated from demo-src by scripts/make-demo.sh: every
// record file must dump to its source, and the counts the program shows must
// agree with the questions and answers stored.
TEST(DemoFolder, RecordFilesMatchTheirSourcesAndCountsAgree)
{
    const QDir demo(QStringLiteral(TAVEL_DEMO_DIR));
    const QDir sources(demo.filePath(QStringLiteral("../demo-src")));
    ASSERT_TRUE(sources.exists());
    int compared = 0;
    QDirIterator it(sources.path(), {"*.tsv"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = sources.relativeFilePath(source).chopped(4) + QStringLiteral(".dat");
        SCOPED_TRACE(relative.toStdString());
        QFile f(source);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const Outcome dump = run({"dump", demo.filePath(relative)});
        EXPECT_EQ(dump.exitCode, 0);
        EXPECT_EQ(dump.out, QString::fromUtf8(f.readAll()).remove(u'\r'));
        ++compared;
    }
    EXPECT_GE(compared, 10);

    const InstallFolder home(demo.path());
    const auto catalogue = readRecords<SubjectRecord>(home.path(paths::catalogue));
    ASSERT_GE(catalogue.size(), 2u);

    // The shared files read at start-up read without an error.
    Settings settings;
    EXPECT_NO_THROW(readSettingsFile(home.path(paths::settings), settings));
    EXPECT_NO_THROW(readColourFile(home.path(paths::colours)));
    EXPECT_NO_THROW(readCodeTable(home.path(paths::codeTable)));
    EXPECT_EQ(loadUsers(home.path(paths::users)).size(), 4u);
    ContentsPage page;
    ASSERT_NO_THROW(readContentsPage(home.path(paths::contents), page));
    ASSERT_NO_THROW(totalGroups(page));
    size_t listed = 0;
    for (const QStringList& row : page.cells) {
        const auto subject = findSubject(catalogue, row[1]);
        if (!subject)
            continue;
        ++listed;
        EXPECT_EQ(row[2].toInt(), subject->topicCount);
        EXPECT_EQ(row[3].toInt(), subject->questionCount);
        EXPECT_EQ(row[4].toInt(), subject->answerCount);
    }
    EXPECT_EQ(listed, catalogue.size());
    for (const SubjectRecord& s : catalogue) {
        SCOPED_TRACE(s.subjectName.toStdString());
        const QString folder = home.subjectFolder(s.folderName);
        const auto topics = readRecords<TopicRecord>(subjectFile(folder, subject_files::topics));
        const auto questions = readRecords<QuestionRecord>(subjectFile(folder, subject_files::questions));
        const auto answers = readRecords<AnswerRecord>(subjectFile(folder, subject_files::answers));
        const auto package = readRecords<PackageRecord>(subjectFile(folder, subject_files::package));
        EXPECT_EQ(s.topicCount, int(topics.size()));
        EXPECT_EQ(s.questionCount, int(questions.size()));
        EXPECT_EQ(s.answerCount, int(answers.size()));

        std::map<QString, int> perTopic;
        std::map<QString, int> answersPerQuestion;
        for (const QuestionRecord& q : questions) {
            ++perTopic[trimmed(q.topicCode)];
            const int points = trimmed(q.points).toInt();
            EXPECT_TRUE(points >= 1 && points <= 5) << q.questionText.toStdString();
            answersPerQuestion[trimmed(q.topicCode) + u'_' + trimmed(q.testCode) + u'_' + trimmed(q.questionNo)] = 0;
        }
        for (const AnswerRecord& a : answers) {
            const QString key = trimmed(a.topicCode) + u'_' + trimmed(a.testCode) + u'_' + trimmed(a.questionNo);
            EXPECT_TRUE(answersPerQuestion.count(key)) << "answer without a question: " << key.toStdString();
            ++answersPerQuestion[key];
        }
        for (const auto& [key, n] : answersPerQuestion)
            EXPECT_GT(n, 0) << "question without answers: " << key.toStdString();

        // Each question's marks make a well-formed question of its kind.
        std::map<QString, std::vector<const AnswerRecord*>> variants;
        for (const AnswerRecord& a : answers)
            variants[trimmed(a.topicCode) + u'_' + trimmed(a.testCode) + u'_' + trimmed(a.questionNo)].push_back(&a);
        for (const auto& [key, list] : variants) {
            SCOPED_TRACE(key.toStdString());
            int plus = 0, minus = 0, exact = 0, ranked = 0;
            for (const AnswerRecord* a : list) {
                const QString mark = trimmed(a->answerMark);
                plus += mark == u"+";
                minus += mark == u"-";
                exact += mark.contains(u'Ф');
                ranked += mark == u"1";
            }
            if (plus > 0 && minus > 0) { // matching: every item names one of the terms
                EXPECT_LE(plus, 10);
                for (const AnswerRecord* a : list) {
                    if (trimmed(a->answerMark) == u"+") {
                        EXPECT_TRUE(trimmed(a->answerNo).toInt() >= 1 && trimmed(a->answerNo).toInt() <= minus);
                    }
                }
            } else if (exact > 0) { // typed answer: the first variant is the one compared
                EXPECT_TRUE(trimmed(list.front()->answerMark).contains(u'Ф'));
            } else if (ranked == 0) { // tick boxes: at least one right option
                EXPECT_GE(plus, 1);
            } else { // ranking: positions 1..n, not already in order
                EXPECT_EQ(ranked, int(list.size()));
                std::vector<int> positions;
                for (const AnswerRecord* a : list)
                    positions.push_back(trimmed(a->answerNo).toInt());
                std::vector<int> sorted = positions;
                std::sort(sorted.begin(), sorted.end());
                for (size_t i = 0; i < sorted.size(); ++i)
                    EXPECT_EQ(sorted[i], int(i + 1));
                EXPECT_NE(positions, sorted);
            }
        }

        ASSERT_EQ(package.size(), topics.size());
        for (size_t i = 0; i < topics.size(); ++i) {
            EXPECT_EQ(package[i].topicCode, topics[i].topicCode);
            EXPECT_EQ(package[i].totalCount.toInt(), perTopic[trimmed(topics[i].topicCode)]);
            const int wanted = package[i].wantedCount.toInt();
            EXPECT_TRUE(wanted >= 1 && wanted <= 3);
        }
    }
}

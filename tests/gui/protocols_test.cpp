// The answer history and the session protocol of a whole demo topic, made
// on the real windows: every kind answered, "Полный" pressed, the history
// saved as PDF and read back.
#include "main_window_fixture.h"

#include "reports/document_writers.h"
#include "reports/windows/protocol_commands.h"
#include "session/windows/answer_rows.h"
#include "session/windows/klass_window.h"
#include "session/windows/question_area.h"
#include "session/windows/rang_window.h"
#include "session/windows/score_panel.h"
#include "session/windows/subject_panel.h"
#include "session/windows/sys_admin.h"
#include "support/read_back.h"

#include <QCheckBox>
#include <QDirIterator>
#include <QTemporaryDir>
#include <QTableWidget>
#include <QTextEdit>

namespace tavel::test {
namespace {

class ProtocolsTest : public MainWindowTest {
protected:
    ProtocolsTest()
    {
        QDir(t.root()).removeRecursively();
        const QString demo = QStringLiteral(TAVEL_DEMO_DIR);
        QDirIterator it(demo, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString target = t.root() + u'/' + QDir(demo).relativeFilePath(file);
            QDir().mkpath(QFileInfo(target).absolutePath());
            EXPECT_TRUE(QFile::copy(file, target)) << file.toStdString();
        }
    }

    QuestionArea& area() const { return *form()->questionArea; }
    ScorePanel& score() const { return *form()->scorePanel; }
    void ready() { QTest::mouseClick(area().Itog1, Qt::LeftButton); }
    void type(const QString& answer)
    {
        for (const QChar c : answer)
            QTest::sendKeyEvent(QTest::Click, area().OdinOt, Qt::Key_unknown, QString(c), Qt::NoModifier);
        ready();
    }
    void tick(int row) { QTest::mouseClick(form()->answerRows()->tickBox(row), Qt::LeftButton, {}, QPoint(6, 10)); }
    void chooseTerm(TKlass& klass, int row, int entry)
    {
        QComboBox* terms = klass.termList(row);
        terms->setFocus();
        QTest::keyClick(terms, Qt::Key_Home);
        for (int i = 0; i < entry; ++i)
            QTest::keyClick(terms, Qt::Key_Down);
    }

    // Saves `doc` as PDF (into TAVEL_GRAB_DIR too, when set) and returns its text.
    QString pdfOf(const Document& doc, const QString& name)
    {
        const QString grab = qEnvironmentVariable("TAVEL_GRAB_DIR");
        const QString path = (grab.isEmpty() ? dir.path() : grab) + u'/' + name + QStringLiteral(".pdf");
        auto writer = documentWriter(DocumentFormat::Pdf);
        EXPECT_TRUE(writer->write(doc, path)) << writer->errorString().toStdString();
        return pdfText(path).simplified(); // the PDF's layout spaces do not count
    }

    QTemporaryDir dir;
};

TEST_F(ProtocolsTest, DemoTopicOfEveryKindGivesTheHistoryAndTheProtocol)
{
    start();
    std::vector<std::shared_ptr<Document>> docs;
    form()->protocols().setShowDocument([&](std::shared_ptr<Document> d) { docs.push_back(std::move(d)); });
    enter(QStringLiteral("731946"));
    form()->subjectPanel->INN_New->setText(QStringLiteral("Петров П.П."));
    choose(find<QComboBox>("PredmetName"), 0);
    choose(find<QComboBox>("WiborTema"), 0); // "Древняя Русь (IX–XIII века)"
    state.shuffle = false;
    QTest::mouseClick(form()->subjectPanel->Pusk, Qt::LeftButton);
    EXPECT_FALSE(score().nPrnProtokol->isEnabled());

    type(QStringLiteral("862"));
    type(QStringLiteral("990")); // wrong: 988
    type(QStringLiteral("Игорь"));
    tick(1);
    tick(3);
    ready();
    tick(2);
    ready();
    TKlass* klass = windows->set().klass.get();
    ASSERT_TRUE(klass->isVisible());
    chooseTerm(*klass, 1, 3);
    chooseTerm(*klass, 2, 4);
    chooseTerm(*klass, 3, 1);
    chooseTerm(*klass, 4, 2);
    QTest::mouseClick(klass->Zakrit, Qt::LeftButton);
    ASSERT_TRUE(klass->isVisible());
    chooseTerm(*klass, 1, 3);
    QTest::mouseClick(klass->Zakrit, Qt::LeftButton);
    TRangForm* rang = windows->set().rangForm.get();
    ASSERT_TRUE(rang->isVisible());
    QTest::keyClick(rang->box(3), Qt::Key_Up, Qt::ControlModifier); // one box moved up
    script.drive([](QDialog&) {}); // the results window
    QTest::mouseClick(rang->Zakrit, Qt::LeftButton);
    ASSERT_TRUE(score().nPrnProtokol->isEnabled());

    // The session protocol first: a document of its own; the history stays whole.
    QTest::mouseClick(area().OdinProt, Qt::LeftButton);
    ASSERT_EQ(docs.size(), 1u);
    EXPECT_FALSE(area().OdinProt->isEnabled());
    EXPECT_FALSE(score().nPrnProtokol->isEnabled());
    const QString protocol = pdfOf(*docs[0], QStringLiteral("demo-protocol"));
    EXPECT_TRUE(protocol.contains(QStringLiteral("Список нерешенных задач")));
    EXPECT_TRUE(protocol.contains(QStringLiteral("Петров П.П.")));
    EXPECT_FALSE(protocol.contains(QStringLiteral("1. В каком году")));

    score().nPrnProtokol->setEnabled(true); // the protocol disabled it; the test presses it anyway
    QTest::mouseClick(score().nPrnProtokol, Qt::LeftButton);
    ASSERT_EQ(docs.size(), 2u);
    EXPECT_FALSE(score().nPrnProtokol->isEnabled());
    const Document& history = *docs[1];
    EXPECT_EQ(history.tableCount(), 4); // two matching, one ranking, the summary
    // The matching choices and the ranking order as the examinee gave them.
    EXPECT_EQ(history.cellText(1, 1, 1), QStringLiteral("3"));
    EXPECT_EQ(history.cellText(1, 1, 4), QStringLiteral("3"));
    EXPECT_EQ(history.cellText(2, 2, 3), QStringLiteral("Не определено"));
    EXPECT_EQ(history.cellText(3, 3, 1), QStringLiteral("2")); // the third box moved up into slot 2
    EXPECT_EQ(history.cellText(3, 2, 1), QStringLiteral("3"));
    EXPECT_EQ(area().SootTab()->rowCount(), 5); // the last matching answer
    const QString text = pdfOf(history, QStringLiteral("demo-history"));
    for (const char* expected : {"++ : 862 Вы 862", "-+ : 988 Вы 990", "Отвечал на вопросы", "Петров П.П.",
                                 "Набрано баллов 22", "Подписи: Преподаватель"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;

    // The topic as the teacher's key (administrator prompt answered), and the
    // question on the screen: both into the main window's holder.
    script.drive([](QDialog& prompt) {
        auto* edit = prompt.findChild<QLineEdit*>(QStringLiteral("NomZamka"));
        QTest::keyClicks(edit, TSysAdmin::word());
        QTest::keyClick(edit, Qt::Key_Return);
    });
    entry("PeTekTemi")->trigger();
    ASSERT_EQ(docs.size(), 3u);
    const QString key = pdfOf(*docs[2], QStringLiteral("demo-topic-key"));
    EXPECT_TRUE(key.contains(QStringLiteral("Ответ: 862")));
    EXPECT_TRUE(key.contains(QStringLiteral("+1) ")) || key.contains(QStringLiteral("-1) ")));
    entry("PrTekWopr")->trigger();
    ASSERT_EQ(docs.size(), 4u);
    pdfOf(*docs[3], QStringLiteral("demo-question"));
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

// The contents grid of 5 columns and 20 rows: cells A1 to E20 of the
// workbook, texts as the grid shows them, group headings with their totals.
TEST_F(ProtocolsTest, ContentsGridGoesToTheWorkbookCellByCell)
{
    QStringList lines{QStringLiteral("5"), QStringLiteral("20")};
    for (int r = 0; r < 20; ++r) {
        const bool heading = r % 10 == 0;
        lines << (heading ? QString() : QString::number(r)) << QStringLiteral("Предмет %1").arg(r)
              << (heading ? QStringLiteral("0") : QStringLiteral("1")) << (heading ? QStringLiteral("0") : QStringLiteral("02"))
              << QStringLiteral("3");
    }
    t.write(QStringLiteral("Baza/Oglavlenie.txt"), cp(lines.join(QStringLiteral("\r\n"))));
    start();
    std::shared_ptr<const Workbook> book;
    form()->protocols().setShowWorkbook([&](std::shared_ptr<const Workbook> b) { book = std::move(b); });
    entry("N4")->trigger();
    ASSERT_TRUE(book);
    EXPECT_EQ(book->rowCount(), 20);
    EXPECT_EQ(book->columnCount(), 5);
    EXPECT_EQ(book->cell(1, 2), QStringLiteral("Предмет 0"));
    EXPECT_EQ(book->cell(1, 3), QStringLiteral("9"));  // the heading's totals: nine rows of 1
    EXPECT_EQ(book->cell(11, 4), QStringLiteral("18")); // and of "02"
    EXPECT_EQ(book->cell(20, 1), QStringLiteral("19"));
    EXPECT_EQ(book->cell(20, 4), QStringLiteral("02")); // as typed, not a number
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

} // namespace
} // namespace tavel::test

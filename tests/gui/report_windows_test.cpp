// The wiring of the report windows: the document window's Save as, closing,
// hand-over and printer check; the workbook window's cells and Save as; the
// unanswered-questions window's list, filter and printout.
#include "platform/open_file.h"
#include "platform/windows/message_box.h"
#include "reports/windows/document_window.h"
#include "reports/windows/unanswered_window.h"
#include "reports/windows/workbook_window.h"
#include "support/grab.h"
#include "support/question_rows.h"
#include "support/temp_home.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <gtest/gtest.h>

using namespace tavel;
namespace scripted = tavel::dialogs::testing;

namespace {

std::shared_ptr<Document> sampleDocument()
{
    auto doc = std::make_shared<Document>();
    doc->setTitle(QStringLiteral("Протокол"));
    doc->setBaseFont(12);
    doc->append(QStringLiteral("Предмет История"));
    return doc;
}

QuestionRow question(const QString& no, const QString& text, const QString& mark)
{
    QuestionRow r = test::question(no, text);
    r.mark = mark;
    return r;
}

} // namespace

TEST(DocumentWindow, SaveAsTakesTheFormatFromTheFilterAndClosingThenAsksNothing)
{
    QTemporaryDir dir;
    scripted::Script script;
    QPointer<DocumentWindow> window = DocumentWindow::showDocument(sampleDocument());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Протокол"));
    test::grabIfAsked(*window, QStringLiteral("document_window"));
    script.answerFileName(dir.filePath(QStringLiteral("протокол"))); // no extension: the filter's, ODT
    window->SaveAs->trigger();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("протокол.odt"))));
    EXPECT_TRUE(window->handedOut());
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(script.count(scripted::BoxKind::Question), 0);
}

TEST(DocumentWindow, ClosingAnUnsavedOrChangedDocumentAsksFirst)
{
    scripted::Script script;
    QPointer<DocumentWindow> window = DocumentWindow::showDocument(sampleDocument());
    // Yes, then Cancel in Save as: the window stays open.
    script.answerYes();
    EXPECT_FALSE(window->close());
    EXPECT_EQ(script.count(scripted::BoxKind::SaveFile), 1);
    // Typing after a save makes it ask again; No closes.
    QTemporaryDir dir;
    script.answerFileName(dir.filePath(QStringLiteral("a.html")));
    ASSERT_TRUE(window->saveAs());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("a.html"))));
    window->DocumentText->setFocus();
    QTest::keyClicks(window->DocumentText, QStringLiteral("more"));
    EXPECT_TRUE(window->document()->text().toPlainText().contains(QStringLiteral("more")));
    script.clearLog();
    script.answerNo();
    EXPECT_TRUE(window->close());
    ASSERT_EQ(script.count(scripted::BoxKind::Question), 1);
    EXPECT_EQ(script.last()->text, QStringLiteral("Документ изменён после сохранения. Сохранить его?"));
}

TEST(DocumentWindow, OpenInOfficeHandsOverAnOdtCopyOrSaysThereIsNoProgram)
{
    scripted::Script script;
    auto window = std::make_unique<DocumentWindow>(sampleDocument());
    QString opened;
    setOpenUrlHook([&opened](const QUrl& url) {
        opened = url.toLocalFile();
        return false;
    });
    window->OpenInOffice->trigger();
    setOpenUrlHook({});
    EXPECT_TRUE(opened.endsWith(QStringLiteral(".odt")));
    EXPECT_TRUE(QFile::exists(opened));
    ASSERT_EQ(script.count(scripted::BoxKind::Warning), 1);
    EXPECT_EQ(script.last()->caption, QStringLiteral("Офисный пакет не найден"));
    window->document()->text().setModified(false);
    script.answerNo(); // the closing question
}

TEST(DocumentWindow, WithoutAPrinterPrintOffersAPdf)
{
    if (!QPrinterInfo::availablePrinters().isEmpty())
        GTEST_SKIP() << "this machine has a printer";
    QTemporaryDir dir;
    scripted::Script script;
    auto window = std::make_unique<DocumentWindow>(sampleDocument());
    script.answerYes();
    script.answerFileName(dir.filePath(QStringLiteral("для печати")));
    window->Print->trigger();
    EXPECT_EQ(script.shown()[0].caption, QStringLiteral("Нет принтера"));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("для печати.pdf"))));
}

TEST(WorkbookWindow, ShowsTheCellsAndSavesCsvByItsName)
{
    QTemporaryDir dir;
    scripted::Script script;
    auto book = std::make_shared<Workbook>();
    book->setTitle(QStringLiteral("Пакеты"));
    book->setCell(1, 1, QStringLiteral("Тема"));
    book->setCell(3, 28, QStringLiteral("0012"));
    book->fitColumns();
    auto window = std::make_unique<WorkbookWindow>(book);
    window->show();
    test::grabIfAsked(*window, QStringLiteral("workbook_window"));
    QAbstractItemModel* model = window->Cells->model();
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->columnCount(), 28);
    EXPECT_EQ(model->headerData(27, Qt::Horizontal).toString(), QStringLiteral("AB"));
    EXPECT_EQ(model->index(2, 27).data().toString(), QStringLiteral("0012"));
    script.answerFileName(dir.filePath(QStringLiteral("пакеты.CSV")));
    window->SaveAs->trigger();
    QFile saved(dir.filePath(QStringLiteral("пакеты.CSV")));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().startsWith("\xEF\xBB\xBF"));
}

TEST(UnansweredWindow, ShowsTheListFiltersItAndPrintsIt)
{
    test::TempHome home;
    UnansweredList list;
    list.topicName = QStringLiteral("Реформы");
    list.subjectName = QStringLiteral("История");
    list.folderName = QStringLiteral("Istoriy");
    list.rows = {question("1", QStringLiteral("Первый"), QStringLiteral("п")),
                 question("2", QStringLiteral("Второй File#nope.txt#"), QStringLiteral("у"))};
    scripted::Script script;
    TNeotWopr window([&list]() -> UnansweredList& { return list; }, home.home());
    window.N17Click(QStringLiteral("История"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("История"));
    EXPECT_EQ(window.NeotTema->text(), QStringLiteral("Реформы"));
    QAbstractItemModel* model = window.WoprP->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("                 Вопрос"));
    EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("2"));
    EXPECT_EQ(model->index(1, 1).data().toString(), QStringLiteral("Второй File#nope.txt#"));
    EXPECT_EQ(model->index(0, 2).data().toString(), QStringLiteral("п"));
    EXPECT_EQ(model->index(1, 2).data().toString(), QStringLiteral("н"));
    test::grabIfAsked(window, QStringLiteral("unanswered_window"));

    QTest::mouseClick(window.DelPraw, Qt::LeftButton);
    ASSERT_EQ(list.rows.size(), 1u);
    EXPECT_EQ(model->rowCount(), 1);

    QTest::mouseClick(window.ProtNew, Qt::LeftButton);
    ASSERT_NE(window.holder().current(), nullptr);
    const QString text = window.holder().current()->text().toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("[1]. Второй \n[nope.txt: файл не найден]")));
    EXPECT_EQ(window.Gauge1->value(), 1);
    ASSERT_EQ(script.count(scripted::BoxKind::Warning), 1);
    EXPECT_TRUE(script.last()->text.contains(QStringLiteral("nope.txt: файл не найден")));
    auto* shown = window.findChild<DocumentWindow*>();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->document(), window.holder().current());
    shown->document()->text().setModified(false);
    script.answerNo();
    shown->close();

    // All answered right and filtered: nothing to print.
    list.rows[0].mark = QStringLiteral("п");
    QTest::mouseClick(window.DelPraw, Qt::LeftButton);
    QTest::mouseClick(window.ProtNew, Qt::LeftButton);
    EXPECT_EQ(script.last()->caption, QStringLiteral("Вопросов нет"));
    EXPECT_EQ(script.last()->text, QStringLiteral("Повторите Выбор темы Старт"));
}

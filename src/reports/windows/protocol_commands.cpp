// The main window's documents: answer history, session protocol, question
// and topic printouts, contents workbook.
#include "reports/windows/protocol_commands.h"

#include "platform/clock.h"
#include "platform/windows/message_box.h"
#include "reports/session_protocol.h"
#include "reports/windows/document_window.h"
#include "reports/windows/unanswered_window.h"
#include "reports/windows/workbook_window.h"
#include "session/unanswered.h"
#include "session/presentation.h"
#include "session/windows/explanation_window.h"
#include "session/windows/main_menu.h"
#include "session/windows/main_window.h"
#include "session/windows/question_area.h"
#include "session/windows/score_panel.h"
#include "session/windows/start_screen.h"
#include "session/windows/subject_panel.h"
#include "session/windows/sys_admin.h"
#include "session/windows/test_run.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTextEdit>

namespace tavel {
namespace {

// A file the question refers to that is a picture (GIF or JPEG); empty when
// it refers to none, or to a text or another kind of file.
QString referencedPicture(const QuestionFiles& files)
{
    if (files.explanationName.isEmpty() || !files.explanationSafe || files.explanationIsText)
        return {};
    const QString lower = files.explanationName.toLower();
    const bool picture = lower.endsWith(QLatin1String(".gif")) || lower.endsWith(QLatin1String(".jpg"))
                         || lower.endsWith(QLatin1String(".jpeg"));
    return picture ? files.explanationFile : QString();
}

} // namespace

ProtocolCommands::ProtocolCommands(TForm1& form) : form_(form)
{
    showDocument_ = [this](std::shared_ptr<Document> doc) { DocumentWindow::showDocument(std::move(doc), &form_); };
    showWorkbook_ = [this](std::shared_ptr<const Workbook> book) {
        WorkbookWindow::showWorkbook(std::move(book), &form_);
    };
    form_.testRun().setAnswerHistory(&recorder_);
    MainMenu& menu = form_.menu();
    menu.provide(&context_, menu.TemaBezPlus, [this] { TemaBezPlusClick(); });
    menu.provide(&context_, menu.PrTekWopr, [this] { PrTekWoprClick(); });
    menu.provide(&context_, menu.PeTekTemi, [this] { PeTekTemiClick(); });
    menu.provide(&context_, menu.N4, [this] { N4Click(); });
    QObject::connect(form_.scorePanel->nPrnProtokol, &QPushButton::clicked, &context_, [this] { nPrnProtokolClick(); });
    QObject::connect(form_.questionArea->OdinProt, &QPushButton::clicked, &context_, [this] { OdinProtClick(); });
}

void ProtocolCommands::Recorder::testStarted(const HistoryStart& start)
{
    owner_.history_.testStarted(start);
    owner_.form_.questionArea->SootTab()->setRowCount(0);
}

void ProtocolCommands::Recorder::questionShown(int row, const QString& text)
{
    owner_.history_.questionShown(row, text);
}

void ProtocolCommands::Recorder::answerJudged(const Presentation& question, const GivenAnswer& answer, bool right)
{
    owner_.history_.answerJudged(question, answer, right);
    if (question.kind == QuestionKind::Matching)
        owner_.showMatching(
            matchingRows(question.rightTexts, question.rightCodes, question.leftTexts, answer.matchingChoices));
}

void ProtocolCommands::showMatching(const std::vector<MatchingRow>& rows)
{
    QTableWidget* grid = form_.questionArea->SootTab();
    grid->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const MatchingRow& m = rows[size_t(r)];
        const QString cells[] = {m.rightNumber, m.item, m.chosen, m.chosenNumber};
        for (int c = 0; c < 4 && c < grid->columnCount(); ++c)
            grid->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
}

TestFigures ProtocolCommands::figures() const
{
    const SessionState& s = form_.testRun().session();
    TestFigures f;
    f.started = s.startTime.isValid();
    f.kWopr = s.counters.kWopr;
    f.werWop = s.counters.werWop;
    f.wseBal = s.counters.wseBal;
    f.werBal = s.counters.werBal;
    f.ocenka = s.grade.ocenka;
    f.tenPoint = s.grade.tenPoint;
    f.examinee = s.examinee;
    f.subject = s.subjectName;
    f.topic = s.topicName;
    f.startTime = s.startTime;
    f.now = clockNow();
    // Before the test ends, the time spent so far.
    f.elapsed = s.elapsed;
    if (f.elapsed.isEmpty() && f.started)
        f.elapsed = elapsedText(s.startTime, f.now);
    return f;
}

FotoFolder ProtocolCommands::foto() const
{
    return {form_.state().home, form_.state().subjectFolder};
}

void ProtocolCommands::show(const std::shared_ptr<Document>& doc)
{
    if (doc && showDocument_)
        showDocument_(doc);
}

DocumentProgress ProtocolCommands::gauge()
{
    QProgressBar* bar = form_.scorePanel->Gauge1;
    return [bar](int done, int total) {
        bar->setMaximum(std::max(total, 1));
        bar->setValue(done);
    };
}

void ProtocolCommands::nPrnProtokolClick()
{
    form_.scorePanel->nPrnProtokol->setEnabled(false);
    show(history_.finish(figures()));
}

void ProtocolCommands::TemaBezPlusClick()
{
    TSysAdmin* prompt = form_.windows().sysAdmin.get();
    if (prompt && prompt->ask())
        OdinProtClick();
}

void ProtocolCommands::OdinProtClick()
{
    TestFigures f = figures();
    if (!f.started) {
        dialogs::warning(&form_, QStringLiteral("Вопросов нет"), QStringLiteral("Повторите Выбор темы Старт"));
        return;
    }
    form_.questionArea->OdinProt->setEnabled(false);
    form_.scorePanel->nPrnProtokol->setEnabled(false);
    // The filter of the unanswered list, for good, and its window refreshed.
    UnansweredList& list = form_.testRun().unansweredList();
    if (TNeotWopr* neot = form_.windows().neotWopr.get())
        neot->DelPrawClick();
    else
        keepUnanswered(list);
    // The test's own subject, even when another one was chosen since.
    if (!list.subjectName.isEmpty())
        f.subject = list.subjectName;
    Document& doc = holder_.newDocument();
    const FotoFolder testFoto{form_.state().home, list.folderName};
    const QuestionListFiles files = buildSessionProtocol(doc, f, list.rows, list.answers, testFoto, gauge());
    form_.questionArea->RichEdit1->setPlainText(files.inserted.join(u'\n'));
    form_.scorePanel->Gauge1->setValue(0);
    show(holder_.current());
}

void ProtocolCommands::PrTekWoprClick()
{
    const SessionState& s = form_.testRun().session();
    CurrentQuestion q;
    q.subject = form_.subjectPanel->PredmetName->currentText();
    q.topic = s.topicName;
    q.shownText = form_.questionArea->WoprosRE->toPlainText();
    if (TTeksti* teksti = form_.windows().teksti.made(); teksti && teksti->isVisible())
        q.explanation = teksti->Poyasnen->toPlainText();
    // Once the test is over the screen shows no question: no variants either.
    if (form_.testRun().running() && !s.current.variants.empty()) {
        const QuestionRow& question = s.current.question;
        q.systemNumber = question.systemNumber();
        q.referencedPicture = referencedPicture(questionFiles(form_.state().home, form_.state().subjectFolder, question));
        q.variants = s.current.variants;
    }
    Document& doc = holder_.newDocument();
    buildQuestionPrintout(doc, q, foto());
    show(holder_.current());
}

void ProtocolCommands::PeTekTemiClick()
{
    TSysAdmin* prompt = form_.windows().sysAdmin.get();
    const bool key = prompt && prompt->ask();
    const SessionState& s = form_.testRun().session();
    Document& doc = holder_.newDocument();
    const QuestionListFiles files =
        buildTopicPrintout(doc, form_.subjectPanel->PredmetName->currentText(), s.topicName, s.questions, s.answers,
                           foto(), key, gauge());
    form_.questionArea->RichEdit1->setPlainText(files.inserted.join(u'\n'));
    show(holder_.current());
}

void ProtocolCommands::N4Click()
{
    const QTableWidget* grid = form_.Zastavka->OglTabl;
    auto book = std::make_shared<Workbook>();
    book->setTitle(QStringLiteral("Оглавление"));
    for (int r = 0; r < grid->rowCount(); ++r)
        for (int c = 0; c < grid->columnCount(); ++c)
            if (const QTableWidgetItem* item = grid->item(r, c))
                book->setCell(r + 1, c + 1, item->text());
    book->fitColumns();
    if (showWorkbook_)
        showWorkbook_(book);
}

} // namespace tavel

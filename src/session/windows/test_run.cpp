// Start and Stop of a topic test, the counters on the main window and the
// results window. The presenter is in test_run_presenter.cpp, the checker in
// test_run_checker.cpp.
#include "session/windows/test_run.h"

#include "platform/windows/gauge_progress.h"

#include "platform/clock.h"
#include "platform/random.h"
#include "platform/windows/hint.h"
#include "platform/windows/message_box.h"
#include "session/entry_check.h"
#include "session/timers.h"
#include "session/windows/correct_answer_window.h"
#include "session/windows/entry_handlers.h"
#include "session/windows/klass_window.h"
#include "session/windows/main_menu.h"
#include "session/windows/controls.h"
#include "session/windows/main_window.h"
#include "session/windows/question_area.h"
#include "session/windows/rang_window.h"
#include "session/windows/results_window.h"
#include "session/windows/score_panel.h"
#include "session/windows/subject_panel.h"
#include "session/windows/test_settings_panel.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>

namespace tavel {
namespace {

// Enables a control whose feature may not be built yet; such a control stays
// as it is.
void enableIfAvailable(QWidget* control, bool enabled)
{
    if (!isMarkedNotYetAvailable(control))
        control->setEnabled(enabled);
}

} // namespace

QString TestRun::topicClosedText()
{
    return QStringLiteral("Тема закрыта. Можно её напечатать - Сервис / Печать темы.");
}

TestRun::TestRun(TForm1& form) : form_(form)
{
    Timer1 = new QTimer(&form);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(60000);
    Timer2 = new QTimer(&form);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer2->setInterval(1000);

    QuestionArea& area = *form.questionArea;
    markAvailable(form.subjectPanel->Pusk);
    markAvailable(area.Itog1);
    area.Itog1->setEnabled(false); // until Start
    // The second click of a double click arrives before the first one's work
    // is on screen: it would stop the test just started, or judge the next
    // question unseen.
    controls::ignoreSecondClick(form.subjectPanel->Pusk);
    controls::ignoreSecondClick(area.Itog1);
    QObject::connect(form.subjectPanel->Pusk, &QPushButton::clicked, &context_, [this] { PuskClick(); });
    QObject::connect(area.Itog1, &QPushButton::clicked, &context_, [this] { Itog1Click(); });
    // Enter in the typed-answer box is "Готов" (while "Готов" may be pressed).
    QObject::connect(area.OdinOt, &QLineEdit::returnPressed, &context_, [&area] { area.Itog1->click(); });
    QObject::connect(area.Dalshe, &QPushButton::clicked, &context_, [this] { DalsheClick(); });
    QObject::connect(area.Kl, &QPushButton::clicked, &context_, [this] { KlClick(); });
    QObject::connect(form.scorePanel, &ScorePanel::scoreDoubleClicked, &context_, [this] { WopBallDblClick(); });
}

TestRun::~TestRun() = default;

GradeThresholds TestRun::thresholds() const
{
    const AppState& s = form_.state();
    return {s.gradeThree, s.gradeFour, s.gradeFive};
}

void TestRun::setAnswerHistory(AnswerHistory* history)
{
    history_ = history ? history : &noHistory_;
}

AnswerHistory& TestRun::answerHistory()
{
    return *history_;
}

void TestRun::showCounters()
{
    const SessionCounters& c = session_.counters;
    form_.scorePanel->showScore(c, session_.grade);
    form_.questionArea->KPraw->setText(counterText(c.kPraw));
    form_.questionArea->TekBal->setText(counterText(c.tekBal));
    form_.TimeWopros->setText(counterText(c.timeWopros));
}

void TestRun::showCountdown()
{
    const Countdown& c = session_.countdown;
    QProgressBar* gauge = form_.Gauge3;
    gauge->setRange(0, std::max(1, c.maximum));
    gauge->setValue(std::clamp(c.left, 0, gauge->maximum()));
}

void TestRun::PuskClick()
{
    dialogs::guarded(&form_, [this] {
        // Common first steps.
        WindowSet& windows = form_.windows();
        if (TKlass* klass = windows.klass.made())
            klass->hide();
        if (TRangForm* rang = windows.rangForm.made())
            rang->hide();
        if (!form_.entry().leaveStartScreen())
            return; // the program ends
        if (running())
            Stop();
        else
            Start();
    });
}

void TestRun::lockForTest()
{
    SubjectPanel& panel = *form_.subjectPanel;
    TestSettingsPanel& settings = *form_.testSettings;
    QuestionArea& area = *form_.questionArea;
    ScorePanel& score = *form_.scorePanel;
    MainMenu& menu = form_.menu();
    ++generation_;
    session_.running = true;
    session_.awaitingAnswer = false; // a replayed question judges nothing now
    Timer1->stop();
    Timer2->stop();

    panel.lockForTest();
    settings.lockForTest();
    menu.PeTekTemi->setVisible(false);
    menu.N7->menuAction()->setEnabled(false);
    score.nPrnProtokol->setEnabled(false);
    area.OdinProt->setEnabled(true);
    area.Itog1->setEnabled(false);
    // The minutes left can be typed over with the mouse only: no focus comes
    // to it by itself, so a stray key cannot empty it.
    score.LimitTime->setFocusPolicy(Qt::ClickFocus);
}

void TestRun::unlockAfterTest()
{
    const Rights rights = rightsFor(form_.state().currentUser);
    SubjectPanel& panel = *form_.subjectPanel;
    TestSettingsPanel& settings = *form_.testSettings;
    QuestionArea& area = *form_.questionArea;
    ++generation_;
    session_.running = false;
    Timer1->stop();
    Timer2->stop();
    panel.unlockAfterTest();
    settings.unlockAfterTest(rights);
    form_.menu().N7->menuAction()->setEnabled(true);
    form_.menu().PeTekTemi->setVisible(true);
    area.Itog1->setEnabled(false);
    enableIfAvailable(area.Otlogit, false);
    form_.scorePanel->LimitTime->setFocusPolicy(Qt::StrongFocus);
}

void TestRun::Start()
{
    AppState& app = form_.state();
    TestSettingsPanel& settings = *form_.testSettings;
    ScorePanel& score = *form_.scorePanel;

    // No topic chosen: nothing is locked.
    const TopicRecord* topic = app.chosenTopicRow();
    if (!topic) {
        dialogs::warning(&form_, QStringLiteral("Тема не выбрана"), QStringLiteral("Мышку заело?"));
        return;
    }

    lockForTest();

    // The question list and the answer table of the topic, read with the
    // progress shown on Gauge1.
    StartRequest request;
    request.folderName = app.subjectFolder;
    request.subjectCode = trimmed(topic->subjectCode);
    request.topicCode = trimmed(topic->topicCode);
    request.topicName = trimmed(topic->topicName);
    request.firstOrdinal = settings.PervNomVopr->value();
    request.lastOrdinal = settings.PoslNomVopr->value();
    request.shuffle = app.shuffle;
    request.questionLimit = app.questionLimit;
    request.maxTime = settings.MaxTime->value();
    GaugeProgress gauge(score.Gauge1);
    const ScanProgress progress = [&gauge](int done, int total) { gauge(done, total); };
    StartData data;
    try {
        data = prepareTopic(app.home, request, randomSource(), progress);
    } catch (const Error& e) {
        // Nothing started: the controls are free again.
        showCounters();
        unlockAfterTest();
        dialogs::error(&form_, e.message());
        return;
    }
    begin(std::move(data));
}

void TestRun::begin(StartData data)
{
    AppState& app = form_.state();
    SubjectPanel& panel = *form_.subjectPanel;
    QuestionArea& area = *form_.questionArea;
    ScorePanel& score = *form_.scorePanel;
    // Locked (again, when the source locked first): the timers of a test
    // still under way stop and its nested handlers find it ended.
    lockForTest();

    // The counters, the grade, the lists; who is tested on what, and when.
    const bool hintsOn = app.hintMode == kHintsOn;
    startTopic(session_, std::move(data), clockNow(), hintsOn);
    session_.examinee = panel.INN_New->text();
    session_.subjectName = trimmed(panel.PredmetName->currentText());
    startUnansweredList(session_, panel.PredmetName->currentText(), app.subjectFolder);
    if (TFinish* finish = form_.windows().finish.get()) {
        finish->setAnswered(0);
        finish->setTopicName(session_.topicName);
        finish->NamePaketa->setText(session_.packageName);
    }
    area.NomerWoprosa->clear();
    showCounters();
    score.LimitTime->setText(counterText(session_.counters.limitTime));
    score.TimerTema1->setText(minutesText(0));
    score.Gauge2->setRange(0, std::max(1, session_.counters.kWopr));
    score.Gauge2->setValue(0);

    // A new history for the whole test.
    history_->testStarted(
        HistoryStart{session_.topicName, session_.packageName, session_.subjectName, session_.examinee,
                     session_.startTime});

    // Hints and postponing by the hint mode; the matching grids.
    enableIfAvailable(area.Otlogit, true);
    score.Powtorit1->setEnabled(false);
    area.WidimSoot()->setRowCount(20);
    area.WidimSoot()->setVisible(!hintsOn);
    area.SootTab()->setVisible(hintsOn);
    area.Ispravit->setEnabled(hintsOn);
    enableIfAvailable(area.Fifti, hintsOn);
    area.SootTab()->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Не изменяемый столбец"),
                                             QStringLiteral("Строки переставить"), QStringLiteral("№")});
    area.WidimSoot()->setHorizontalHeaderLabels(
        {QStringLiteral("Не изменяемый столбец"), QStringLiteral("Строки переставить")});

    // Answering starts; the minutes count; the first question.
    area.Itog1->setEnabled(true);
    Timer1->start();
    DalsheClick();
}

void TestRun::Stop()
{
    closeTest();
    form_.subjectPanel->showTopicPrompt();
    form_.state().chosenTopic = -1;
    WopBallDblClick();
}

void TestRun::closeTest()
{
    unlockAfterTest();
    // The question on screen is no longer answered.
    session_.awaitingAnswer = false;
    if (session_.startTime.isValid())
        session_.elapsed = elapsedText(session_.startTime, clockNow());
    form_.scorePanel->nPrnProtokol->setEnabled(true);
    form_.questionArea->WoprosRE->setPlainText(topicClosedText());
}

void TestRun::WopBallDblClick()
{
    dialogs::guarded(&form_, [this] {
        TFinish* finish = form_.windows().finish.get();
        if (!finish)
            return;
        TestSettingsPanel& settings = *form_.testSettings;
        SubjectPanel& panel = *form_.subjectPanel;
        // Before the first test the figures are those of the boxes' defaults.
        const bool started = session_.startTime.isValid();

        TFinish::Copy copy;
        const SessionCounters& c = session_.counters;
        copy.figures.kWopr = c.kWopr;
        copy.figures.werWop = c.werWop;
        copy.figures.wseBal = c.wseBal;
        copy.figures.werBal = c.werBal;
        copy.figures.ocenka = session_.grade.ocenka;
        copy.figures.gauge = percentGauge(c.werBal, c.wseBal);
        copy.thresholds = thresholds();
        copy.student = started ? session_.examinee : panel.INN_New->text();
        copy.maxTime = settings.MaxTime->text();
        copy.firstOrdinal = settings.PervNomVopr->text();
        copy.lastOrdinal = settings.PoslNomVopr->text();
        copy.limitTime = counterText(c.limitTime);
        copy.minutesUsed = minutesText(c.timerTema1);
        finish->fill(copy);
        finish->setAnswered(session_.answeredCount);
        finish->setTopicName(session_.topicName);

        finish->FormShow(settings.Protokol_Wkl->isChecked(), clockNow(),
                         started ? session_.subjectName : panel.PredmetName->currentText());
        // Once the test is over the topic is chosen anew; a running test
        // keeps its topic on show.
        if (!running()) {
            panel.showTopicPrompt();
            form_.state().chosenTopic = -1;
        }
        dialogs::execModal(finish);
    });
}

void TestRun::closeCorrectAnswer()
{
    if (TDalsheOkno* window = form_.windows().dalsheOkno.made(); window && window->isVisible())
        window->reject();
}

} // namespace tavel

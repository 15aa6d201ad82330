// Start and Stop of a topic test, the counters on the main window and the
// results window. The presenter is in test_run_presenter.cpp, the checker in
// test_run_checker.cpp.
#include "session/windows/test_run.h"

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
    QObject::connect(form.subjectPanel->Pusk, &QPushButton::clicked, &context_, [this] { PuskClick(); });
    QObject::connect(area.Itog1, &QPushButton::clicked, &context_, [this] { Itog1Click(); });
    QObject::connect(area.Dalshe, &QPushButton::clicked, &context_, [this] { DalsheClick(); });
    QObject::connect(area.Kl, &QPushButton::clicked, &context_, [this] { KlClick(); });
    QObject::connect(form.scorePanel, &ScorePanel::scoreDoubleClicked, &context_, [this] { WopBallDblClick(); });
}

TestRun::~TestRun() = default;

bool TestRun::running() const
{
    return trimmed(form_.subjectPanel->Pusk->text()) != QStringLiteral("Старт");
}

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
    ScorePanel& score = *form_.scorePanel;
    QuestionArea& area = *form_.questionArea;
    score.KWopr->setText(counterText(c.kWopr));
    score.NWopr->setText(counterText(c.nWopr));
    score.WerWop->setText(counterText(c.werWop));
    score.WseBal->setText(counterText(c.wseBal));
    score.WerBal->setText(counterText(c.werBal));
    score.Podskazano->setText(counterText(c.podskazano));
    score.PovtNev->setText(counterText(c.povtNev));
    score.KOtw->setText(counterText(c.kOtw));
    area.KPraw->setText(counterText(c.kPraw));
    area.TekBal->setText(counterText(c.tekBal));
    form_.TimeWopros->setText(counterText(c.timeWopros));
    score.Ocenka->setText(session_.grade.ocenka);
    score.PatSlovo->setText(session_.grade.patSlovo);
    score.SlDesBal->setEditText(session_.grade.tenPoint);
    score.DesNew->setText(session_.grade.tenPoint);
}

void TestRun::OtmPravWopr(const QString& systemNumber)
{
    markAnsweredRight(unanswered_, systemNumber);
}

void TestRun::PuskClick()
{
    dialogs::guarded(&form_, [this] {
        hookWindows();
        // Common first steps.
        WindowSet& windows = form_.windows();
        if (windows.finish)
            windows.finish->setTopicName(form_.subjectPanel->WiborTema->currentText());
        if (windows.klass)
            windows.klass->hide();
        if (windows.rangForm)
            windows.rangForm->hide();
        if (!form_.entry().leaveStartScreen())
            return; // the program ends
        if (running())
            Stop();
        else
            Start();
    });
}

void TestRun::unlockChoice(bool parameters)
{
    const Rights rights = rightsFor(form_.state().currentUser);
    SubjectPanel& panel = *form_.subjectPanel;
    TestSettingsPanel& settings = *form_.testSettings;
    panel.PredmetName->setEnabled(true);
    form_.menu().N7->menuAction()->setEnabled(true);
    settings.Regim->setEnabled(rights.modes);
    settings.WremIzm->setEnabled(rights.displayTimes);
    panel.WiborTema->setEnabled(true);
    if (parameters)
        settings.ParamExam->setEnabled(rights.testParameters);
}

void TestRun::Start()
{
    AppState& app = form_.state();
    SubjectPanel& panel = *form_.subjectPanel;
    TestSettingsPanel& settings = *form_.testSettings;
    QuestionArea& area = *form_.questionArea;
    ScorePanel& score = *form_.scorePanel;
    MainMenu& menu = form_.menu();
    ++generation_;

    // 1. The results window's counter and the grade boxes.
    session_.answeredCount = 0;
    if (TFinish* finish = form_.windows().finish)
        finish->setAnswered(0);
    session_.grade = GradeDisplay();
    session_.grade.patSlovo.clear();
    score.Ocenka->setText(session_.grade.ocenka);
    score.PatSlovo->clear();
    score.SlDesBal->setEditText(session_.grade.tenPoint);
    score.DesNew->setText(session_.grade.tenPoint);

    // 2, 3. The button turns into Stop; what must not change is locked.
    panel.showStopFace();
    menu.PeTekTemi->setVisible(false);
    settings.Nastroi->hide();
    settings.ParamExam->setEnabled(false);
    score.nPrnProtokol->setEnabled(false);
    area.OdinProt->setEnabled(true);
    panel.PredmetName->setEnabled(false);
    menu.N7->menuAction()->setEnabled(false);
    settings.Regim->setEnabled(false);
    settings.WremIzm->setEnabled(false);
    panel.WiborTema->setEnabled(false);

    // 4. Start time, a new history, the hint and postponement counters.
    const QDateTime startTime = clockNow();
    elapsed_.clear();
    history_->topicStarted();
    score.Gauge1->setRange(0, 100);
    score.Gauge1->setValue(0);
    score.Podskazano->setText(QStringLiteral("0"));
    enableIfAvailable(area.Otlogit, true);
    score.PovtNev->setText(QStringLiteral("0"));
    score.Powtorit1->setEnabled(false);

    // 5. No topic chosen.
    const TopicRecord* topic = app.chosenTopicRow();
    if (panel.WiborTema->currentText() == SubjectPanel::topicPrompt() || !topic) {
        dialogs::warning(&form_, QStringLiteral("Тема не выбрана"), QStringLiteral("Мышку заело?"));
        panel.showStartFace();
        Timer1->stop();
        Timer2->stop();
        unlockChoice(false);
        return;
    }

    // 6. The topic, the matching grids by the hint mode.
    const QString topicName = panel.WiborTema->currentText();
    const bool hintsOn = app.hintMode == kHintsOn;
    area.WidimSoot->setRowCount(20);
    area.WidimSoot->setVisible(!hintsOn);
    area.SootTab->setVisible(hintsOn);
    area.Ispravit->setEnabled(hintsOn);
    enableIfAvailable(area.Fifti, hintsOn);

    // 7. Nothing to answer until the first question is shown; the counters
    // of a test without questions yet. No tick may judge anything while the
    // files are read (a replayed question may still be counting down).
    area.Itog1->setEnabled(false);
    Timer1->stop();
    Timer2->stop();
    startTopic(session_, StartData(), topicName, startTime, hintsOn);
    unanswered_ = UnansweredList();
    showCounters();

    // 8-17. The question list and the answer table, read with the progress
    // shown on Gauge1.
    StartRequest request;
    request.folderName = app.subjectFolder;
    request.subjectCode = trimmed(topic->subjectCode);
    request.topicCode = trimmed(topic->topicCode);
    request.firstOrdinal = settings.PervNomVopr->value();
    request.lastOrdinal = settings.PoslNomVopr->value();
    request.shuffle = app.shuffle;
    request.questionLimit = app.questionLimit;
    request.maxTime = settings.MaxTime->value();
    QProgressBar* gauge = score.Gauge1;
    int shownStep = -1;
    const ScanProgress progress = [gauge, &shownStep](int done, int total) {
        // Redrawn at most once per percent, so a large subject costs no time.
        const int step = total > 0 ? int(qint64(done) * 100 / total) : 100;
        if (step == shownStep)
            return;
        shownStep = step;
        gauge->setRange(0, total + 1);
        gauge->setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    StartData data;
    try {
        data = prepareTopic(app.home, request, randomSource(), progress);
    } catch (const Error& e) {
        // The test stays half-prepared, the controls locked until Stop.
        gauge->setRange(0, 100);
        gauge->setValue(0);
        dialogs::error(&form_, e.message());
        return;
    }
    const QString pointsError = data.pointsError;
    startTopic(session_, std::move(data), topicName, startTime, hintsOn);
    unanswered_ = unansweredAtStart(session_.questions, session_.answers, topicName, panel.PredmetName->currentText(),
                                    app.subjectFolder);

    // 11, 14, 15. Minutes allowed, questions to ask, points available.
    score.LimitTime->setText(counterText(session_.counters.limitTime));
    score.Gauge2->setRange(0, std::max(1, session_.counters.kWopr));
    score.Gauge2->setValue(0);
    showCounters();

    // 18, 19. The matching grids' titles; Gauge1 shows the percentage.
    area.SootTab->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Не изменяемый столбец"),
                                             QStringLiteral("Строки переставить"), QStringLiteral("№")});
    area.WidimSoot->setHorizontalHeaderLabels(
        {QStringLiteral("Не изменяемый столбец"), QStringLiteral("Строки переставить")});
    gauge->setRange(0, 100);
    gauge->setValue(0);

    // 20, 21. Answering starts; the minutes count; the first question.
    area.Itog1->setEnabled(true);
    score.TimerTema1->setText(minutesText(0));
    Timer1->start();
    DalsheClick();

    // A Points value that is not a whole number: the test runs with the
    // points added up to it.
    if (!pointsError.isEmpty())
        dialogs::error(&form_, pointsError);
}

void TestRun::Stop()
{
    SubjectPanel& panel = *form_.subjectPanel;
    QuestionArea& area = *form_.questionArea;
    ++generation_;

    // 1, 2. Everything unlocked again.
    panel.WiborTema->setEditText(SubjectPanel::topicPrompt());
    panel.WiborTema->lineEdit()->setCursorPosition(0);
    panel.showStartFace();
    Timer1->stop();
    Timer2->stop();
    unlockChoice(true);
    area.Itog1->setEnabled(false);
    enableIfAvailable(area.Otlogit, false);
    form_.menu().PeTekTemi->setVisible(true);
    form_.testSettings->Nastroi->show();
    form_.scorePanel->nPrnProtokol->setEnabled(true);
    // The question on screen is no longer answered.
    session_.awaitingAnswer = false;

    // 3-5. The time used, the closing text, the result.
    if (session_.startTime.isValid())
        elapsed_ = elapsedText(session_.startTime, clockNow());
    area.WoprosRE->setPlainText(topicClosedText());
    WopBallDblClick();
}

void TestRun::WopBallDblClick()
{
    dialogs::guarded(&form_, [this] {
        TFinish* finish = form_.windows().finish;
        if (!finish)
            return;
        ScorePanel& score = *form_.scorePanel;
        TestSettingsPanel& settings = *form_.testSettings;
        SubjectPanel& panel = *form_.subjectPanel;

        TFinish::Copy copy;
        const SessionCounters& c = session_.counters;
        copy.figures.kWopr = c.kWopr;
        copy.figures.werWop = c.werWop;
        copy.figures.wseBal = c.wseBal;
        copy.figures.werBal = c.werBal;
        copy.figures.ocenka = score.Ocenka->text();
        copy.figures.gauge = score.Gauge1->value();
        copy.thresholds = thresholds();
        copy.student = panel.INN_New->text();
        copy.maxTime = settings.MaxTime->text();
        copy.firstOrdinal = settings.PervNomVopr->text();
        copy.lastOrdinal = settings.PoslNomVopr->text();
        copy.limitTime = score.LimitTime->text();
        copy.minutesUsed = score.TimerTema1->text();
        finish->fill(copy);
        finish->setAnswered(session_.answeredCount);

        finish->FormShow(settings.Protokol_Wkl->isChecked(), clockNow(), panel.PredmetName->currentText());
        panel.WiborTema->setEditText(SubjectPanel::topicPrompt());
        panel.WiborTema->lineEdit()->setCursorPosition(0);
        dialogs::execModal(finish);
    });
}

void TestRun::closeCorrectAnswer()
{
    if (TDalsheOkno* window = form_.windows().dalsheOkno; window && window->isVisible())
        window->reject();
}

} // namespace tavel

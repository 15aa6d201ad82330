// The running test on the main window: Start and Stop (`Pusk`), the presenter
// (hidden button `Dalshe`), the classification window's opener (hidden button
// `Kl`), the checker (`Itog1`, "Готов") and the results window (double click
// on the score group `WopBall`), with the two timers of the main window.
//
// The state of the test is session() (session/session_state.h), its one
// owner; the counter boxes and gauges of the main window show it
// (showCounters, showCountdown) and are never read back. The rules live in the
// session logic (question_list.h, presentation.h, checking.h, grades.h,
// matching.h); this group only moves values between them and the controls.
//
// For the handlers built on top of this group (timers, hints, postponing,
// replay, the exam switch):
// - Timer1 and Timer2 are made and started/stopped here; their tick handlers
//   are connected by that group (timeout is not connected here).
// - The question countdown is session().countdown, shown on Gauge3: the
//   presenter starts it with the seconds allowed; a tick lowers it and runs
//   Itog1Click() when it falls below 1.
// - Hints and postponing change session().counters and then call
//   showCounters(); a postponed question is presented with DalsheClick(); the
//   replay runs Itog1Click() (which judges nothing: no question awaits an
//   answer) after session logic's replay().
// - The time limit closes the correct-answer window with closeCorrectAnswer()
//   and then runs PuskClick() (Stop while running()).
// - TTeksti::hintRequested is left to the hints group (PlusSim1Click, then
//   TTeksti::fillHint with the text of OdinOt). The hint signals of TKlass and
//   TRangForm are connected here: each adds 1 to Podskazano.
#pragma once

#include "session/answer_history.h"
#include "session/checking.h"
#include "session/grades.h"
#include "session/question_list.h"
#include "session/session_state.h"
#include "session/test_start.h"
#include "session/unanswered.h"

#include <QObject>
#include <QString>

class QTimer;

namespace tavel {

class TForm1;

class TestRun {
public:
    // "Тема закрыта. Можно её напечатать - Сервис / Печать темы.": the
    // question text once a topic is closed.
    static QString topicClosedText();

    explicit TestRun(TForm1& form);
    ~TestRun();

    // Connects the signals of the other windows (classification, ranking,
    // explanations). Called once, after the last window of the program was
    // created (src/app); a window missing from the set is left out.
    void hookWindows();

    // Start when no test runs, Stop otherwise.
    void PuskClick();
    // The presenter: clears the answer controls and shows the next question of
    // the list (only clears after the last one).
    void DalsheClick();
    // Shows the classification window for the current matching question.
    void KlClick();
    // The checker: judges the current question, closes the topic after its
    // last one, presents the next question and shows the results at the end.
    void Itog1Click();
    // Copies the figures into the results window TFinish and shows it modally.
    void WopBallDblClick();

    // The one start of a test, whatever its questions come from (a topic, a
    // package exam, a keyword set; see session/test_start.h for the usage):
    // lockForTest() turns Pusk into "Стоп" and locks what must not change
    // while a test runs; begin(data) then resets the counters, the grade and
    // the results window's count, copies the question list into the
    // unanswered list, opens the answer history (testStarted with the title,
    // the subject, the examinee and the start time), starts the minutes and
    // presents the first question (begin locks itself, so the lock step may
    // be skipped). A source whose data cannot be built calls unlockAfterTest()
    // instead of begin.
    void lockForTest();
    void begin(StartData data);
    // The one unlock, for Stop, the end of the topic and a refused start:
    // Pusk back to "Старт", the timers stopped, the choice of subject, topic
    // and modes open again (as far as the access letter allows), the
    // parameters and "В экзамене" back, "Готов" and "Отложить" off.
    void unlockAfterTest();

    // The topic minutes (objectName "Timer1", 60 000 ms) and the question
    // seconds ("Timer2", 1 000 ms). Owned by the main window.
    QTimer* Timer1;
    QTimer* Timer2;

    SessionState& session() { return session_; }
    const SessionState& session() const { return session_; }
    // A test has been started and not stopped or closed (Pusk shows "Стоп").
    bool running() const { return session_.running; }

    // The one writer of the counters and grades: KWopr, NWopr, WerWop,
    // WseBal, WerBal, Podskazano, PovtNev, KPraw, TekBal, KOtw, TimeWopros,
    // Ocenka, the grade words and the percentage gauge Gauge1, all from
    // session(). TimerTema1 and LimitTime are written by Start and the timers.
    void showCounters();
    // Gauge3 from session().countdown.
    void showCountdown();

    // The answer as the controls hold it now: the tick boxes of the variants,
    // the typed answer OdinOt, and for a matching or ranking question the
    // choices of its window (score, term chosen per row, order of the boxes).
    GivenAnswer givenAnswer() const;

    // Closes the correct-answer window "Надо так" when it is open; the
    // checker then goes on as after "Дальше".
    void closeCorrectAnswer();

    // The time the test took, set when it closes (Stop or its last answer);
    // empty before.
    const QString& elapsedTime() const { return session_.elapsed; }

    // The unanswered-questions list of the running test (session/unanswered.h):
    // made at the start, every mark "у"; the checker marks the row of a
    // right answer "п" (checkAnswer); the unanswered-questions window filters
    // it. It is session().unanswered.
    UnansweredList& unansweredList() { return session_.unanswered; }
    const UnansweredList& unansweredList() const { return session_.unanswered; }

    // Where the running test appends its history (not owned; null: nowhere).
    void setAnswerHistory(AnswerHistory* history);
    AnswerHistory& answerHistory();

    // The grade thresholds of the program (settings lines 7 to 9).
    GradeThresholds thresholds() const;

private:
    void Start();
    void Stop();
    // What Stop and the end of the topic share: the controls unlocked, the
    // time taken, the protocol button on, the "topic closed" text.
    void closeTest();
    void closeTopic(const CheckOutcome& outcome);
    // Tick-box answer partly right in hint mode: the right variants shown,
    // "Надо так" modal, the rows restored. False when the test was stopped
    // while the window was open.
    bool showCorrectAnswer();
    void openQuestionFiles(const QuestionFiles& files);
    void setUpKind();
    void matchingReady();
    void rankingReady();
    void hintUsed();

    TForm1& form_;
    SessionState session_;
    int generation_ = 0; // counts starts and stops: a nested handler may end the test
    bool windowsHooked_ = false;
    AnswerHistory noHistory_;
    AnswerHistory* history_ = &noHistory_;
    QObject context_; // the connections of this group end with it
};

} // namespace tavel

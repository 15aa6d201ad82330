// The running test on the main window: Start and Stop (`Pusk`), the presenter
// (hidden button `Dalshe`), the classification window's opener (hidden button
// `Kl`), the checker (`Itog1`, "Готов") and the results window (double click
// on the score group `WopBall`), with the two timers of the main window.
//
// The state of the test is session() (session/session_state.h); the counter
// boxes of the main window show it (showCounters). The rules live in the
// session logic (question_list.h, presentation.h, checking.h, grades.h,
// matching.h); this group only moves values between them and the controls.
//
// For the handlers built on top of this group (timers, hints, postponing,
// replay, the exam switch):
// - Timer1 and Timer2 are made and started/stopped here; their tick handlers
//   are connected by that group (timeout is not connected here).
// - The question countdown is Gauge3 of the main window: the presenter sets
//   its maximum to the seconds allowed and its value to the maximum; a tick
//   lowers the value and runs Itog1Click() when it falls below 1.
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

    // Start when the trimmed caption of Pusk is "Старт", Stop otherwise.
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

    // The topic minutes (objectName "Timer1", 60 000 ms) and the question
    // seconds ("Timer2", 1 000 ms). Owned by the main window.
    QTimer* Timer1;
    QTimer* Timer2;

    SessionState& session() { return session_; }
    const SessionState& session() const { return session_; }
    // A test has been started and not stopped (Pusk shows "Стоп").
    bool running() const;

    // Writes the counters of session() into their boxes: KWopr, NWopr, WerWop,
    // WseBal, WerBal, Podskazano, PovtNev, KPraw, TekBal, KOtw, TimeWopros,
    // Ocenka and the grade words. TimerTema1 and LimitTime are written only by
    // Start; afterwards they belong to the timers.
    void showCounters();

    // The answer as the controls hold it now (tick boxes of the variants, the
    // typed answer OdinOt, the classification window's score).
    GivenAnswer givenAnswer() const;

    // Closes the correct-answer window "Надо так" when it is open; the
    // checker then goes on as after "Дальше".
    void closeCorrectAnswer();

    // The time the topic took, set when it closes (Stop or its last answer);
    // empty before.
    const QString& elapsedTime() const { return elapsed_; }

    // The unanswered-questions list of the running topic (session/unanswered.h):
    // made at Start, every mark "у"; OtmPravWopr sets the mark of the first
    // row with the system number to "п"; the unanswered-questions window
    // filters it.
    UnansweredList& unansweredList() { return unanswered_; }
    const UnansweredList& unansweredList() const { return unanswered_; }
    void OtmPravWopr(const QString& systemNumber);

    // Where the running test appends its history (not owned; null: nowhere).
    void setAnswerHistory(AnswerHistory* history);
    AnswerHistory& answerHistory();

    // The grade thresholds of the program (settings lines 7 to 9).
    GradeThresholds thresholds() const;

private:
    void Start();
    void Stop();
    // Re-enables the choice of subject, topic and modes after a test (and
    // after Start refused); ParamExam too when `parameters`. What the access
    // letter forbids stays disabled.
    void unlockChoice(bool parameters);
    void closeTopic(const CheckOutcome& outcome);
    // Tick-box answer partly right in hint mode: the right variants shown,
    // "Надо так" modal, the rows restored. False when the test was stopped
    // while the window was open.
    bool showCorrectAnswer();
    void openQuestionFiles(const QuestionFiles& files);
    void setUpKind();
    void hookWindows();
    void matchingReady();
    void rankingReady();
    void hintUsed();

    TForm1& form_;
    SessionState session_;
    int generation_ = 0; // counts Starts and Stops: a nested handler may end the test
    bool windowsHooked_ = false;
    UnansweredList unanswered_;
    QString elapsed_;
    AnswerHistory noHistory_;
    AnswerHistory* history_ = &noHistory_;
    QObject context_; // the connections of this group end with it
};

} // namespace tavel

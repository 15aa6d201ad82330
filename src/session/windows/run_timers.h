// The two limits of a running test on the main window: the question
// countdown (Timer2, shown on Gauge3), the topic's minutes (Timer1, shown in
// TimerTema1) and the minutes left (LimitTime, which the user may edit).
//
// The rules are in session/timers.h; the timers themselves and the checker
// belong to TestRun. This group connects the ticks and the change handlers.
//
// Contracts:
// - Every change of TimerTema1 and LimitTime is handled, whoever made it
//   (the program's writes and the user's typing alike): LimitTime reading 0
//   while the topic's minutes count (Timer1 runs) closes "Надо так" and stops
//   the topic. Otherwise LimitTime's text means nothing (Start fills it, and
//   the 0 of an empty topic without a time limit stops nothing).
// - LimitTime typed as something that is not a number of minutes (not a whole
//   number, or below 0): one message naming the box, and the box gets back the
//   minutes it held; the test goes on with them. An empty box is left to be
//   typed into and is no limit of 0: the next minute counts down from the
//   minutes it held last. While a test runs the box takes the keyboard only
//   when clicked (TestRun::lockForTest), so a stray key cannot reach it.
// - The countdown judges a question only when no modal window is open and no
//   countdown verdict is under way; a tick that finds one leaves the seconds
//   at 0, and the first tick after it closes judges.
#pragma once

#include <QObject>

namespace tavel {

class TForm1;

class RunTimers {
public:
    explicit RunTimers(TForm1& form);

    // One minute of topic time: TimerTema1 shows one minute more.
    void Timer1Timer();
    // One second of the question countdown; at 0 the checker runs.
    void Timer2Timer();
    // TimerTema1 changed: LimitTime goes down by one minute.
    void TimerTema1Change();
    // LimitTime changed: at 0 the topic stops.
    void LimitTimeChange();

private:
    TForm1& form_;
    bool restoring_ = false; // LimitTime is being given back its minutes
    bool judging_ = false;   // the countdown's checker runs
    QObject context_;        // the connections of this group end with it
};

} // namespace tavel

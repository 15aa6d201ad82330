// The question countdown, the topic's minutes and the minutes left of a
// running test.
#include "session/windows/run_timers.h"

#include "platform/windows/message_box.h"
#include "session/session_state.h"
#include "session/timers.h"
#include "session/windows/main_window.h"
#include "session/windows/score_panel.h"
#include "session/windows/test_run.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

namespace tavel {
namespace {

const QString kLimitBox = QStringLiteral("Осталось минут");

} // namespace

RunTimers::RunTimers(TForm1& form) : form_(form)
{
    TestRun& run = form.testRun();
    ScorePanel& score = *form.scorePanel;
    QObject::connect(run.Timer1, &QTimer::timeout, &context_, [this] { Timer1Timer(); });
    QObject::connect(run.Timer2, &QTimer::timeout, &context_, [this] { Timer2Timer(); });
    QObject::connect(score.TimerTema1, &QLineEdit::textChanged, &context_, [this] { TimerTema1Change(); });
    QObject::connect(score.LimitTime, &QLineEdit::textChanged, &context_, [this] { LimitTimeChange(); });
}

void RunTimers::Timer1Timer()
{
    // The minutes are counted in the session; the box only shows them.
    SessionCounters& c = form_.testRun().session().counters;
    ++c.timerTema1;
    form_.scorePanel->TimerTema1->setText(minutesText(c.timerTema1));
}

void RunTimers::Timer2Timer()
{
    TestRun& run = form_.testRun();
    Countdown& countdown = run.session().countdown;
    const bool due = countdown.tick();
    countdown.left = std::max(countdown.left, 0);
    run.showCountdown();
    if (!due)
        return;
    // A modal window (the results, a message, "Надо так") may be open inside a
    // handler that is still running; the checker must not run inside it. The
    // question waits at 0 seconds for the first tick after it closes.
    if (judging_ || QApplication::activeModalWidget())
        return;
    judging_ = true;
    run.Itog1Click();
    judging_ = false;
}

void RunTimers::TimerTema1Change()
{
    ScorePanel& score = *form_.scorePanel;
    const SessionCounters& c = form_.testRun().session().counters;
    dialogs::guarded(&form_, [&] {
        const LimitUpdate update = limitAfterMinute(c.timerTema1, score.LimitTime->text(), c.limitTime);
        if (update.changed)
            score.LimitTime->setText(update.limitTime); // LimitTimeChange follows
    });
}

void RunTimers::LimitTimeChange()
{
    if (restoring_)
        return;
    // Only while the topic's minutes count: Start writes LimitTime before it
    // starts Timer1, and a value written then stops nothing.
    TestRun& run = form_.testRun();
    if (!run.running() || !run.Timer1->isActive())
        return;
    QLineEdit* box = form_.scorePanel->LimitTime;
    const QString text = box->text();
    SessionCounters& c = run.session().counters;
    bool stop = false;
    try {
        stop = limitReached(text);
        if (trimmed(text).isEmpty())
            return; // being typed into: the minutes stay as they were
        const int minutes = readWholeNumber(text, kLimitBox);
        if (minutes < 0)
            throw Error(QStringLiteral("В поле «%1» число минут не может быть отрицательным: «%2».")
                            .arg(kLimitBox, text));
        c.limitTime = minutes;
    } catch (const Error& e) {
        // The box gets its minutes back before the message, so that a minute
        // that ends while the message is open counts from them.
        restoring_ = true;
        box->setText(counterText(c.limitTime));
        restoring_ = false;
        dialogs::error(&form_,
                       e.message() + QStringLiteral(" Тест идёт дальше, осталось минут: %1.").arg(c.limitTime));
        return;
    }
    if (!stop)
        return;
    // The time is up: "Надо так" closes (its checker then finds the test
    // stopped) and the topic stops.
    run.closeCorrectAnswer();
    run.PuskClick();
}

} // namespace tavel

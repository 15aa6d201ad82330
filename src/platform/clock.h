// The time-of-day source of the program (start time of a topic, elapsed
// time, dates on the results window). Tests put a clock of their own in its
// place.
#pragma once

#include <QDateTime>

namespace tavel {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// A clock that stands still until it is set or advanced (for tests).
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime at) : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }
    void set(const QDateTime& at) { at_ = at; }
    void advanceSeconds(qint64 seconds) { at_ = at_.addSecs(seconds); }

private:
    QDateTime at_;
};

// The program-wide clock: the system clock unless replaced.
const Clock& activeClock();
// Puts `clock` in place of the system clock (not owned). Null restores it.
void setActiveClock(const Clock* clock);
// Shorthand for activeClock().now().
QDateTime clockNow();

} // namespace tavel

// Progress of long work on a gauge (QProgressBar): the bar is moved and the
// window repainted by time, at most every kIntervalMs (the first time
// kIntervalMs after the gauge is made), never per record, so that showing
// progress costs a small part of the work it shows: work shorter than that
// shows only its ends. The last call (done == total) always shows.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>

namespace tavel {

class GaugeProgress {
public:
    static constexpr int kIntervalMs = 80;

    explicit GaugeProgress(QProgressBar* gauge) : gauge_(gauge) { sinceShown_.start(); }

    // Usable wherever a progress callback (done, total) is taken.
    void operator()(qint64 done, qint64 total);

private:
    QPointer<QProgressBar> gauge_;
    QElapsedTimer sinceShown_;
};

} // namespace tavel

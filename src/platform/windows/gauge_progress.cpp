// Timed progress on a gauge.
#include "platform/windows/gauge_progress.h"

#include <QCoreApplication>

namespace tavel {

void GaugeProgress::operator()(qint64 done, qint64 total)
{
    if (!gauge_)
        return;
    const bool last = done >= total;
    if (!last && sinceShown_.elapsed() < kIntervalMs)
        return;
    sinceShown_.start();
    // The range in whole units; a count above int's range is scaled down.
    const int scale = total > 0x3fffffff ? int(total / 0x3fffffff) + 1 : 1;
    gauge_->setRange(0, int(std::max<qint64>(1, total / scale)));
    gauge_->setValue(int(std::min(done, total) / scale));
    // The bar is repainted now; user input waits until the work is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tavel

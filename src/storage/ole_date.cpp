// Conversion between day counts and Qt dates; negative counts follow the same
// convention as positive ones (the integral part is the day, the fraction is
// the time of day, whatever the sign).
#include "storage/ole_date.h"

#include <cmath>

namespace tavel {
namespace {
const QDate kEpoch(1899, 12, 30);
constexpr qint64 kMsPerDay = 86400000;
} // namespace

double toDays(QDate date)
{
    return double(kEpoch.daysTo(date));
}

double toDays(const QDateTime& moment)
{
    const double day = toDays(moment.date());
    const double fraction = double(moment.time().msecsSinceStartOfDay()) / double(kMsPerDay);
    return day >= 0 ? day + fraction : day - fraction;
}

QDateTime fromDays(double days)
{
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const qint64 ms = std::llround(fraction * double(kMsPerDay));
    const QDate date = kEpoch.addDays(qint64(whole) + ms / kMsPerDay);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms % kMsPerDay)));
}

bool hasTimePart(double days)
{
    return fromDays(days).time() != QTime(0, 0);
}

} // namespace tavel

// Conversion between day counts and Qt dates; negative counts follow the same
// convention as positive ones (the integral part is the day, the fraction is
// the time of day, whatever the sign).
#include "storage/ole_date.h"

#include <cmath>

namespace tavel {
namespace {
const QDate kEpoch(1899, 12, 30);
constexpr qint64 kMsPerDay = 86400000;
// 1 January of the year 1 and the day after 31 December 9999, as day counts.
constexpr double kFirstDay = -693593;
constexpr double kDayAfterLast = 2958466;
} // namespace

bool isDayCount(double days)
{
    // A negative count keeps its time of day as a positive fraction, so the
    // whole first day reaches down to kFirstDay - 1 (exclusive).
    return std::isfinite(days) && days > kFirstDay - 1 && days < kDayAfterLast;
}

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
    // Converting NaN or a huge value to an integer is undefined behaviour.
    if (!isDayCount(days))
        return QDateTime();
    const double whole = std::trunc(days);
    const double fraction = std::fabs(days - whole);
    const qint64 ms = std::llround(fraction * double(kMsPerDay));
    const QDate date = kEpoch.addDays(qint64(whole) + ms / kMsPerDay);
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms % kMsPerDay)));
}

bool hasTimePart(double days)
{
    const QDateTime moment = fromDays(days);
    return moment.isValid() && moment.time() != QTime(0, 0);
}

} // namespace tavel

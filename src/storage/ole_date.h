// Dates stored as the number of days since 30 December 1899 (the fraction is
// the time of day), as the user file keeps them.
#pragma once

#include <QDateTime>

namespace tavel {

double toDays(const QDateTime& moment);
double toDays(QDate date);
// True when `days` is a moment between 1 January of the year 1 and the end of
// 31 December 9999; NaN, infinities and huge values are not (a damaged file
// may hold any eight bytes there).
bool isDayCount(double days);
// The moment of a day count; an invalid QDateTime when !isDayCount(days).
QDateTime fromDays(double days);
// False also for a value that is no day count.
bool hasTimePart(double days);

} // namespace tavel

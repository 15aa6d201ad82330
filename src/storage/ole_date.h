// Dates stored as the number of days since 30 December 1899 (the fraction is
// the time of day), as the user file keeps them.
#pragma once

#include <QDateTime>

namespace tavel {

double toDays(const QDateTime& moment);
double toDays(QDate date);
QDateTime fromDays(double days);
bool hasTimePart(double days);

} // namespace tavel

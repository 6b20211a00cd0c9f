#pragma once
// Dates travel and are kept as day counts since 1899-12-30, the time of day
// as the fraction.

#include <QDateTime>

namespace pel {

double toDayCount(const QDateTime& dt);
double toDayCount(const QDate& d);
QDateTime fromDayCount(double days);

} // namespace pel

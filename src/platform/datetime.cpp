#include "datetime.h"

#include <cmath>

namespace pel {
namespace {
const QDate kEpoch(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
} // namespace

double toDayCount(const QDate& d)
{
    return double(kEpoch.daysTo(d));
}

double toDayCount(const QDateTime& dt)
{
    const double days = double(kEpoch.daysTo(dt.date()));
    const double frac = double(dt.time().msecsSinceStartOfDay()) / kMsPerDay;
    // Before the epoch the fraction still counts forward from midnight.
    return days >= 0 ? days + frac : days - frac;
}

QDateTime fromDayCount(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3.0e6)
        return {};
    const double whole = std::trunc(days);
    const double frac = std::fabs(days - whole);
    qint64 ms = qint64(std::llround(frac * kMsPerDay));
    QDate d = kEpoch.addDays(qint64(whole));
    if (ms >= qint64(kMsPerDay)) {
        ms -= qint64(kMsPerDay);
        d = d.addDays(1);
    }
    return QDateTime(d, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

} // namespace pel

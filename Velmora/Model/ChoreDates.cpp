#include "Velmora/Model/ChoreDates.h"

#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/WallClock.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Velmora::ChoreDates {

namespace {

int clampToInt(qint64 value)
{
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Named tr so that lupdate files these texts under this namespace, the context used here.
QString tr(const char *key, const char *disambiguation = nullptr, int n = -1)
{
    return QCoreApplication::translate("Velmora::ChoreDates", key, disambiguation, n);
}

} // namespace

QDateTime startOfDay(const QDateTime &instant, const QTimeZone &zone)
{
    if (!instant.isValid())
        return {};
    return instant.toTimeZone(zone).date().startOfDay(zone);
}

QDateTime startOfDay(const QDateTime &instant)
{
    return startOfDay(instant, Clock::current().timeZone());
}

QDate calendarDay(const QDateTime &instant, const QTimeZone &zone)
{
    const auto day = localDay(instant, zone);
    // QDate counts Julian days; 1970-01-01 is day 2440588.
    return day ? QDate::fromJulianDay(*day + 2440588) : QDate();
}

QDate calendarDay(const QDateTime &instant)
{
    return calendarDay(instant, Clock::current().timeZone());
}

// The local calendar day of an instant as a count of days since 1970-01-01, by the zone's
// offset at that instant: the same answer as converting to local time, without the conversion.
std::optional<qint64> localDay(const QDateTime &instant, const QTimeZone &zone)
{
    if (!instant.isValid())
        return std::nullopt;
    const qint64 ms = instant.toMSecsSinceEpoch() + qint64(zone.offsetFromUtc(instant)) * 1000;
    constexpr qint64 msPerDay = 24 * 3600 * 1000;
    return ms >= 0 ? ms / msPerDay : -((-ms + msPerDay - 1) / msPerDay);
}

int dayDifference(const QDateTime &a, const QDateTime &b, const QTimeZone &zone)
{
    const auto from = localDay(a, zone);
    const auto to = localDay(b, zone);
    if (!from || !to)
        return 0;
    return clampToInt(*to - *from);
}

int dayDifference(const QDateTime &a, const QDateTime &b)
{
    return dayDifference(a, b, Clock::current().timeZone());
}

QDateTime addDays(const QDateTime &start, int days)
{
    const QTimeZone zone = Clock::current().timeZone();
    if (!start.isValid())
        return start;
    const QDate day = start.toTimeZone(zone).date().addDays(days);
    const QDateTime result = day.isValid() ? day.startOfDay(zone) : QDateTime();
    return result.isValid() ? result : startOfDay(start, zone);
}

int daysUntilDue(const ChoreFields &chore, const QDateTime &from, bool allowingNegative)
{
    const int days = dayDifference(from, chore.dueDate);
    return days < 0 && !allowingNegative ? 0 : days;
}

int remainingDays(const ChoreFields &chore)
{
    return std::max(0, dayDifference(Clock::current().now(), chore.dueDate));
}

int daysSinceStart(const ChoreFields &chore)
{
    return std::max(0, dayDifference(chore.startDate, Clock::current().now()));
}

std::optional<int> daysToFinish(const ChoreFields &chore)
{
    if (!chore.endDate)
        return std::nullopt;
    return std::max(0, dayDifference(chore.startDate, *chore.endDate));
}

QString timeLeftText(const ChoreFields &chore, const QDateTime &from, bool allowingNegative, bool appendingLeft)
{
    const int d = daysUntilDue(chore, from, allowingNegative);
    if (d < 0)
        return tr("overdue");
    if (d == 0)
        return tr("today");
    // The form follows the reference day; the number follows the clock (they differ only
    // between midnight and the next refresh of the day).
    const int n = remainingDays(chore);
    if (d <= 60)
        return appendingLeft ? tr("%n days left", nullptr, n) : tr("%n days", nullptr, n);
    if (d <= 365) {
        const int months = int(std::lround(double(n) / 31.0));
        return appendingLeft ? tr("%n months left", nullptr, months) : tr("%n months", nullptr, months);
    }
    return tr("years");
}

QString durationText(qint64 days)
{
    if (days == 0)
        return tr("Same day");
    return tr("%n days", nullptr, clampToInt(days));
}

QString dueTodayText()
{
    return tr("This chore is due today!");
}

std::optional<QDateTime> reminderInstant(const QDateTime &dueDate, double notificationTime, const QTimeZone &zone)
{
    // Beyond ±2^63 the conversion to a whole number of seconds would be undefined.
    constexpr double limit = 9223372036854775808.0;
    if (!std::isfinite(notificationTime) || notificationTime >= limit || notificationTime <= -limit)
        return std::nullopt;
    if (!dueDate.isValid() || !zone.isValid())
        return std::nullopt;
    const qint64 seconds = qint64(notificationTime);
    const qint64 hour = seconds / 3600;
    const qint64 minute = seconds % 3600 / 60;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59)
        return std::nullopt;
    const QDate day = dueDate.toTimeZone(zone).date();
    if (!day.isValid())
        return std::nullopt;
    return firstInstantAt(day, QTime(int(hour), int(minute)), zone);
}

} // namespace Velmora::ChoreDates

namespace Velmora {

QDateTime Days::startOfToday() const
{
    return ChoreDates::startOfDay(Clock::current().now());
}

} // namespace Velmora

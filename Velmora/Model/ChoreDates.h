#pragma once

#include "Velmora/Model/Chore.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimeZone>

#include <optional>

namespace Velmora {

// Whole calendar days in the user's calendar and time zone: both ends are taken to the start
// of their day first, so times of day never matter. The zone is asked for afresh at each call
// (Clock::current()); the overloads with a zone exist for tests and callers that already have one.
namespace ChoreDates {

// Start of the calendar day holding instant, in zone (the first moment that exists that day).
QDateTime startOfDay(const QDateTime &instant, const QTimeZone &zone);
QDateTime startOfDay(const QDateTime &instant);
// The local calendar day holding instant in zone, as days since 1970-01-01; none when invalid.
std::optional<qint64> localDay(const QDateTime &instant, const QTimeZone &zone);
// The calendar day holding instant, in zone; invalid when the instant is.
QDate calendarDay(const QDateTime &instant, const QTimeZone &zone);
QDate calendarDay(const QDateTime &instant);
// Days from the day of a to the day of b; 0 when either instant is invalid.
int dayDifference(const QDateTime &a, const QDateTime &b, const QTimeZone &zone);
int dayDifference(const QDateTime &a, const QDateTime &b);
// day of start plus days, at its start; start's day when the date cannot be formed.
QDateTime addDays(const QDateTime &start, int days);

int daysUntilDue(const ChoreFields &chore, const QDateTime &from, bool allowingNegative);
int remainingDays(const ChoreFields &chore);
int daysSinceStart(const ChoreFields &chore);
std::optional<int> daysToFinish(const ChoreFields &chore);
QString timeLeftText(const ChoreFields &chore, const QDateTime &from, bool allowingNegative, bool appendingLeft);
QString durationText(qint64 days);
// What a reminder says of a chore that falls due: its notification's text, and its alarm's
// in the calendar and in other apps where it has no title.
QString dueTodayText();

// The instant of a chore's reminder: dueDate's day in zone at the hour and minute of the whole
// seconds of notificationTime. A wall-clock time the day skips moves to the next existing one;
// a time the day has twice takes the first. None for a non-finite time, one whose hour or
// minute falls outside the day (after 23:59, or a minute below zero), or an invalid due date.
std::optional<QDateTime> reminderInstant(const QDateTime &dueDate, double notificationTime, const QTimeZone &zone);

} // namespace ChoreDates

// The free day texts, for QML.
class Days : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    Q_INVOKABLE QString durationText(int days) const { return ChoreDates::durationText(days); }
    Q_INVOKABLE QDateTime startOfToday() const;
    Q_INVOKABLE QDateTime startOfDay(const QDateTime &instant) const { return ChoreDates::startOfDay(instant); }
    Q_INVOKABLE QDateTime addDays(const QDateTime &start, int days) const { return ChoreDates::addDays(start, days); }
    Q_INVOKABLE int dayDifference(const QDateTime &a, const QDateTime &b) const { return ChoreDates::dayDifference(a, b); }
};

} // namespace Velmora

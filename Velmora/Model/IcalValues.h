#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include <libical/ical.h>

#include <memory>
#include <mutex>

// What the iCalendar files this app writes (the export and the tasks sync sends) share: the
// bridges between Qt's dates and libical's, the calendar, text values and the reminder's alarm.
namespace Velmora::Ical {

// Bad input is refused or left out, never a reason to abort the process.
inline void setUp()
{
    static std::once_flag once;
    std::call_once(once, [] { icalerror_set_errors_are_fatal(0); });
}

struct ComponentDeleter {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentDeleter>;

inline icaltimetype dateValue(const QDate &day)
{
    icaltimetype t = icaltime_null_date();
    t.year = day.year();
    t.month = day.month();
    t.day = day.day();
    t.is_date = 1;
    return t;
}

inline icaltimetype utcValue(const QDateTime &instant)
{
    const QDateTime utc = instant.toUTC();
    icaltimetype t = icaltime_null_time();
    t.year = utc.date().year();
    t.month = utc.date().month();
    t.day = utc.date().day();
    t.hour = utc.time().hour();
    t.minute = utc.time().minute();
    t.second = utc.time().second();
    t.zone = icaltimezone_get_utc_timezone();
    return t;
}

// The VCALENDAR every file this app writes starts with.
Component newCalendar();

// Text for a TEXT value: libical escapes it but writes other control characters raw, which
// RFC 5545 forbids, and drops a lone CR.
QByteArray textValue(QString text);

// One of our X- properties, its value written as given.
icalproperty *xProperty(const char *name, const QByteArray &value);
// Text escaped as a TEXT value is written (backslash, comma, semicolon, line breaks as \n).
QByteArray escapedText(const QString &text);
// An X- property holding text: libical writes X- values as given, so it is escaped as TEXT first.
icalproperty *xTextProperty(const char *name, const QString &text);

// The display alarm of a chore's reminder, at an instant or at some seconds after the start of
// what holds it. It says the title, or that the chore is due today when there is none.
icalcomponent *reminderAlarm(const QDateTime &at, const QString &title);
icalcomponent *reminderAlarm(int secondsAfterStart, const QString &title = {});

// The component as libical writes it.
QByteArray written(icalcomponent *component);

} // namespace Velmora::Ical

#pragma once

#include <QDate>
#include <QDateTime>
#include <QTimeZone>

#include <libical/ical.h>

#include <memory>
#include <mutex>

// Small bridges between Qt's dates and libical's, shared by the files this app writes with it.
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
inline Component newCalendar()
{
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Taskarello//Chores//EN"));
    return calendar;
}

// A display alarm ringing at trigger, saying description.
inline icalcomponent *displayAlarm(icalproperty *trigger, const QByteArray &description)
{
    icalcomponent *alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, trigger);
    icalcomponent_add_property(alarm, icalproperty_new_description(description.constData()));
    return alarm;
}

} // namespace Velmora::Ical

#include "Velmora/Model/CalendarExport.h"

#include "Velmora/Model/IcalValues.h"

#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace Velmora {

namespace {

using Ical::Component;
using Ical::dateValue;
using Ical::utcValue;

std::optional<QDate> dueDay(const ChoreFields &fields, const QTimeZone &zone)
{
    if (fields.endDate || !fields.dueDate.isValid())
        return std::nullopt;
    const QDate day = fields.dueDate.toTimeZone(zone).date();
    // libical writes no date after the year 3000, and the day after must be writable too.
    if (!day.isValid() || day.year() < 1 || day.year() > 2999)
        return std::nullopt;
    return day;
}

// Whole seconds after the start of the due day; none unless within that day.
std::optional<int> reminderOffset(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0 || seconds >= 86400)
        return std::nullopt;
    return int(seconds);
}

} // namespace

QByteArray CalendarExport::encode(const std::vector<Event> &events, const QTimeZone &zone, const QDateTime &stamp,
                                  int *count)
{
    Ical::setUp();

    Component calendar = Ical::newCalendar();
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
    icalcomponent_add_property(calendar.get(), Ical::xTextProperty("X-WR-CALNAME", tr("Taskarello chores")));

    const icaltimetype stampValue = utcValue(stamp);
    int written = 0;
    for (const Event &event : events) {
        const auto day = dueDay(event.fields, zone);
        if (!day)
            continue;
        icalcomponent *vevent = icalcomponent_new_vevent();
        const QByteArray uid = "chore-" + QByteArray::number(event.persistentId) + "@taskarello";
        icalcomponent_add_property(vevent, icalproperty_new_uid(uid.constData()));
        icalcomponent_add_property(vevent, icalproperty_new_dtstamp(stampValue));
        icalcomponent_add_property(vevent, icalproperty_new_dtstart(dateValue(*day)));
        icalcomponent_add_property(vevent, icalproperty_new_dtend(dateValue(day->addDays(1))));
        // An empty SUMMARY is no value to libical, which drops it with an error note when reading.
        if (const QByteArray title = Ical::textValue(event.fields.title); !title.isEmpty())
            icalcomponent_add_property(vevent, icalproperty_new_summary(title.constData()));
        icalcomponent_add_property(vevent, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        if (!event.recurrence.afterFinishing && event.recurrence.followable(*day)) {
            const QByteArray line = "RRULE:" + Recurrence::portable(event.recurrence.rule).toUtf8();
            if (icalproperty *rule = icalproperty_new_from_string(line.constData()))
                icalcomponent_add_property(vevent, rule);
            for (const QDate &skipped : event.recurrence.exceptions)
                icalcomponent_add_property(vevent, icalproperty_new_exdate(dateValue(skipped)));
        }
        if (event.fields.notify) {
            if (const auto offset = reminderOffset(event.fields.notificationTime))
                icalcomponent_add_component(vevent, Ical::reminderAlarm(*offset));
        }
        icalcomponent_add_component(calendar.get(), vevent);
        ++written;
    }

    const QByteArray out = Ical::written(calendar.get());
    if (count)
        *count = written;
    return out;
}

std::optional<QByteArray> CalendarExport::encode(const ChoreStore &store, int *count)
{
    std::vector<Event> events;
    const bool read = store.forEachStored([&](qint64 id, const ChoreFields &fields) {
        events.push_back({id, fields, store.recurrence(id)});
        return true;
    }, ChoreStore::StoredRows::Active);
    if (!read)
        return std::nullopt;
    // Soonest first, so the file reads like the main screen.
    std::sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
        const qint64 da = a.fields.dueDate.isValid() ? a.fields.dueDate.toMSecsSinceEpoch() : 0;
        const qint64 db = b.fields.dueDate.isValid() ? b.fields.dueDate.toMSecsSinceEpoch() : 0;
        return da != db ? da < db : a.persistentId < b.persistentId;
    });
    const Clock &clock = Clock::current();
    return encode(events, clock.timeZone(), clock.now(), count);
}

} // namespace Velmora

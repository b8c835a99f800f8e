#include "Velmora/Model/IcalValues.h"

#include "Velmora/Model/ChoreDates.h"

namespace Velmora::Ical {

namespace {

icalcomponent *displayAlarm(icalproperty *trigger, const QString &title)
{
    const QByteArray description = title.isEmpty() ? textValue(ChoreDates::dueTodayText()) : title.toUtf8();
    icalcomponent *alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, trigger);
    icalcomponent_add_property(alarm, icalproperty_new_description(description.constData()));
    return alarm;
}

} // namespace

Component newCalendar()
{
    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Taskarello//Chores//EN"));
    return calendar;
}

// Every line break becomes LF, which libical writes as \n.
QByteArray textValue(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    text.removeIf([](QChar c) { return (c.unicode() < 0x20 && c != u'\n' && c != u'\t') || c.unicode() == 0x7f; });
    return text.toUtf8();
}

icalproperty *xProperty(const char *name, const QByteArray &value)
{
    icalproperty *property = icalproperty_new_x(value.constData());
    icalproperty_set_x_name(property, name);
    return property;
}

QByteArray escapedText(const QString &text)
{
    icalvalue *value = icalvalue_new_text(textValue(text).constData());
    char *escaped = icalvalue_as_ical_string_r(value);
    const QByteArray out(escaped);
    icalmemory_free_buffer(escaped);
    icalvalue_free(value);
    return out;
}

icalproperty *xTextProperty(const char *name, const QString &text)
{
    return xProperty(name, escapedText(text));
}

icalcomponent *reminderAlarm(const QDateTime &at, const QString &title)
{
    icaltriggertype trigger;
    trigger.time = utcValue(at);
    trigger.duration = icaldurationtype_null_duration();
    return displayAlarm(icalproperty_new_trigger(trigger), title);
}

icalcomponent *reminderAlarm(int secondsAfterStart, const QString &title)
{
    icaltriggertype trigger = icaltriggertype_from_int(0);
    trigger.duration = icaldurationtype_from_int(secondsAfterStart);
    icalproperty *property = icalproperty_new_trigger(trigger);
    icalproperty_add_parameter(property, icalparameter_new_related(ICAL_RELATED_START));
    return displayAlarm(property, title);
}

QByteArray written(icalcomponent *component)
{
    char *text = icalcomponent_as_ical_string_r(component);
    const QByteArray out(text);
    icalmemory_free_buffer(text);
    return out;
}

} // namespace Velmora::Ical

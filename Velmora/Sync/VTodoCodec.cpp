#include "Velmora/Sync/VTodoCodec.h"

#include "Velmora/Model/IcalValues.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreField.h"

#include <QCoreApplication>
#include <QList>
#include <QSet>

#include <libical/ical.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace Velmora::Sync {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Velmora::Sync::VTodoCodec", text);
}

// Our own properties. The prefix names the product so no other app writes them.
constexpr char colorProperty[] = "X-TASKARELLO-COLOR";
constexpr char startProperty[] = "X-TASKARELLO-START";
constexpr char reminderProperty[] = "X-TASKARELLO-REMINDER";
// TRUE: the next occurrence counts from the day the chore was finished. RFC 5545 has no way to
// say so, and other apps' own properties for it differ.
constexpr char afterFinishingProperty[] = "X-TASKARELLO-AFTER-FINISHING";
// The UID of the series a finished occurrence came from. Not RELATED-TO: its default relation is
// PARENT, which task apps show as a subtask, and every finished time would hang under the series.
constexpr char seriesProperty[] = "X-TASKARELLO-SERIES";
// Who it is for, whose turns it takes and who finished it: TEXT. The turns are read as lists of
// TEXT, as many lines as there are, in order; they are written one member a line, because common
// libraries (Python's icalendar and vobject) escape or drop the commas of an X- list when they
// write it back. Never ATTENDEE or ORGANIZER, which servers with scheduling would mail
// invitations for.
constexpr char assigneeProperty[] = "X-TASKARELLO-ASSIGNEE";
constexpr char turnsProperty[] = "X-TASKARELLO-TURNS";
constexpr char finishedByProperty[] = "X-TASKARELLO-FINISHED-BY";
constexpr char endMillisecondsParameter[] = "X-TASKARELLO-MS";
// Marks the one alarm this app owns inside the VTODO.
constexpr char alarmMarker[] = "X-TASKARELLO-ALARM";
// Stands for a content line kept verbatim; its value indexes the kept lines.
constexpr char keptProperty[] = "X-TASKARELLO-KEPT";
constexpr QByteArrayView ownPrefix = "X-TASKARELLO-";

// Dates outside these years are not chores anybody keeps; they are refused, not guessed at.
constexpr int firstYear = 1900;
constexpr int lastYear = 2999;

using Ical::Component;
using Ical::dateValue;
using Ical::utcValue;

bool saneDay(const QDate &day)
{
    return day.isValid() && day.year() >= firstYear && day.year() <= lastYear;
}

// ---- Content lines ----

QByteArray unfold(const QByteArray &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 2 < text.size() && text[i + 1] == '\n' && (text[i + 2] == ' ' || text[i + 2] == '\t')) {
            i += 2;
            continue;
        }
        if (c == '\n' && i + 1 < text.size() && (text[i + 1] == ' ' || text[i + 1] == '\t')) {
            i += 1;
            continue;
        }
        out += c;
    }
    return out;
}

QList<QByteArray> contentLines(const QByteArray &text)
{
    QList<QByteArray> lines;
    for (QByteArray line : unfold(text).split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        // iCalendar allows no control characters in a line but tabs, and libical drops them
        // when writing: dropped here already, a value reads the same before and after.
        line.removeIf([](char c) { return uchar(c) < 0x20 && c != '\t'; });
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

// Where the value starts: after the first colon outside a quoted parameter value.
qsizetype valueStart(const QByteArray &line)
{
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i + 1;
    }
    return line.size();
}

QByteArray propertyName(const QByteArray &line)
{
    qsizetype end = 0;
    while (end < line.size() && line[end] != ';' && line[end] != ':')
        ++end;
    return line.left(end).toUpper();
}

// Folds at 75 octets without splitting a UTF-8 sequence.
QByteArray fold(const QByteArray &line)
{
    QByteArray out;
    qsizetype start = 0;
    qsizetype limit = 75;
    while (line.size() - start > limit) {
        qsizetype cut = start + limit;
        while (cut > start + 1 && (uchar(line[cut]) & 0xC0) == 0x80)
            --cut;
        out += line.mid(start, cut - start);
        out += "\r\n ";
        start = cut;
        limit = 74;
    }
    out += line.mid(start);
    return out;
}

// The properties of a VTODO this codec reads or writes; everything else inside a VTODO is
// kept byte for byte, because libical 3.0 loses unknown properties (X-LIC-ERROR), unknown
// parameters and the escapes of X- values.
// The people of a chore are kept as lines too, and read and written here as TEXT: libical
// would lose their escapes.
bool peopleProperty(const QByteArray &name)
{
    return name == assigneeProperty || name == turnsProperty || name == finishedByProperty;
}

bool handledInTodo(const QByteArray &name)
{
    static const QSet<QByteArray> names{"UID", "SUMMARY", "DUE", "DTSTART", "COMPLETED", "STATUS",
                                        "PERCENT-COMPLETE", "COLOR", "DTSTAMP", "LAST-MODIFIED",
                                        "RECURRENCE-ID"};
    return names.contains(name) || (name.startsWith(ownPrefix) && !peopleProperty(name));
}

// A TEXT value (RFC 5545 3.3.11) unescaped; as a list, split at its unescaped commas.
QStringList textValues(const QByteArray &value, bool list)
{
    QStringList values;
    QByteArray part;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            part += next == 'n' || next == 'N' ? '\n' : next;
        } else if (c == ',' && list) {
            values << QString::fromUtf8(part);
            part.clear();
        } else {
            part += c;
        }
    }
    values << QString::fromUtf8(part);
    return values;
}

struct Prepared {
    QByteArray text;
    QList<QByteArray> kept;
    // For each VTODO of the calendar in order: whether it overrides one occurrence of the series.
    QList<bool> overrides;
};

QByteArray componentName(const QByteArray &line)
{
    return line.mid(line.indexOf(':') + 1).trimmed().toUpper();
}

// Which VTODOs override an occurrence (RECURRENCE-ID) of a master beside them; without a master,
// none does, and the first is read as the task.
QList<bool> overridingTodos(const QList<QByteArray> &lines)
{
    QList<bool> overrides;
    qsizetype depth = 0;
    bool inTodo = false;
    for (const QByteArray &line : lines) {
        const QByteArray name = propertyName(line);
        if (name == "BEGIN") {
            if (depth++ == 1 && componentName(line) == "VTODO") {
                overrides << false;
                inTodo = true;
            }
        } else if (name == "END") {
            if (--depth <= 1)
                inTodo = false;
        } else if (inTodo && depth == 2 && name == "RECURRENCE-ID") {
            overrides.last() = true;
        }
    }
    if (!overrides.contains(false))
        overrides.fill(false);
    return overrides;
}

// Replaces what libical would damage by placeholders that it keeps. Overrides are kept whole:
// this app reads them but never writes them, so they go back byte for byte.
Prepared prepare(const QByteArray &ics)
{
    Prepared prepared;
    const QList<QByteArray> lines = contentLines(ics);
    prepared.overrides = overridingTodos(lines);
    QList<QByteArray> stack;
    qsizetype todo = -1;
    for (const QByteArray &line : lines) {
        const QByteArray name = propertyName(line);
        if (name == "BEGIN" || name == "END") {
            const QByteArray component = componentName(line);
            if (name == "BEGIN") {
                if (stack.size() == 1 && component == "VTODO")
                    ++todo;
                stack << component;
            } else if (!stack.isEmpty()) {
                stack.removeLast();
            }
            prepared.text += line + "\r\n";
            continue;
        }
        if (name == keptProperty)
            continue;
        // Only VTODOs and the zones they name are read; everything else goes back as it came.
        bool keep = true;
        if (stack.contains("VTODO")) {
            keep = prepared.overrides.value(todo) || !handledInTodo(name);
            // libical refuses an empty value ("SUMMARY:") as an error; empty is the same as absent.
            if (!keep && line.mid(valueStart(line)).trimmed().isEmpty())
                continue;
        } else if (stack.contains("VTIMEZONE")) {
            keep = (name.startsWith("X-") && !name.startsWith("X-LIC-"))
                || icalproperty_string_to_kind(name.constData()) == ICAL_NO_PROPERTY;
        }
        if (keep) {
            prepared.text += QByteArray(keptProperty) + ':' + QByteArray::number(prepared.kept.size()) + "\r\n";
            prepared.kept << line;
        } else {
            prepared.text += line + "\r\n";
        }
    }
    return prepared;
}

QByteArray serialize(icalcomponent *calendar, const QList<QByteArray> &kept)
{
    // What libical could not parse was set aside verbatim or is ours to rewrite: its error notes go.
    icalcomponent_strip_errors(calendar);
    QByteArray out;
    for (const QByteArray &line : contentLines(Ical::written(calendar))) {
        QByteArray restored = line;
        if (propertyName(line) == keptProperty) {
            bool ok = false;
            const int index = line.mid(line.indexOf(':') + 1).toInt(&ok);
            if (!ok || index < 0 || index >= kept.size())
                continue;
            restored = kept[index];
        }
        out += fold(restored) + "\r\n";
    }
    return out;
}

// ---- Reading values ----

icalproperty *firstProperty(icalcomponent *c, icalproperty_kind kind)
{
    return icalcomponent_get_first_property(c, kind);
}

icalproperty *ownProperty(icalcomponent *c, const char *name)
{
    for (icalproperty *p = firstProperty(c, ICAL_X_PROPERTY); p; p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        if (const char *x = icalproperty_get_x_name(p); x && qstricmp(x, name) == 0)
            return p;
    }
    return nullptr;
}

QByteArray ownValue(icalcomponent *c, const char *name)
{
    icalproperty *p = ownProperty(c, name);
    const char *value = p ? icalproperty_get_x(p) : nullptr;
    return value ? QByteArray(value).trimmed() : QByteArray();
}

void removeAll(icalcomponent *c, icalproperty_kind kind)
{
    while (icalproperty *p = firstProperty(c, kind)) {
        icalcomponent_remove_property(c, p);
        icalproperty_free(p);
    }
}

void removeOwn(icalcomponent *c, const char *name)
{
    while (icalproperty *p = ownProperty(c, name)) {
        icalcomponent_remove_property(c, p);
        icalproperty_free(p);
    }
}

void setOwn(icalcomponent *c, const char *name, const QByteArray &value)
{
    removeOwn(c, name);
    icalcomponent_add_property(c, Ical::xProperty(name, value));
}

// An instant from a DATE-TIME: UTC, a named zone, or floating (read in the user's zone).
std::optional<QDateTime> instantOf(icalproperty *p, icalcomponent *todo, const icaltimetype &t, const QTimeZone &zone)
{
    const QDate day(t.year, t.month, t.day);
    const QTime time(t.hour, t.minute, qBound(0, t.second, 59));
    if (!saneDay(day) || !time.isValid())
        return std::nullopt;
    if (icaltime_is_utc(t))
        return QDateTime(day, time, QTimeZone::utc());
    if (const char *tzid = icalproperty_get_parameter_as_string(p, "TZID")) {
        const QTimeZone named{QByteArray(tzid)};
        if (named.isValid())
            return QDateTime(day, time, named);
        // Not an IANA name (Outlook writes Windows names): the calendar's own VTIMEZONE says.
        const icaltimetype withZone = icalproperty_get_datetime_with_component(p, todo);
        if (withZone.zone) {
            const time_t seconds = icaltime_as_timet_with_zone(withZone, withZone.zone);
            return QDateTime::fromSecsSinceEpoch(qint64(seconds), QTimeZone::utc());
        }
    }
    return QDateTime(day, time, zone);
}

// The local day in zone of a DUE or DTSTART, date or date-time.
std::optional<QDate> dayOf(icalproperty *p, icalcomponent *todo, const QTimeZone &zone)
{
    const icaltimetype t = icalvalue_get_datetimedate(icalproperty_get_value(p));
    if (icaltime_is_null_time(t))
        return std::nullopt;
    if (t.is_date) {
        const QDate day(t.year, t.month, t.day);
        return saneDay(day) ? std::optional(day) : std::nullopt;
    }
    const std::optional<QDateTime> instant = instantOf(p, todo, t, zone);
    if (!instant)
        return std::nullopt;
    const QDate day = instant->toTimeZone(zone).date();
    return saneDay(day) ? std::optional(day) : std::nullopt;
}

bool isDate(icalproperty *p)
{
    return icalvalue_get_datetimedate(icalproperty_get_value(p)).is_date;
}

QDateTime startOfDay(const QDate &day, const QTimeZone &zone)
{
    return day.startOfDay(zone);
}

QByteArray floatText(float value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value > 0 ? "inf" : "-inf";
    // Nine significant digits give back the same float.
    return QByteArray::number(double(value), 'g', 9);
}

std::optional<float> floatFrom(const QByteArray &text)
{
    if (text == "nan")
        return std::numeric_limits<float>::quiet_NaN();
    if (text == "inf")
        return std::numeric_limits<float>::infinity();
    if (text == "-inf")
        return -std::numeric_limits<float>::infinity();
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    // Beyond the float range the conversion is undefined: such a value is infinite.
    if (std::abs(value) > double(std::numeric_limits<float>::max()))
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return float(value);
}

QByteArray colorText(const ColorComponentsModel &c)
{
    return floatText(c.red) + ' ' + floatText(c.green) + ' ' + floatText(c.blue);
}

std::optional<ColorComponentsModel> colorFrom(const QByteArray &text)
{
    const QList<QByteArray> parts = text.simplified().split(' ');
    if (parts.size() != 3)
        return std::nullopt;
    const auto r = floatFrom(parts[0]), g = floatFrom(parts[1]), b = floatFrom(parts[2]);
    if (!r || !g || !b)
        return std::nullopt;
    return ColorComponentsModel{*r, *g, *b};
}

QByteArray reminderText(bool notify, double seconds)
{
    QByteArray time;
    if (std::isnan(seconds))
        time = "nan";
    else if (std::isinf(seconds))
        time = seconds > 0 ? "inf" : "-inf";
    else
        time = QByteArray::number(seconds, 'g', 17);
    return QByteArray(notify ? "TRUE" : "FALSE") + ' ' + time;
}

struct Reminder {
    bool notify = false;
    double seconds = ChoreFields::defaultNotificationTime;
};

std::optional<Reminder> reminderFrom(const QByteArray &text)
{
    const QList<QByteArray> parts = text.simplified().split(' ');
    if (parts.size() != 2 || (parts[0] != "TRUE" && parts[0] != "FALSE"))
        return std::nullopt;
    Reminder reminder;
    reminder.notify = parts[0] == "TRUE";
    if (parts[1] == "nan")
        reminder.seconds = std::numeric_limits<double>::quiet_NaN();
    else if (parts[1] == "inf" || parts[1] == "-inf")
        reminder.seconds = (parts[1] == "inf" ? 1 : -1) * std::numeric_limits<double>::infinity();
    else {
        bool ok = false;
        reminder.seconds = parts[1].toDouble(&ok);
        if (!ok)
            return std::nullopt;
    }
    return reminder;
}

icalcomponent *ownAlarm(icalcomponent *todo)
{
    for (icalcomponent *a = icalcomponent_get_first_component(todo, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(todo, ICAL_VALARM_COMPONENT)) {
        if (ownProperty(a, alarmMarker))
            return a;
    }
    return nullptr;
}

// The TRIGGER lines (their places among the kept lines) of other apps' alarms: a phone's
// "15 minutes before" or "at 18:00", which go back as they came.
QList<qsizetype> foreignTriggers(icalcomponent *todo, const QList<QByteArray> &kept)
{
    QList<qsizetype> triggers;
    for (icalcomponent *a = icalcomponent_get_first_component(todo, ICAL_VALARM_COMPONENT); a;
         a = icalcomponent_get_next_component(todo, ICAL_VALARM_COMPONENT)) {
        if (ownProperty(a, alarmMarker))
            continue;
        for (icalproperty *p = firstProperty(a, ICAL_X_PROPERTY); p; p = icalcomponent_get_next_property(a, ICAL_X_PROPERTY)) {
            bool ok = false;
            const qsizetype index = QByteArray(icalproperty_get_x(p)).toLongLong(&ok);
            if (qstricmp(icalproperty_get_x_name(p), keptProperty) == 0 && ok && index >= 0 && index < kept.size()
                && propertyName(kept[index]) == "TRIGGER")
                triggers << index;
        }
    }
    return triggers;
}

// "20260510T070000Z" or a floating "20260510T090000", read in zone.
std::optional<QDateTime> dateTimeValue(const QByteArray &value, const QTimeZone &zone)
{
    const QDate day = QDate::fromString(QString::fromLatin1(value.left(8)), QStringLiteral("yyyyMMdd"));
    const QTime time = QTime::fromString(QString::fromLatin1(value.mid(9, 6)), QStringLiteral("HHmmss"));
    if (value.size() < 15 || value[8] != 'T' || !day.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(day, time, value.endsWith('Z') ? QTimeZone::utc() : zone);
}

// When an alarm's TRIGGER rings: at its own instant, or a duration from DUE (RELATED=END) or
// from DTSTART (else DUE), a date counting from its midnight in zone.
std::optional<QDateTime> triggerInstant(const QByteArray &line, icalcomponent *todo, const QTimeZone &zone)
{
    const QByteArray parameters = line.left(valueStart(line)).toUpper();
    const QByteArray value = line.mid(valueStart(line)).trimmed().toUpper();
    if (parameters.contains("VALUE=DATE-TIME"))
        return dateTimeValue(value, zone);
    const icaldurationtype duration = icaldurationtype_from_string(value.constData());
    icalerror_clear_errno();
    if (icaldurationtype_is_bad_duration(duration))
        return std::nullopt;
    icalproperty *base = parameters.contains("RELATED=END") ? nullptr : firstProperty(todo, ICAL_DTSTART_PROPERTY);
    if (!base)
        base = firstProperty(todo, ICAL_DUE_PROPERTY);
    if (!base)
        return std::nullopt;
    const icaltimetype t = icalvalue_get_datetimedate(icalproperty_get_value(base));
    const std::optional<QDateTime> from = t.is_date ? std::optional(QDate(t.year, t.month, t.day).startOfDay(zone))
                                                    : instantOf(base, todo, t, zone);
    if (!from || !from->isValid())
        return std::nullopt;
    return from->addSecs(icaldurationtype_as_int(duration));
}

// Text as libical gives it back after writing it: it turns escapes like "\b" into control
// characters that it drops when writing, and drops blanks around a value when parsing.
QString cleaned(const char *text)
{
    QString s = QString::fromUtf8(text);
    s.removeIf([](QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'); });
    return s.trimmed();
}

// ---- One VTODO ----

struct Parsed {
    Component calendar;
    icalcomponent *todo = nullptr;
    // The VTODOs that override one occurrence of todo, each kept whole.
    QList<icalcomponent *> overrides;
    QList<QByteArray> kept;
    QString reason;
    bool otherComponents = false;
};

bool looksLikeHtml(const QByteArray &text)
{
    const QByteArray start = text.left(512).trimmed().toLower();
    return start.startsWith('<');
}

Parsed parse(const QByteArray &ics)
{
    Ical::setUp();
    Parsed parsed;
    if (ics.size() > VTodoCodec::maxResourceBytes) {
        parsed.reason = tr("The task is larger than 1 MB.");
        return parsed;
    }
    if (looksLikeHtml(ics)) {
        parsed.reason = tr("The server sent a web page instead of a task.");
        return parsed;
    }
    if (ics.contains('\0') || !ics.trimmed().toUpper().startsWith("BEGIN:VCALENDAR")) {
        parsed.reason = tr("The task is not valid iCalendar.");
        return parsed;
    }
    Prepared prepared = prepare(ics);
    parsed.kept = std::move(prepared.kept);
    qsizetype todoIndex = 0;
    parsed.calendar.reset(icalparser_parse_string(prepared.text.constData()));
    if (!parsed.calendar || icalcomponent_isa(parsed.calendar.get()) != ICAL_VCALENDAR_COMPONENT) {
        parsed.calendar.reset();
        parsed.reason = tr("The task is not valid iCalendar.");
        return parsed;
    }
    icalcomponent *calendar = parsed.calendar.get();
    icalcomponent *firstTodo = nullptr;
    icalcomponent *master = nullptr;
    for (icalcomponent *c = icalcomponent_get_first_component(calendar, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(calendar, ICAL_ANY_COMPONENT)) {
        const icalcomponent_kind kind = icalcomponent_isa(c);
        if (kind == ICAL_VTIMEZONE_COMPONENT)
            continue;
        if (kind != ICAL_VTODO_COMPONENT) {
            parsed.otherComponents = true;
            continue;
        }
        // The master of a recurring task carries no RECURRENCE-ID; its overrides do.
        if (prepared.overrides.value(todoIndex++)) {
            parsed.overrides << c;
            continue;
        }
        if (!firstTodo)
            firstTodo = c;
        if (!master && !firstProperty(c, ICAL_RECURRENCEID_PROPERTY))
            master = c;
    }
    parsed.todo = master ? master : firstTodo;
    if (parsed.todo && firstProperty(parsed.todo, ICAL_XLICERROR_PROPERTY)) {
        // Everything unknown was set aside, so an error here is in a property we read.
        parsed.reason = tr("The task is not valid iCalendar.");
        parsed.todo = nullptr;
        parsed.overrides.clear();
        parsed.calendar.reset();
    }
    return parsed;
}

// ---- How it repeats ----

// The lines kept verbatim directly inside a component, each with its placeholder.
QList<std::pair<icalproperty *, QByteArray>> keptLines(icalcomponent *c, const QList<QByteArray> &kept)
{
    QList<std::pair<icalproperty *, QByteArray>> lines;
    for (icalproperty *p = firstProperty(c, ICAL_X_PROPERTY); p; p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY)) {
        bool ok = false;
        const int index = QByteArray(icalproperty_get_x(p)).toInt(&ok);
        if (qstricmp(icalproperty_get_x_name(p), keptProperty) == 0 && ok && index >= 0 && index < kept.size())
            lines.append({p, kept[index]});
    }
    return lines;
}

void keepLine(icalcomponent *c, QList<QByteArray> &kept, const QByteArray &line)
{
    icalcomponent_add_property(c, Ical::xProperty(keptProperty, QByteArray::number(kept.size())));
    kept << line;
}

// The local days in zone of a line's dates or date-times (EXDATE, RECURRENCE-ID, an override's
// DUE): UTC, a TZID Qt knows, or else floating. Values that are no sane day are left out.
QList<QDate> daysOf(const QByteArray &line, const QTimeZone &zone)
{
    const qsizetype start = valueStart(line);
    QTimeZone in = zone;
    for (const QByteArray &parameter : line.left(start - 1).split(';')) {
        if (parameter.toUpper().startsWith("TZID=")) {
            const QTimeZone named(QByteArray(parameter.mid(5)).replace('"', ""));
            if (named.isValid())
                in = named;
        }
    }
    QList<QDate> days;
    for (const QByteArray &text : line.mid(start).split(',')) {
        const QByteArray value = text.trimmed().toUpper();
        const QDate day = QDate::fromString(QString::fromLatin1(value.left(8)), QStringLiteral("yyyyMMdd"));
        if (value.size() == 8 && saneDay(day))
            days << day;
        else if (const std::optional<QDateTime> at = dateTimeValue(value, in); at && saneDay(day))
            days << at->toTimeZone(zone).date();
    }
    return days;
}

// RRULE as its text, EXDATE, and the overrides: one finished or cancelled there is an exception,
// one due on another day is moved. Nothing at all for a task without RRULE.
Recurrence recurrenceOf(const Parsed &parsed, const QTimeZone &zone)
{
    Recurrence r;
    for (const auto &[property, line] : keptLines(parsed.todo, parsed.kept)) {
        const QByteArray name = propertyName(line);
        if (name == "RRULE" && r.rule.isEmpty())
            r.rule = QString::fromUtf8(line.mid(valueStart(line))).trimmed();
        else if (name == "EXDATE")
            r.exceptions << daysOf(line, zone);
    }
    if (!r.repeats())
        return {};
    r.afterFinishing = ownValue(parsed.todo, afterFinishingProperty).toUpper() == "TRUE";
    for (icalcomponent *single : parsed.overrides) {
        QDate occurrence, due;
        bool done = false;
        for (const auto &[property, line] : keptLines(single, parsed.kept)) {
            const QByteArray name = propertyName(line);
            const QByteArray value = line.mid(valueStart(line)).trimmed().toUpper();
            if (name == "RECURRENCE-ID")
                occurrence = daysOf(line, zone).value(0);
            else if (name == "DUE")
                due = daysOf(line, zone).value(0);
            else if (name == "COMPLETED" || (name == "STATUS" && (value == "COMPLETED" || value == "CANCELLED")))
                done = true;
        }
        if (occurrence.isValid() && done)
            r.exceptions << occurrence;
        else if (occurrence.isValid() && due.isValid() && due != occurrence)
            r.moved.insert(occurrence, due);
    }
    std::sort(r.exceptions.begin(), r.exceptions.end());
    r.exceptions.erase(std::unique(r.exceptions.begin(), r.exceptions.end()), r.exceptions.end());
    return r;
}

// The first of each of our people's lines, cleaned; every value that was not clean counted.
void readPeople(icalcomponent *todo, const QList<QByteArray> &kept, TodoReading &reading)
{
    ChorePeople raw;
    QSet<QByteArray> seen;
    for (const auto &[property, line] : keptLines(todo, kept)) {
        const QByteArray name = propertyName(line);
        const QByteArray value = line.mid(valueStart(line));
        if (name == turnsProperty)
            raw.turns += textValues(value, true);
        if (name == turnsProperty || !peopleProperty(name) || seen.contains(name))
            continue;
        seen.insert(name);
        (name == assigneeProperty ? raw.assignee : raw.finishedBy) = textValues(value, false).constFirst();
    }
    reading.people = raw.cleaned();
    reading.cleanedPeople = int(raw.assignee != reading.people.assignee) + int(raw.turns != reading.people.turns)
        + int(raw.finishedBy != reading.people.finishedBy);
}

// Our people's lines written afresh, in place of those the server's copy had.
void writePeople(icalcomponent *todo, QList<QByteArray> &kept, const ChorePeople &people)
{
    for (const auto &[property, line] : keptLines(todo, kept)) {
        if (peopleProperty(propertyName(line))) {
            icalcomponent_remove_property(todo, property);
            icalproperty_free(property);
        }
    }
    QList<std::pair<const char *, QByteArray>> lines{{assigneeProperty, Ical::escapedText(people.assignee)},
                                                    {finishedByProperty, Ical::escapedText(people.finishedBy)}};
    for (const QString &name : people.turns)
        lines.append({turnsProperty, Ical::escapedText(name)});
    for (const auto &[name, value] : lines) {
        if (!value.isEmpty())
            keepLine(todo, kept, QByteArray(name) + ':' + value);
    }
}

TodoReading readTodo(const Parsed &parsed, const QTimeZone &zone)
{
    icalcomponent *todo = parsed.todo;
    TodoReading reading;
    const char *uid = icalcomponent_get_uid(todo);
    reading.uid = uid ? cleaned(uid) : QString();
    if (reading.uid.isEmpty()) {
        reading.reason = tr("The task has no UID.");
        return reading;
    }
    icalproperty *due = firstProperty(todo, ICAL_DUE_PROPERTY);
    if (!due) {
        reading.outcome = TodoReading::Outcome::SkippedNoDue;
        return reading;
    }
    std::optional<QDate> dueDay = dayOf(due, todo, zone);
    if (!dueDay) {
        reading.reason = tr("The task's dates are out of range.");
        return reading;
    }
    std::optional<QDate> startDay = *dueDay;
    if (icalproperty *start = firstProperty(todo, ICAL_DTSTART_PROPERTY)) {
        startDay = dayOf(start, todo, zone);
    } else if (const QByteArray own = ownValue(todo, startProperty); !own.isEmpty()) {
        startDay = QDate::fromString(QString::fromLatin1(own), QStringLiteral("yyyyMMdd"));
        if (!saneDay(*startDay))
            startDay.reset();
    }
    // How a task repeats is read in full at every sync: a rule and lists of days beyond any a
    // person would write (100,000 EXDATEs) are refused rather than read, and counted.
    static const QSet<QByteArray> ruleLines{"RRULE", "EXRULE", "EXDATE", "RDATE"};
    // An override of one occurrence counts as a line of its own.
    qsizetype ruleBytes = 64 * parsed.overrides.size();
    for (const auto &[property, line] : keptLines(parsed.todo, parsed.kept)) {
        if (ruleLines.contains(propertyName(line)))
            ruleBytes += line.size();
    }
    if (ruleBytes > VTodoCodec::maxRecurrenceBytes) {
        reading.reason = tr("The task's repeat rules are larger than 64 KB.");
        return reading;
    }
    reading.recurrence = recurrenceOf(parsed, zone);
    // Exceptions before the due day can no longer be skipped to.
    reading.recurrence.exceptions.removeIf([&dueDay](const QDate &d) { return d < *dueDay; });
    const Recurrence &r = reading.recurrence;
    // The master holds the rule's own day: the chore is due where another app moved that
    // occurrence, or at the next one where it finished or cancelled this one on its own.
    QDate shown = r.moved.value(*dueDay, *dueDay);
    if (!r.moved.contains(*dueDay) && r.exceptions.contains(*dueDay)) {
        const Recurrence::Step step = r.next(*dueDay, *dueDay, *dueDay);
        if (step.kind == Recurrence::Step::Kind::Moved && saneDay(step.due))
            shown = step.due;
    }
    if (startDay)
        startDay = startDay->addDays(dueDay->daysTo(shown));
    dueDay = shown;
    if (!startDay || !saneDay(*startDay)) {
        reading.reason = tr("The task's dates are out of range.");
        return reading;
    }

    ChoreFields &f = reading.fields;
    const char *summary = icalcomponent_get_summary(todo);
    f.title = summary ? cleaned(summary) : QString();
    f.dueDate = startOfDay(*dueDay, zone);
    f.startDate = startOfDay(*startDay, zone);

    if (icalproperty *completed = firstProperty(todo, ICAL_COMPLETED_PROPERTY)) {
        const icaltimetype t = icalproperty_get_completed(completed);
        const std::optional<QDateTime> end = instantOf(completed, todo, t, zone);
        if (!end) {
            reading.reason = tr("The task's dates are out of range.");
            return reading;
        }
        QDateTime exact = *end;
        if (const char *ms = icalproperty_get_parameter_as_string(completed, endMillisecondsParameter)) {
            const int extra = QByteArray(ms).toInt();
            if (extra > 0 && extra < 1000)
                exact = exact.addMSecs(extra);
        }
        f.endDate = exact;
    } else if (icalcomponent_get_status(todo) == ICAL_STATUS_COMPLETED) {
        // Finished by an app that did not say when: the last change is the best guess.
        icalproperty *stamp = firstProperty(todo, ICAL_LASTMODIFIED_PROPERTY);
        if (!stamp)
            stamp = firstProperty(todo, ICAL_DTSTAMP_PROPERTY);
        std::optional<QDateTime> end;
        if (stamp)
            end = instantOf(stamp, todo, icalvalue_get_datetimedate(icalproperty_get_value(stamp)), zone);
        f.endDate = end.value_or(f.dueDate);
    }

    const char *cssName = nullptr;
    if (icalproperty *color = firstProperty(todo, ICAL_COLOR_PROPERTY))
        cssName = icalproperty_get_color(color);
    const std::optional<ColorComponentsModel> own = colorFrom(ownValue(todo, colorProperty));
    const QColor named = cssName ? QColor(QString::fromUtf8(cssName).trimmed()) : QColor();
    // Our exact colour stands unless another app has picked a different COLOR since.
    if (own && (!named.isValid() || VTodoCodec::nearestCssColorName(*own).compare(QString::fromUtf8(cssName).trimmed(), Qt::CaseInsensitive) == 0))
        f.colorComponents = *own;
    else if (named.isValid())
        f.colorComponents = ColorComponentsModel::fromColor(named);
    else
        f.colorComponents = ColorComponentsModel::standardRed();

    QList<QDateTime> foreign;
    for (const qsizetype trigger : foreignTriggers(todo, parsed.kept)) {
        if (const std::optional<QDateTime> at = triggerInstant(parsed.kept[trigger], todo, zone))
            foreign << *at;
    }
    if (const std::optional<Reminder> reminder = reminderFrom(ownValue(todo, reminderProperty))) {
        f.notificationTime = reminder->seconds;
        // Another app removing our alarm turns the reminder off, unless its own rings then.
        const std::optional<QDateTime> at = VTodoCodec::reminderInstant(f.dueDate, f.notificationTime, zone);
        f.notify = reminder->notify && (ownAlarm(todo) || !at || foreign.contains(*at));
    } else {
        // A phone's alarm on the due day is the chore's reminder.
        const auto onDueDay = std::find_if(foreign.cbegin(), foreign.cend(), [&](const QDateTime &at) {
            return at.toTimeZone(zone).date() == *dueDay;
        });
        if (onDueDay != foreign.cend()) {
            const QTime time = onDueDay->toTimeZone(zone).time();
            f.notify = true;
            f.notificationTime = time.hour() * 3600 + time.minute() * 60;
        }
    }
    if (icalproperty *stamp = firstProperty(todo, ICAL_LASTMODIFIED_PROPERTY)) {
        if (auto at = instantOf(stamp, todo, icalvalue_get_datetimedate(icalproperty_get_value(stamp)), zone)) {
            // Our own edits carry their milliseconds, so two quick edits still order.
            const int ms = QByteArray(icalproperty_get_parameter_as_string(stamp, endMillisecondsParameter)).toInt();
            reading.lastModified = ms > 0 && ms < 1000 ? at->addMSecs(ms) : *at;
        }
    }
    // A UID is at most a line of text; anything longer or odd is no series of ours.
    if (const QString series = cleaned(ownValue(todo, seriesProperty).constData());
        series.size() <= 255 && !series.contains(QLatin1Char('\n')))
        reading.series = series;
    readPeople(todo, parsed.kept, reading);
    reading.outcome = TodoReading::Outcome::Chore;
    return reading;
}

// ---- Writing our fields into a VTODO ----

// A DATE-TIME moved to another local day at the same time of day: where it has a zone of its
// own (TZID) on that zone's clock, UTC on the user's, floating as it is. Nothing when the value
// is a date or its day cannot be told.
std::optional<icaltimetype> movedTime(icalproperty *p, icalcomponent *todo, const QDate &day, const QTimeZone &zone)
{
    if (!p || isDate(p))
        return std::nullopt;
    const std::optional<QDate> was = dayOf(p, todo, zone);
    icaltimetype t = icalvalue_get_datetimedate(icalproperty_get_value(p));
    if (!was || icaltime_is_null_time(t))
        return std::nullopt;
    const qint64 days = was->daysTo(day);
    if (icaltime_is_utc(t)) {
        const std::optional<QDateTime> instant = instantOf(p, todo, t, zone);
        if (!instant)
            return std::nullopt;
        return utcValue(instant->toTimeZone(zone).addDays(days));
    }
    icaltime_adjust(&t, int(days), 0, 0, 0);
    return t;
}

// A date stays a date; a time another app gave keeps its time of day, a phone's 18:00 included.
void writeDue(icalcomponent *todo, const QDate &day, const QTimeZone &zone)
{
    icalproperty *old = firstProperty(todo, ICAL_DUE_PROPERTY);
    if (const std::optional<icaltimetype> moved = movedTime(old, todo, day, zone)) {
        icalproperty_set_due(old, *moved);
        return;
    }
    removeAll(todo, ICAL_DUE_PROPERTY);
    icalcomponent_add_property(todo, icalproperty_new_due(dateValue(day)));
}

// DTSTART only when it lies before DUE, of the same value type; otherwise our own property. A
// rule counts from DTSTART, so a chore that repeats has one on its due day too.
void writeStart(icalcomponent *todo, const QDate &startDay, const QDate &dueDay, const QTimeZone &zone, bool repeats)
{
    icalproperty *due = firstProperty(todo, ICAL_DUE_PROPERTY);
    const bool timed = due && !isDate(due);
    icalproperty *old = firstProperty(todo, ICAL_DTSTART_PROPERTY);
    const std::optional<icaltimetype> moved = timed ? movedTime(old, todo, startDay, zone) : std::nullopt;
    if (moved && (startDay < dueDay || (repeats && startDay == dueDay))) {
        removeOwn(todo, startProperty);
        icalproperty_set_dtstart(old, *moved);
        return;
    }
    removeAll(todo, ICAL_DTSTART_PROPERTY);
    removeOwn(todo, startProperty);
    if (startDay < dueDay || (repeats && startDay == dueDay)) {
        const icaltimetype value = !timed ? dateValue(startDay) : utcValue(startOfDay(startDay, zone));
        icalcomponent_add_property(todo, icalproperty_new_dtstart(value));
    } else {
        setOwn(todo, startProperty, startDay.toString(QStringLiteral("yyyyMMdd")).toLatin1());
    }
}

void writeCompletion(icalcomponent *todo, const std::optional<QDateTime> &end, bool wasFinished)
{
    removeAll(todo, ICAL_COMPLETED_PROPERTY);
    if (end) {
        icalproperty *completed = icalproperty_new_completed(utcValue(*end));
        if (const int ms = int(end->toMSecsSinceEpoch() % 1000); ms > 0)
            icalproperty_set_parameter_from_string(completed, endMillisecondsParameter, QByteArray::number(ms).constData());
        icalcomponent_add_property(todo, completed);
        removeAll(todo, ICAL_STATUS_PROPERTY);
        icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_COMPLETED));
        removeAll(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
        icalcomponent_add_property(todo, icalproperty_new_percentcomplete(100));
    } else if (wasFinished) {
        removeAll(todo, ICAL_STATUS_PROPERTY);
        icalcomponent_add_property(todo, icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
        removeAll(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
    }
}

void writeColor(icalcomponent *todo, const ColorComponentsModel &color)
{
    setOwn(todo, colorProperty, colorText(color));
    removeAll(todo, ICAL_COLOR_PROPERTY);
    icalcomponent_add_property(todo, icalproperty_new_color(VTodoCodec::nearestCssColorName(color).toLatin1().constData()));
}

void writeReminder(icalcomponent *todo, const QList<QByteArray> &kept, const ChoreFields &f, const QTimeZone &zone)
{
    setOwn(todo, reminderProperty, reminderText(f.notify, f.notificationTime));
    while (icalcomponent *alarm = ownAlarm(todo)) {
        icalcomponent_remove_component(todo, alarm);
        icalcomponent_free(alarm);
    }
    const std::optional<QDateTime> instant = f.notify ? VTodoCodec::reminderInstant(f.dueDate, f.notificationTime, zone)
                                                      : std::nullopt;
    if (!instant)
        return;
    // Never a second alarm at the minute another app's already rings.
    for (const qsizetype trigger : foreignTriggers(todo, kept)) {
        if (triggerInstant(kept[trigger], todo, zone) == instant)
            return;
    }
    icalcomponent *alarm = Ical::reminderAlarm(*instant, f.title);
    icalcomponent_add_property(alarm, Ical::xProperty(alarmMarker, "1"));
    icalcomponent_add_component(todo, alarm);
}

// Only what differs from the server's copy: a rule it already holds keeps its line as it was.
void writeRecurrence(icalcomponent *todo, QList<QByteArray> &kept, const Recurrence &before, const Recurrence &r)
{
    if (before.rule != r.rule) {
        for (const auto &[property, line] : keptLines(todo, kept)) {
            if (propertyName(line) == "RRULE") {
                icalcomponent_remove_property(todo, property);
                icalproperty_free(property);
            }
        }
        QByteArray rule = r.rule.toUtf8();
        // One content line, as any read back: no line breaks of its own.
        rule.removeIf([](char c) { return uchar(c) < 0x20 && c != '\t'; });
        if (!rule.isEmpty())
            keepLine(todo, kept, "RRULE:" + rule);
    }
    if (before.afterFinishing != r.afterFinishing) {
        if (r.afterFinishing)
            setOwn(todo, afterFinishingProperty, "TRUE");
        else
            removeOwn(todo, afterFinishingProperty);
    }
    for (const QDate &day : r.exceptions) {
        if (!before.exceptions.contains(day) && saneDay(day))
            keepLine(todo, kept, "EXDATE;VALUE=DATE:" + day.toString(QStringLiteral("yyyyMMdd")).toLatin1());
    }
}

// The overrides follow the rule: gone when the chore stops repeating, and written for the
// occurrences moved here that the server has not heard of, so other apps see each where it went.
void writeOverrides(Parsed &parsed, const QByteArray &uid, const QString &title, const Recurrence &before,
                    const Recurrence &r, const QDate &occurrence)
{
    if (!r.repeats()) {
        for (icalcomponent *single : std::as_const(parsed.overrides)) {
            icalcomponent_remove_component(parsed.calendar.get(), single);
            icalcomponent_free(single);
        }
        parsed.overrides.clear();
        return;
    }
    // Only beside a master counted in days: another app's timed series names its occurrences by their time.
    if (icalproperty *start = firstProperty(parsed.todo, ICAL_DTSTART_PROPERTY); start && !isDate(start))
        return;
    const QByteArray summary = title.toUtf8();
    for (auto it = r.moved.cbegin(); it != r.moved.cend(); ++it) {
        if (before.moved.contains(it.key()) || it.key() < occurrence || !saneDay(it.key()) || !saneDay(it.value()))
            continue;
        icalcomponent *single = icalcomponent_new_vtodo();
        icalcomponent_set_uid(single, uid.constData());
        icalcomponent_add_property(single, icalproperty_new_dtstamp(utcValue(QDateTime::currentDateTimeUtc())));
        icalcomponent_add_property(single, icalproperty_new_recurrenceid(dateValue(it.key())));
        icalcomponent_add_property(single, icalproperty_new_due(dateValue(it.value())));
        if (!summary.isEmpty())
            icalcomponent_add_property(single, icalproperty_new_summary(summary.constData()));
        icalcomponent_add_component(parsed.calendar.get(), single);
        parsed.overrides << single;
    }
}

bool sameNumber(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}

// Whether two values of a field are the same once written into a VTODO, told apart by the
// member's type: the title as cleaned, a NaN as any other, the start and due days as days in
// the zone; the end is kept to the instant.
struct SameAsWritten {
    const QTimeZone &zone;
    bool operator()(const QString &a, const QString &b) const
    {
        return cleaned(a.toUtf8().constData()) == cleaned(b.toUtf8().constData());
    }
    bool operator()(const ColorComponentsModel &a, const ColorComponentsModel &b) const
    {
        return sameNumber(a.red, b.red) && sameNumber(a.green, b.green) && sameNumber(a.blue, b.blue);
    }
    bool operator()(const QDateTime &a, const QDateTime &b) const
    {
        return a.toTimeZone(zone).date() == b.toTimeZone(zone).date();
    }
    bool operator()(const std::optional<QDateTime> &a, const std::optional<QDateTime> &b) const { return a == b; }
    bool operator()(bool a, bool b) const { return a == b; }
    bool operator()(double a, double b) const { return sameNumber(a, b); }
};

bool sameAsWritten(Chore::Field field, const ChoreFields &a, const ChoreFields &b, const QTimeZone &zone)
{
    return ChoreField::with(field, SameAsWritten{zone}, a, b);
}

bool sameFields(const ChoreFields &a, const ChoreFields &b, const QTimeZone &zone)
{
    return std::all_of(ChoreField::rows.begin(), ChoreField::rows.end(),
                       [&](const ChoreField::Row &row) { return sameAsWritten(row.field, a, b, zone); });
}

QString checkWritable(const QString &uid, const ChoreFields &f, const QTimeZone &zone)
{
    if (uid.trimmed().isEmpty() || uid.contains(QLatin1Char('\n')) || uid.contains(QLatin1Char('\r')))
        return tr("The chore has no usable UID.");
    if (!zone.isValid())
        return tr("The time zone is unknown.");
    const auto inRange = [&](const QDateTime &d) { return d.isValid() && saneDay(d.toTimeZone(zone).date()); };
    if (!inRange(f.startDate) || !inRange(f.dueDate) || (f.endDate && !inRange(*f.endDate)))
        return tr("The chore's dates are out of range.");
    return {};
}

} // namespace

bool VTodoCodec::sameField(Chore::Field field, const ChoreFields &a, const ChoreFields &b, const QTimeZone &zone)
{
    return sameAsWritten(field, a, b, zone);
}

bool VTodoCodec::sameRecurrence(const Recurrence &a, const Recurrence &b)
{
    if (!a.repeats() || !b.repeats())
        return a.repeats() == b.repeats();
    const auto days = [](const QList<QDate> &list) { return QSet<QDate>(list.begin(), list.end()); };
    // Servers that rewrite what they store (Xandikos) may give a rule's parts in another order.
    const auto parts = [](const QString &rule) {
        QStringList list = rule.toUpper().split(QLatin1Char(';'), Qt::SkipEmptyParts);
        list.sort();
        return list;
    };
    return (a.rule == b.rule || parts(a.rule) == parts(b.rule)) && a.afterFinishing == b.afterFinishing
        && days(a.exceptions) == days(b.exceptions) && a.moved == b.moved;
}

std::optional<QDateTime> VTodoCodec::reminderInstant(const QDateTime &dueDate, double notificationTime,
                                                     const QTimeZone &zone)
{
    // The app's own reminder rule, so other apps ring at the same minute.
    return ChoreDates::reminderInstant(dueDate, notificationTime, zone);
}

QString VTodoCodec::nearestCssColorName(const ColorComponentsModel &components)
{
    // Qt's colour names are the SVG 1.1 keywords, which CSS3 took over unchanged.
    static const QList<std::pair<QString, QColor>> named = [] {
        QList<std::pair<QString, QColor>> list;
        for (const QString &name : QColor::colorNames()) {
            if (name != QLatin1String("transparent"))
                list.append({name, QColor(name)});
        }
        return list;
    }();
    const auto clamp = [](float v) { return std::isnan(v) ? 0.0 : std::clamp(double(v), 0.0, 1.0); };
    const double r = clamp(components.red), g = clamp(components.green), b = clamp(components.blue);
    QString best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const auto &[name, color] : named) {
        const double dr = color.redF() - r, dg = color.greenF() - g, db = color.blueF() - b;
        const double distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = name;
        }
    }
    return best;
}

TodoReading VTodoCodec::read(const QByteArray &ics, const QTimeZone &zone)
{
    Parsed parsed = parse(ics);
    if (!parsed.calendar) {
        TodoReading reading;
        reading.reason = parsed.reason;
        return reading;
    }
    if (!parsed.todo) {
        TodoReading reading;
        reading.outcome = TodoReading::Outcome::SkippedNotTodo;
        return reading;
    }
    return readTodo(parsed, zone);
}

TodoWriting VTodoCodec::write(const QString &uid, const ChoreFields &fields, const Recurrence &recurrence,
                              const QTimeZone &zone, const QByteArray &lastServerCopy, const QDateTime &modified,
                              const QString &series, const ChorePeople &people)
{
    Ical::setUp();
    TodoWriting writing;
    writing.reason = checkWritable(uid, fields, zone);
    if (!writing.reason.isEmpty())
        return writing;

    Parsed parsed;
    std::optional<ChoreFields> before;
    Recurrence beforeRule;
    QString beforeSeries;
    std::optional<ChorePeople> beforePeople;
    const bool onServerCopy = !lastServerCopy.isEmpty();
    if (onServerCopy) {
        parsed = parse(lastServerCopy);
        if (parsed.todo) {
            const TodoReading old = readTodo(parsed, zone);
            if (old.outcome == TodoReading::Outcome::Chore) {
                before = old.fields;
                beforeRule = old.recurrence;
                beforeSeries = old.series;
                // Values that had to be cleaned are written back clean.
                if (old.cleanedPeople == 0)
                    beforePeople = old.people;
            }
        }
    }
    // A server copy we cannot build on is replaced as a whole.
    if (!parsed.todo || !before) {
        parsed = Parsed();
        parsed.calendar = Ical::newCalendar();
        parsed.todo = icalcomponent_new_vtodo();
        icalcomponent_add_component(parsed.calendar.get(), parsed.todo);
    }
    icalcomponent *todo = parsed.todo;
    // The server's UID stays byte for byte when it is the same one.
    const char *oldUid = icalcomponent_get_uid(todo);
    if (!oldUid || cleaned(oldUid) != uid.trimmed()) {
        const QByteArray uidBytes = uid.trimmed().toUtf8();
        icalcomponent_set_uid(todo, uidBytes.constData());
    }

    const Recurrence rule = recurrence.repeats() ? recurrence : Recurrence();
    const auto day = [&](const QDateTime &d) { return d.toTimeZone(zone).date(); };
    const QDate dueDay = day(fields.dueDate), startDay = day(fields.startDate);
    const bool dueChanged = !before || day(before->dueDate) != dueDay;
    const bool startChanged = !before || day(before->startDate) != startDay || beforeRule.repeats() != rule.repeats();
    // For an occurrence moved by an override the server holds, the master keeps the rule's own
    // day, from which other apps count; the override says where it went.
    const qint64 shift = rule.repeats() ? dueDay.daysTo(rule.occurrenceOf(dueDay)) : 0;
    writeOverrides(parsed, uid.trimmed().toUtf8(), fields.title, beforeRule, rule, dueDay.addDays(shift));

    if (!before || before->title != fields.title) {
        // No SUMMARY for an empty title: libical refuses an empty one when reading.
        removeAll(todo, ICAL_SUMMARY_PROPERTY);
        if (const QByteArray title = fields.title.toUtf8(); !title.isEmpty())
            icalcomponent_add_property(todo, icalproperty_new_summary(title.constData()));
    }
    if (dueChanged)
        writeDue(todo, dueDay.addDays(shift), zone);
    // Another app's alarm at an instant moves with the due day, as one relative to it does.
    if (before && dueChanged) {
        const qint64 days = day(before->dueDate).daysTo(dueDay);
        for (const qsizetype trigger : foreignTriggers(todo, parsed.kept)) {
            QByteArray &line = parsed.kept[trigger];
            const qsizetype start = valueStart(line);
            const QByteArray value = line.mid(start).trimmed();
            if (!line.left(start).toUpper().contains("VALUE=DATE-TIME"))
                continue;
            if (const std::optional<QDateTime> at = dateTimeValue(value.toUpper(), zone)) {
                const QDateTime moved = at->toTimeZone(zone).addDays(days);
                line = line.left(start) + (value.toUpper().endsWith('Z')
                    ? moved.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1()
                    : moved.toString(QStringLiteral("yyyyMMdd'T'HHmmss")).toLatin1());
            }
        }
    }
    if (dueChanged || startChanged)
        writeStart(todo, startDay.addDays(shift), dueDay.addDays(shift), zone, rule.repeats());
    if (!before || !sameRecurrence(beforeRule, rule))
        writeRecurrence(todo, parsed.kept, beforeRule, rule);
    // A task finished elsewhere without COMPLETED gets one, so its end stays put from now on.
    if (!before || before->endDate != fields.endDate || (fields.endDate && !firstProperty(todo, ICAL_COMPLETED_PROPERTY)))
        writeCompletion(todo, fields.endDate, before && before->endDate);
    if (!before || !(before->colorComponents == fields.colorComponents))
        writeColor(todo, fields.colorComponents);
    QByteArray link = series.trimmed().toUtf8();
    link.removeIf([](char c) { return uchar(c) < 0x20; });
    if (!link.isEmpty() && QString::fromUtf8(link) != beforeSeries)
        setOwn(todo, seriesProperty, link);
    if (beforePeople != people)
        writePeople(todo, parsed.kept, people);
    const bool sameTime = before && (before->notificationTime == fields.notificationTime
                                     || (std::isnan(before->notificationTime) && std::isnan(fields.notificationTime)));
    if (!before || dueChanged || before->notify != fields.notify || !sameTime)
        writeReminder(todo, parsed.kept, fields, zone);

    const QDateTime now = QDateTime::currentDateTimeUtc();
    removeAll(todo, ICAL_DTSTAMP_PROPERTY);
    icalcomponent_add_property(todo, icalproperty_new_dtstamp(utcValue(now)));
    // When it was changed, not when it was sent: merges on other devices weigh edits by it.
    removeAll(todo, ICAL_LASTMODIFIED_PROPERTY);
    const QDateTime changed = modified.isValid() && modified < now ? modified.toUTC() : now;
    icalproperty *lastModified = icalproperty_new_lastmodified(utcValue(changed));
    if (const int ms = int(changed.toMSecsSinceEpoch() % 1000); ms > 0)
        icalproperty_set_parameter_from_string(lastModified, endMillisecondsParameter, QByteArray::number(ms).constData());
    icalcomponent_add_property(todo, lastModified);

    writing.ics = serialize(parsed.calendar.get(), parsed.kept);
    if (onServerCopy) {
        // A server copy damaged beyond what libical can repair must not spoil the chore: what
        // we send has to read back as this chore, or it is written afresh.
        const TodoReading check = read(writing.ics, zone);
        if (check.outcome != TodoReading::Outcome::Chore || check.uid != uid.trimmed() || !sameFields(check.fields, fields, zone)
            || check.recurrence.rule != rule.rule || check.recurrence.afterFinishing != rule.afterFinishing
            || check.people != people)
            return write(uid, fields, recurrence, zone, {}, modified, series.isEmpty() ? beforeSeries : series, people);
    }
    // What we could not read back, nobody else should have to.
    if (writing.ics.size() > maxResourceBytes) {
        writing.ics.clear();
        writing.reason = tr("The chore is larger than 1 MB.");
    }
    return writing;
}

} // namespace Velmora::Sync

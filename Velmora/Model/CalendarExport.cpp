#include "Velmora/Model/CalendarExport.h"

#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

std::optional<QDate> dueDay(const ChoreFields &fields, const QTimeZone &zone)
{
    if (fields.endDate || !fields.dueDate.isValid())
        return std::nullopt;
    const QDate day = fields.dueDate.toTimeZone(zone).date();
    // DATE values have four-digit years, and the day after must be writable too.
    if (!day.isValid() || day.year() < 1 || day.year() > 9998)
        return std::nullopt;
    return day;
}

QByteArray dateValue(const QDate &day)
{
    return day.toString(QStringLiteral("yyyyMMdd")).toLatin1();
}

} // namespace

QString CalendarExport::escapeText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (c.unicode()) {
        case u'\\': escaped += QLatin1String("\\\\"); break;
        case u';': escaped += QLatin1String("\\;"); break;
        case u',': escaped += QLatin1String("\\,"); break;
        case u'\r':
            // CRLF is one line break.
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            escaped += QLatin1String("\\n");
            break;
        case u'\n': escaped += QLatin1String("\\n"); break;
        case u'\t': escaped += c; break;
        default:
            // TEXT allows no other control characters.
            if (c.unicode() >= 0x20 && c.unicode() != 0x7f)
                escaped += c;
        }
    }
    return escaped;
}

QByteArray CalendarExport::foldLine(const QByteArray &line)
{
    QByteArray folded;
    folded.reserve(line.size() + line.size() / 70 * 3 + 2);
    qsizetype start = 0;
    qsizetype limit = 75;
    while (line.size() - start > limit) {
        qsizetype end = start + limit;
        // Back up to the first byte of a UTF-8 sequence.
        while (end > start && (uchar(line.at(end)) & 0xC0) == 0x80)
            --end;
        folded.append(line.constData() + start, end - start);
        folded.append("\r\n ");
        start = end;
        // The leading space of a continuation counts towards its 75 octets.
        limit = 74;
    }
    folded.append(line.constData() + start, line.size() - start);
    folded.append("\r\n");
    return folded;
}

std::optional<QString> CalendarExport::triggerDuration(double seconds)
{
    if (!std::isfinite(seconds) || seconds < 0 || seconds >= 86400)
        return std::nullopt;
    const int whole = int(seconds);
    const int hours = whole / 3600;
    const int minutes = whole / 60 % 60;
    const int rest = whole % 60;
    QString duration = QStringLiteral("PT");
    if (hours)
        duration += QString::number(hours) + u'H';
    if (minutes)
        duration += QString::number(minutes) + u'M';
    if (rest || whole == 0)
        duration += QString::number(rest) + u'S';
    return duration;
}

QByteArray CalendarExport::encode(const std::vector<Event> &events, const QTimeZone &zone, const QDateTime &stamp,
                                  int *count)
{
    int written = 0;
    QByteArray out;
    const auto line = [&out](const QByteArray &content) { out += foldLine(content); };
    const QByteArray stampValue = stamp.toUTC().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'")).toLatin1();
    const QByteArray alarmText = escapeText(tr("This chore is due today!")).toUtf8();

    line("BEGIN:VCALENDAR");
    line("VERSION:2.0");
    line("PRODID:-//Taskarello//Chores//EN");
    line("CALSCALE:GREGORIAN");
    line("METHOD:PUBLISH");
    line("X-WR-CALNAME:" + escapeText(tr("Taskarello chores")).toUtf8());
    for (const Event &event : events) {
        const auto day = dueDay(event.fields, zone);
        if (!day)
            continue;
        line("BEGIN:VEVENT");
        line("UID:chore-" + QByteArray::number(event.persistentId) + "@taskarello");
        line("DTSTAMP:" + stampValue);
        line("DTSTART;VALUE=DATE:" + dateValue(*day));
        line("DTEND;VALUE=DATE:" + dateValue(day->addDays(1)));
        line("SUMMARY:" + escapeText(event.fields.title).toUtf8());
        line("TRANSP:TRANSPARENT");
        if (event.fields.notify) {
            if (const auto trigger = triggerDuration(event.fields.notificationTime)) {
                line("BEGIN:VALARM");
                line("ACTION:DISPLAY");
                line("DESCRIPTION:" + alarmText);
                line("TRIGGER;RELATED=START:" + trigger->toLatin1());
                line("END:VALARM");
            }
        }
        line("END:VEVENT");
        ++written;
    }
    line("END:VCALENDAR");
    if (count)
        *count = written;
    return out;
}

std::optional<QByteArray> CalendarExport::encode(const ChoreStore &store, int *count)
{
    std::vector<Event> events;
    const bool read = store.forEachStored([&events](qint64 id, const ChoreFields &fields) {
        events.push_back({id, fields});
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

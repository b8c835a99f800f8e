#include "Velmora/Model/Recurrence.h"

#include "Velmora/Model/IcalValues.h"
#include "Velmora/Platform/Clock.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSet>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <functional>

namespace Velmora {

namespace {

// Occurrences one walk may go through: a daily rule three centuries long, nothing that freezes.
constexpr int kMaxSteps = 100000;
// CPU one walk may take, checked between libical's answers; the horizon below bounds each answer.
constexpr qint64 kBudgetNs = 40'000'000;
// Days beyond this are no days a chore falls due on; libical's arithmetic ends there too.
constexpr int kLastYear = 9999;

qint64 threadCpuNs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

// BYDAY's names of Qt's weekdays, Monday first.
constexpr const char *kByDayNames[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};

// libical counts weekdays from Sunday = 1, Qt from Monday = 1.
int qtWeekday(int libicalWeekday)
{
    return (libicalWeekday + 5) % 7 + 1;
}

// A parsed rule; libical 3.0 allocates RSCALE's text and leaves freeing it to the caller.
struct Rule {
    icalrecurrencetype value;
    explicit Rule(const QString &text)
    {
        Ical::setUp();
        value = icalrecurrencetype_from_string(text.toUtf8().constData());
        icalerror_clear_errno();
    }
    ~Rule() { std::free(value.rscale); }
    Rule(const Rule &) = delete;
    Rule &operator=(const Rule &) = delete;

    bool readable() const { return value.freq != ICAL_NO_RECURRENCE && value.interval >= 1; }
    bool byDays() const { return !empty(value.by_day); }
    bool hasCount() const { return value.count > 0; }
    bool hasUntil() const { return !icaltime_is_null_time(value.until); }
    template <size_t N> static bool empty(const short (&list)[N]) { return list[0] == ICAL_RECURRENCE_ARRAY_MAX; }
    template <size_t N> static int size(const short (&list)[N])
    {
        int n = 0;
        while (n < int(N) && list[n] != ICAL_RECURRENCE_ARRAY_MAX)
            ++n;
        return n;
    }
    // BYDAY as plain weekdays (no "2MO", "-1FR"), Qt's numbering; nullopt when it holds more.
    std::optional<QList<int>> plainWeekdays() const
    {
        QList<int> days;
        for (int i = 0; i < size(value.by_day); ++i) {
            if (icalrecurrencetype_day_position(value.by_day[i]) != 0)
                return std::nullopt;
            const int day = qtWeekday(int(icalrecurrencetype_day_day_of_week(value.by_day[i])));
            if (!days.contains(day))
                days.append(day);
        }
        std::sort(days.begin(), days.end());
        return days;
    }
    // The first day of its weeks, Qt's numbering; Monday when WKST is not given.
    int weekStart() const { return value.week_start == ICAL_NO_WEEKDAY ? 1 : qtWeekday(int(value.week_start)); }
    // The month's last day where the day does not exist (RFC 7529), as earlier versions wrote it.
    bool skipsBackward() const
    {
        return value.rscale && qstricmp(value.rscale, "GREGORIAN") == 0 && value.skip == ICAL_SKIP_BACKWARD;
    }
    // "The 29th to 31st, or the month's last day" in RFC 5545's words: BYMONTHDAY=28,...,d;BYSETPOS=-1.
    // The day d, or 0 when the rule is not of that form.
    int lastDayOrEarlier() const
    {
        const int days = size(value.by_month_day);
        if (size(value.by_set_pos) != 1 || value.by_set_pos[0] != -1 || days < 2 || days > 4 || value.by_month_day[0] != 28)
            return 0;
        for (int i = 1; i < days; ++i) {
            if (value.by_month_day[i] != 28 + i)
                return 0;
        }
        return 27 + days;
    }
    // The last day of the month's own day (29 to 31) either way it is written.
    int ownMonthEnd() const
    {
        if (skipsBackward() && size(value.by_month_day) == 1 && value.by_month_day[0] > 28 && empty(value.by_set_pos))
            return value.by_month_day[0];
        return value.rscale ? 0 : lastDayOrEarlier();
    }
    // What the rule says of its end, in the user's zone: UNTIL as a date, or as an instant
    // whose own day there is the last that may count.
    QDate untilDay(const QTimeZone &zone) const
    {
        if (!hasUntil())
            return {};
        const icaltimetype &u = value.until;
        const QDate day(u.year, u.month, u.day);
        if (u.is_date || !day.isValid())
            return day;
        const QTime time(u.hour, u.minute, u.second);
        const QDateTime at(day, time.isValid() ? time : QTime(0, 0),
                           icaltime_is_utc(u) ? QTimeZone::utc() : zone);
        return at.isValid() ? at.toTimeZone(zone).date() : day;
    }
};

// A part of a rule's text: "FREQ=WEEKLY" is part "FREQ".
bool isPart(const QString &part, QLatin1String name)
{
    return part.size() > name.size() && part.at(name.size()) == QLatin1Char('=')
        && part.startsWith(name, Qt::CaseInsensitive);
}

// A day's midnight, floating: libical steps hourly rules and compares UNTIL by the time of day too.
icaltimetype startValue(const QDate &day)
{
    icaltimetype t = Ical::dateValue(day);
    t.is_date = 0;
    t.hour = t.minute = t.second = 0;
    return t;
}

QDate dayOf(const icaltimetype &t)
{
    return icaltime_is_null_time(t) ? QDate() : QDate(t.year, t.month, t.day);
}

const char *freqName(Recurrence::Frequency f)
{
    switch (f) {
    case Recurrence::Frequency::Daily: return "DAILY";
    case Recurrence::Frequency::Weekly: return "WEEKLY";
    case Recurrence::Frequency::Monthly: return "MONTHLY";
    case Recurrence::Frequency::Yearly: return "YEARLY";
    case Recurrence::Frequency::Never: break;
    }
    return "";
}

QString weekdayList(const QList<int> &days)
{
    QStringList names;
    const QLocale locale;
    for (int day : days)
        names << locale.dayName(day, QLocale::LongFormat);
    return locale.createSeparatedList(names);
}

QString everyText(icalrecurrencetype_frequency freq, int n, bool afterFinishing)
{
    if (afterFinishing) {
        switch (freq) {
        case ICAL_DAILY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "%n day(s) after finishing", nullptr, n);
        case ICAL_WEEKLY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "%n week(s) after finishing", nullptr, n);
        case ICAL_MONTHLY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "%n month(s) after finishing", nullptr, n);
        case ICAL_YEARLY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "%n year(s) after finishing", nullptr, n);
        case ICAL_HOURLY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "%n hour(s) after finishing", nullptr, n);
        default: return {};
        }
    }
    switch (freq) {
    case ICAL_DAILY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "Every %n day(s)", nullptr, n);
    case ICAL_WEEKLY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "Every %n week(s)", nullptr, n);
    case ICAL_MONTHLY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "Every %n month(s)", nullptr, n);
    case ICAL_YEARLY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "Every %n year(s)", nullptr, n);
    case ICAL_HOURLY_RECURRENCE: return QCoreApplication::translate("Velmora::Recurrence", "Every %n hour(s)", nullptr, n);
    default: return {};
    }
}

// The rule with its part `name` (as "COUNT") set to value, or left out when value is empty.
QString withPart(const QString &rule, QLatin1String name, const QString &value = {})
{
    const QString prefix = name + QLatin1Char('=');
    const auto named = [&prefix](const QString &part) { return part.startsWith(prefix, Qt::CaseInsensitive); };
    QStringList parts = rule.split(QLatin1Char(';'));
    if (value.isEmpty())
        parts.removeIf(named);
    else
        std::replace_if(parts.begin(), parts.end(), named, prefix + value);
    return parts.join(QLatin1Char(';'));
}

// The rule as libical walks it: in RFC 5545's own words, without COUNT and UNTIL (the walk
// counts and ends them itself), and with what libical 3.0 gets wrong said the way it gets right.
struct Walkable {
    QString text;
    // libical 3.0 groups a weekly rule's days into weeks that start on Monday, whatever WKST
    // says: such a rule is walked on a calendar shifted so that its week starts on a Monday.
    int shift = 0;
};

Walkable walkable(const QString &text, bool dropInterval)
{
    Walkable w;
    w.text = withPart(withPart(Recurrence::portable(text), QLatin1String("COUNT")), QLatin1String("UNTIL"));
    if (dropInterval)
        w.text = withPart(w.text, QLatin1String("INTERVAL"));
    const Rule parsed(w.text);
    const auto &v = parsed.value;
    // A yearly BYMONTHDAY without BYMONTH means every month's day; libical keeps to one month.
    if (v.freq == ICAL_YEARLY_RECURRENCE && !Rule::empty(v.by_month_day) && Rule::empty(v.by_month)
        && Rule::empty(v.by_year_day) && Rule::empty(v.by_week_no))
        w.text += QStringLiteral(";BYMONTH=1,2,3,4,5,6,7,8,9,10,11,12");
    const auto days = parsed.plainWeekdays();
    if (v.freq == ICAL_WEEKLY_RECURRENCE && parsed.weekStart() != 1 && days && Rule::empty(v.by_month)) {
        w.shift = (8 - parsed.weekStart()) % 7;
        QStringList shifted;
        for (int day : *days)
            shifted << QLatin1String(kByDayNames[(day - 1 + w.shift) % 7]);
        w.text = withPart(w.text, QLatin1String("WKST"));
        if (!shifted.isEmpty())
            w.text = withPart(w.text, QLatin1String("BYDAY"), shifted.join(QLatin1Char(',')));
    }
    return w;
}

// How far past its first day a walk looks for an occurrence. Beyond that a rule is one that
// never matches, or that takes libical too long to step through: libical looks at every hour
// of an hourly rule until one matches, so the end handed to it is what bounds each answer.
QDate horizonOf(const QDate &from, icalrecurrencetype_frequency freq, int interval)
{
    const QDate last(kLastYear, 12, 31);
    const int spare = kLastYear - from.year();
    switch (freq) {
    case ICAL_HOURLY_RECURRENCE: return std::min(last, from.addDays(400 + 2 * qint64(interval) / 24));
    case ICAL_DAILY_RECURRENCE: return from.addYears(std::min(spare, 20 + 2 * interval / 365));
    case ICAL_WEEKLY_RECURRENCE: return from.addYears(std::min(spare, 20 + 2 * interval / 52));
    case ICAL_MONTHLY_RECURRENCE: return from.addYears(std::min(spare, 50 + 2 * interval / 12));
    default: return from.addYears(std::min(spare, 200 + 2 * interval));
    }
}

// The day a walk starts from. A weekly rule with an interval counts its weeks from the week of
// its first day (RFC 5545); libical 3.0 counts them from its first matching week instead, so a
// first day the rule does not give is moved to the first one it gives in the same week (as WKST
// begins it), or in the week an interval later.
QDate alignedStart(const Rule &rule, const QDate &start)
{
    const auto &v = rule.value;
    const auto days = rule.plainWeekdays();
    if (v.freq != ICAL_WEEKLY_RECURRENCE || v.interval < 2 || !days || days->isEmpty() || days->contains(start.dayOfWeek()))
        return start;
    const QDate firstOfWeek = start.addDays(-((start.dayOfWeek() - rule.weekStart() + 7) % 7));
    for (QDate d = start; d < firstOfWeek.addDays(7); d = d.addDays(1)) {
        if (days->contains(d.dayOfWeek()))
            return d;
    }
    const QDate later = firstOfWeek.addDays(7 * qint64(v.interval));
    for (QDate d = later;; d = d.addDays(1)) {
        if (days->contains(d.dayOfWeek()))
            return d;
    }
}

// Whether some month can hold one of a rule's days. libical looks for a monthly or yearly rule's
// next day (a yearly one's first already when the walk is made) far into the centuries, bounded
// by nothing we hand it, so a rule whose days no month has (31 April, 30 February, the first
// Monday on the 31st) is not handed to it.
bool monthsCanMatch(const Rule &rule)
{
    const auto &v = rule.value;
    if (!Rule::empty(v.by_year_day) || !Rule::empty(v.by_week_no))
        return true;
    // Ordinal weekdays count within the month for a monthly rule, or a yearly one given its months.
    const bool monthOrdinals = v.freq == ICAL_MONTHLY_RECURRENCE || (v.freq == ICAL_YEARLY_RECURRENCE && !Rule::empty(v.by_month));
    if (v.freq == ICAL_MONTHLY_RECURRENCE && !Rule::empty(v.by_set_pos)) {
        bool reachable = false;
        for (int i = 0; i < Rule::size(v.by_set_pos); ++i)
            reachable = reachable || std::abs(v.by_set_pos[i]) <= 31;
        if (!reachable)
            return false;
    }
    static const int longest[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
        bool inRule = Rule::empty(v.by_month);
        for (int i = 0; i < Rule::size(v.by_month); ++i)
            inRule = inRule || v.by_month[i] == month;
        if (!inRule)
            continue;
        for (int length = month == 2 ? 28 : longest[month - 1]; length <= longest[month - 1]; ++length) {
            for (int day = 1; day <= length; ++day) {
                bool byMonthDay = Rule::empty(v.by_month_day);
                for (int i = 0; i < Rule::size(v.by_month_day); ++i) {
                    const int d = v.by_month_day[i];
                    byMonthDay = byMonthDay || d == day || (d < 0 && length + 1 + d == day);
                }
                // An ordinal weekday (2MO, -1FR) falls in one week of the month; a plain one in any.
                bool byDay = Rule::empty(v.by_day);
                for (int i = 0; i < Rule::size(v.by_day); ++i) {
                    const int n = monthOrdinals ? icalrecurrencetype_day_position(v.by_day[i]) : 0;
                    byDay = byDay || n == 0 || (n > 0 && (day - 1) / 7 == n - 1) || (n < 0 && (length - day) / 7 == -n - 1);
                }
                if (byMonthDay && byDay)
                    return true;
            }
        }
    }
    return false;
}

struct Walked {
    enum class Kind { Found, Ended, TooCostly } kind = Kind::Ended;
    QDate day;
    int used = 0; // occurrences from the walk's start up to the one found
};

// Walks the occurrences of `text` (libical's form) counted from `start`, skipping to `skipTo`
// where no COUNT needs every step, until `takes` accepts one. COUNT and the last day (UNTIL in
// the user's zone) end it; the horizon, the step cap and the CPU budget bound it.
Walked walk(const Rule &rule, const Walkable &walkable, const QDate &start, const QDate &skipTo, const QDate &untilDay,
            const std::function<bool(const QDate &)> &takes)
{
    const int shift = walkable.shift;
    Walked walked;
    const auto &v = rule.value;
    const QDate from = std::max(start, skipTo);
    const QDate horizon = horizonOf(from, v.freq, v.interval);
    const bool untilFirst = untilDay.isValid() && untilDay <= horizon;
    const QDate end = untilFirst ? untilDay : horizon;
    if (!start.isValid() || !end.isValid() || end < from)
        return walked;
    const Rule bounded(walkable.text + QStringLiteral(";UNTIL=") + end.addDays(shift).toString(QStringLiteral("yyyyMMdd"))
                       + QStringLiteral("T235959"));
    if (!monthsCanMatch(bounded)) {
        walked.kind = Walked::Kind::TooCostly;
        return walked;
    }
    icalrecur_iterator *it = icalrecur_iterator_new(bounded.value, startValue(alignedStart(bounded, start.addDays(shift))));
    icalerror_clear_errno();
    if (!it) {
        // libical refuses rules that can never match (30 February yearly) when it sees them.
        walked.kind = Walked::Kind::TooCostly;
        return walked;
    }
    // libical steps an hourly rule from the new start, out of step with its interval.
    if (!rule.hasCount() && skipTo > start && v.freq != ICAL_HOURLY_RECURRENCE)
        icalrecur_iterator_set_start(it, startValue(skipTo.addDays(shift)));
    const qint64 began = threadCpuNs();
    walked.kind = Walked::Kind::TooCostly;
    for (int step = 0; step < kMaxSteps && threadCpuNs() - began < kBudgetNs; ++step) {
        const icaltimetype t = icalrecur_iterator_next(it);
        const QDate day = dayOf(t).addDays(-shift);
        if (!day.isValid()) {
            // Past its last day, or past the last day there is: ended. Past the horizon: too costly.
            if (untilFirst || end.year() >= kLastYear)
                walked.kind = Walked::Kind::Ended;
            break;
        }
        ++walked.used;
        if (rule.hasCount() && walked.used > v.count) {
            walked.kind = Walked::Kind::Ended;
            break;
        }
        if (takes(day)) {
            walked.kind = Walked::Kind::Found;
            walked.day = day;
            break;
        }
    }
    icalrecur_iterator_free(it);
    icalerror_clear_errno();
    return walked;
}

// Rules found, from a due day, to never match or to cost too much to step through: not walked again.
QSet<QString> &costlyRules()
{
    static QSet<QString> rules;
    return rules;
}

QString costKey(const QString &rule, const QDate &due)
{
    return due.toString(Qt::ISODate) + QLatin1Char(' ') + rule;
}

// "28,29,30,31" for the 31st: the days of which BYSETPOS=-1 takes the month's last.
QString monthEndDays(int day)
{
    QStringList days;
    for (int d = 28; d <= day; ++d)
        days << QString::number(d);
    return days.join(QLatin1Char(','));
}

QTimeZone zoneOr(const QTimeZone &zone)
{
    return zone.isValid() ? zone : Clock::current().timeZone();
}

} // namespace

QString Recurrence::portable(const QString &text)
{
    // Read at every start for every series: most rules need no parsing to tell.
    if (!text.contains(QLatin1String("RSCALE"), Qt::CaseInsensitive))
        return text;
    const Rule rule(text);
    const int day = rule.ownMonthEnd();
    if (!rule.skipsBackward() || day == 0)
        return text;
    QStringList parts = text.split(QLatin1Char(';'));
    parts.removeIf([](const QString &part) {
        return isPart(part, QLatin1String("RSCALE")) || isPart(part, QLatin1String("SKIP"));
    });
    return withPart(parts.join(QLatin1Char(';')), QLatin1String("BYMONTHDAY"), monthEndDays(day))
        + QStringLiteral(";BYSETPOS=-1");
}

Recurrence Recurrence::fromSimple(const Simple &simple, const QDate &due)
{
    Recurrence r;
    r.afterFinishing = simple.afterFinishing;
    if (simple.frequency == Frequency::Never)
        return r;
    QStringList parts{QStringLiteral("FREQ=%1").arg(QLatin1String(freqName(simple.frequency)))};
    if (simple.interval > 1)
        parts << QStringLiteral("INTERVAL=%1").arg(std::min(simple.interval, maxInterval));
    if (simple.frequency == Frequency::Weekly && !simple.weekdays.isEmpty()) {
        QStringList days;
        for (int day : simple.weekdays) {
            if (day >= 1 && day <= 7)
                days << QLatin1String(kByDayNames[day - 1]);
        }
        days.removeDuplicates();
        parts << QStringLiteral("BYDAY=") + days.join(QLatin1Char(','));
    }
    // A fixed schedule on the 29th to 31st keeps its day: where a month lacks it, the month's
    // last day. Counted from finishing, the day is the finished day's.
    const bool monthEnd = simple.frequency == Frequency::Monthly && due.day() > 28;
    const bool leapDay = simple.frequency == Frequency::Yearly && due.month() == 2 && due.day() == 29;
    if (!simple.afterFinishing && due.isValid() && (monthEnd || leapDay)) {
        if (leapDay)
            parts << QStringLiteral("BYMONTH=2");
        parts << QStringLiteral("BYMONTHDAY=") + monthEndDays(due.day()) << QStringLiteral("BYSETPOS=-1");
    }
    r.rule = parts.join(QLatin1Char(';'));
    return r;
}

std::optional<Recurrence::Simple> Recurrence::simple() const
{
    if (!repeats())
        return Simple{Frequency::Never, 1, {}, afterFinishing};
    const Rule rule(this->rule);
    const auto &v = rule.value;
    if (!rule.readable() || rule.hasCount() || rule.hasUntil())
        return std::nullopt;
    // A month's or a year's own last day (29th to 31st, 29 February) is what fromSimple writes.
    const int monthEnd = rule.ownMonthEnd();
    if (!Rule::empty(v.by_second) || !Rule::empty(v.by_minute) || !Rule::empty(v.by_hour)
        || !Rule::empty(v.by_year_day) || !Rule::empty(v.by_week_no) || (!Rule::empty(v.by_set_pos) && !monthEnd))
        return std::nullopt;
    if (v.rscale && !rule.skipsBackward())
        return std::nullopt;
    if (!Rule::empty(v.by_day) && v.freq != ICAL_WEEKLY_RECURRENCE)
        return std::nullopt;
    Simple s;
    s.interval = v.interval;
    s.afterFinishing = afterFinishing;
    if (s.interval > maxInterval)
        return std::nullopt;
    const bool monthDays = !Rule::empty(v.by_month_day);
    const int months = Rule::size(v.by_month);
    switch (v.freq) {
    case ICAL_DAILY_RECURRENCE:
        s.frequency = Frequency::Daily;
        if (monthDays || months || v.rscale)
            return std::nullopt;
        break;
    case ICAL_WEEKLY_RECURRENCE: {
        s.frequency = Frequency::Weekly;
        const auto days = rule.plainWeekdays();
        if (!days || monthDays || months || v.rscale)
            return std::nullopt;
        s.weekdays = *days;
        break;
    }
    case ICAL_MONTHLY_RECURRENCE:
        s.frequency = Frequency::Monthly;
        if (months || (monthDays && !monthEnd) || (v.rscale && !monthEnd))
            return std::nullopt;
        break;
    case ICAL_YEARLY_RECURRENCE:
        s.frequency = Frequency::Yearly;
        if ((monthDays || months || v.rscale) && !(monthEnd == 29 && months == 1 && v.by_month[0] == 2))
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    return s;
}

namespace {

// What makes a rule one this app follows, short of walking it: libical reads it, it moves by
// whole days, it has not ended before the due day, and it was not found too costly from there.
bool shapeFollowable(const Recurrence &r, const Rule &rule, const QDate &due, const QTimeZone &zone)
{
    const auto &v = rule.value;
    if (!r.repeats() || !due.isValid() || !rule.readable() || v.freq < ICAL_HOURLY_RECURRENCE
        || v.freq > ICAL_YEARLY_RECURRENCE)
        return false;
    // An hourly rule moves by days too, but only if it gets to the next day in a few steps.
    if (v.freq == ICAL_HOURLY_RECURRENCE && v.interval > 24 * 366)
        return false;
    // On a fixed schedule the due day is an occurrence: past the last one, the rule has ended.
    if (!r.afterFinishing && rule.hasUntil() && rule.untilDay(zoneOr(zone)) < due)
        return false;
    return !costlyRules().contains(costKey(r.rule, due));
}

} // namespace

bool Recurrence::followable(const QDate &due, const QTimeZone &zone) const
{
    if (!repeats())
        return false;
    const Rule rule(this->rule);
    if (!shapeFollowable(*this, rule, due, zone))
        return false;
    // Once per rule and day: one that never matches shows as not followed before anyone finishes it.
    const QString key = costKey(this->rule, due);
    static QSet<QString> probed;
    if (!probed.contains(key)) {
        probed.insert(key);
        const Walked w = walk(rule, walkable(this->rule, afterFinishing), due, due, {}, [&due](const QDate &d) { return d > due; });
        if (w.kind == Walked::Kind::TooCostly && !rule.hasCount()) {
            costlyRules().insert(key);
            return false;
        }
    }
    return true;
}

QString Recurrence::text(const QDate &due, const QTimeZone &zone) const
{
    if (!repeats())
        return {};
    if (!followable(due.isValid() ? due : QDate(2000, 1, 1), zone))
        return QCoreApplication::translate("Velmora::Recurrence", "Repeats (rule not supported)");
    const Rule rule(this->rule);
    const auto &v = rule.value;
    QString text = everyText(v.freq, v.interval, afterFinishing);
    const auto days = rule.plainWeekdays();
    if (rule.byDays() && days && !days->isEmpty())
        text = QCoreApplication::translate("Velmora::Recurrence", "%1 on %2").arg(text, weekdayList(*days));
    if (simple())
        return text;
    // What the words cannot say is still followed: said so, not spelled out.
    if (rule.hasCount())
        text = QCoreApplication::translate("Velmora::Recurrence", "%1, %n time(s) in all", nullptr, v.count).arg(text);
    if (rule.hasUntil())
        text = QCoreApplication::translate("Velmora::Recurrence", "%1, until %2")
                   .arg(text, QLocale().toString(rule.untilDay(zoneOr(zone)), QLocale::LongFormat));
    // Only COUNT and UNTIL beyond what the editor shows: nothing more to say.
    Recurrence bare = *this;
    bare.rule = withPart(withPart(this->rule, QLatin1String("COUNT")), QLatin1String("UNTIL"));
    if (!bare.simple())
        text = QCoreApplication::translate("Velmora::Recurrence", "%1, with further rules").arg(text);
    return text;
}

QDate Recurrence::occurrenceOf(const QDate &due) const
{
    for (auto it = moved.cbegin(); it != moved.cend(); ++it) {
        if (it.value() == due)
            return it.key();
    }
    return due;
}

Recurrence::Step Recurrence::next(const QDate &due, const QDate &finishedOn, const QDate &today, const QTimeZone &zone) const
{
    Step step;
    if (!repeats() || !finishedOn.isValid() || !today.isValid())
        return step;
    // The walk below finds a rule too costly by itself: no probe first.
    const Rule rule(this->rule);
    if (!shapeFollowable(*this, rule, due, zone))
        return step;
    const icalrecurrencetype &v = rule.value;
    const QDate untilDay = rule.untilDay(zoneOr(zone));
    Walked w;
    if (afterFinishing) {
        // The interval once from the day finished, then the rule's first day allowed from there.
        QDate earliest;
        switch (v.freq) {
        case ICAL_HOURLY_RECURRENCE: earliest = finishedOn.addDays(std::max(1, v.interval / 24)); break;
        case ICAL_DAILY_RECURRENCE: earliest = finishedOn.addDays(v.interval); break;
        case ICAL_WEEKLY_RECURRENCE: earliest = finishedOn.addDays(7 * qint64(v.interval)); break;
        case ICAL_MONTHLY_RECURRENCE: earliest = finishedOn.addMonths(v.interval); break;
        default: earliest = finishedOn.addYears(v.interval); break;
        }
        if (earliest.isValid() && earliest.year() <= kLastYear) {
            w = walk(rule, walkable(this->rule, true), earliest, earliest, untilDay,
                     [this](const QDate &d) { return !exceptions.contains(d); });
        }
        if (w.kind == Walked::Kind::Found && rule.hasCount() && v.count - 1 < 1)
            w.kind = Walked::Kind::Ended;
        w.used = 2; // one occurrence used: the one finished
    } else {
        const QDate anchor = occurrenceOf(due);
        const QDate after = std::max(anchor, today);
        qint64 forward = 0;
        for (auto it = moved.cbegin(); it != moved.cend(); ++it)
            forward = std::max(forward, it.key().daysTo(it.value()));
        w = walk(rule, walkable(this->rule, false), anchor, after.addDays(-forward), untilDay,
                 [&](const QDate &d) { return d > anchor && moved.value(d, d) > today && !exceptions.contains(d); });
    }
    switch (w.kind) {
    case Walked::Kind::Found:
        step.kind = Step::Kind::Moved;
        step.due = moved.value(w.day, w.day);
        step.rest = *this;
        // The series starts anew at the day moved to: what is left of COUNT goes with it.
        if (rule.hasCount())
            step.rest.rule = withPart(this->rule, QLatin1String("COUNT"), QString::number(v.count - (w.used - 1)));
        // Exceptions behind the series are of no more use.
        step.rest.exceptions.removeIf([&step](const QDate &d) { return d < step.due; });
        break;
    case Walked::Kind::Ended:
        step.kind = Step::Kind::Ended;
        break;
    case Walked::Kind::TooCostly:
        if (!rule.hasCount())
            costlyRules().insert(costKey(this->rule, due));
        break;
    }
    return step;
}

QString Recurrence::encodeDays(const QList<QDate> &days)
{
    QStringList texts;
    for (const QDate &day : days) {
        if (day.isValid())
            texts << day.toString(QStringLiteral("yyyyMMdd"));
    }
    return texts.join(QLatin1Char(','));
}

namespace {

// "20270106" as a day, read by hand: a store opens with every series' exceptions, and Qt's
// format parser costs a microsecond a day.
QDate dayFromDigits(QStringView text)
{
    text = text.trimmed();
    if (text.size() != 8)
        return {};
    int value[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    qsizetype at = 0;
    for (int part = 0; part < 3; ++part) {
        for (int i = 0; i < widths[part]; ++i, ++at) {
            const char16_t c = text.at(at).unicode();
            if (c < u'0' || c > u'9')
                return {};
            value[part] = value[part] * 10 + (c - u'0');
        }
    }
    return QDate(value[0], value[1], value[2]);
}

} // namespace

QList<QDate> Recurrence::decodeDays(const QString &text)
{
    QList<QDate> days;
    days.reserve(text.count(QLatin1Char(',')) + 1);
    for (qsizetype from = 0; from < text.size();) {
        qsizetype to = text.indexOf(QLatin1Char(','), from);
        if (to < 0)
            to = text.size();
        if (const QDate day = dayFromDigits(QStringView(text).sliced(from, to - from)); day.isValid())
            days << day;
        from = to + 1;
    }
    return days;
}

QString Recurrence::encodeMoved(const QMap<QDate, QDate> &moved)
{
    QStringList texts;
    for (auto it = moved.cbegin(); it != moved.cend(); ++it) {
        if (it.key().isValid() && it.value().isValid())
            texts << it.key().toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('=')
                    + it.value().toString(QStringLiteral("yyyyMMdd"));
    }
    return texts.join(QLatin1Char(','));
}

QMap<QDate, QDate> Recurrence::decodeMoved(const QString &text)
{
    QMap<QDate, QDate> moved;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QStringList pair = part.split(QLatin1Char('='));
        if (pair.size() != 2)
            continue;
        const QDate from = dayFromDigits(pair[0]);
        const QDate to = dayFromDigits(pair[1]);
        if (from.isValid() && to.isValid())
            moved.insert(from, to);
    }
    return moved;
}

} // namespace Velmora

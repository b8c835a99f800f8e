#include "Velmora/Model/Recurrence.h"

#include "Velmora/Model/IcalValues.h"

#include <QCoreApplication>
#include <QLocale>

#include <algorithm>
#include <cstdlib>

namespace Velmora {

namespace {

// Steps through a rule before giving up on it: a daily rule a century long, nothing that freezes.
constexpr int kMaxSteps = 100000;
// Days beyond this are no days a chore falls due on; libical's arithmetic ends there too.
constexpr int kLastYear = 9999;

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
            // libical counts from Sunday = 1, Qt from Monday = 1.
            const int day = (int(icalrecurrencetype_day_day_of_week(value.by_day[i])) + 5) % 7 + 1;
            if (!days.contains(day))
                days.append(day);
        }
        std::sort(days.begin(), days.end());
        return days;
    }
    // The month's last day where the day does not exist (RFC 7529).
    bool skipsBackward() const
    {
        return value.rscale && qstricmp(value.rscale, "GREGORIAN") == 0 && value.skip == ICAL_SKIP_BACKWARD;
    }
};

// libical's iterator counts from the time of day too: a null date's -1 hours throw it off.
icaltimetype startValue(const QDate &day)
{
    icaltimetype t = Ical::dateValue(day);
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

} // namespace

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
        static const char *const names[] = {"MO", "TU", "WE", "TH", "FR", "SA", "SU"};
        QStringList days;
        for (int day : simple.weekdays) {
            if (day >= 1 && day <= 7)
                days << QLatin1String(names[day - 1]);
        }
        days.removeDuplicates();
        parts << QStringLiteral("BYDAY=") + days.join(QLatin1Char(','));
    }
    // A fixed schedule on the 29th to 31st keeps its day: where a month lacks it, the month's
    // last day (RFC 7529). Counted from finishing, the day is the finished day's, added when moving.
    const bool monthEnd = simple.frequency == Frequency::Monthly && due.day() > 28;
    const bool leapDay = simple.frequency == Frequency::Yearly && due.month() == 2 && due.day() == 29;
    if (!simple.afterFinishing && due.isValid() && (monthEnd || leapDay)) {
        if (leapDay)
            parts << QStringLiteral("BYMONTH=2");
        parts << QStringLiteral("BYMONTHDAY=%1").arg(due.day())
              << QStringLiteral("RSCALE=GREGORIAN") << QStringLiteral("SKIP=BACKWARD");
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
    if (!Rule::empty(v.by_second) || !Rule::empty(v.by_minute) || !Rule::empty(v.by_hour)
        || !Rule::empty(v.by_year_day) || !Rule::empty(v.by_week_no) || !Rule::empty(v.by_set_pos))
        return std::nullopt;
    Simple s;
    s.interval = v.interval;
    s.afterFinishing = afterFinishing;
    if (s.interval > maxInterval)
        return std::nullopt;
    // A month's or a year's own day is what fromSimple writes for the 29th to 31st and 29 February.
    const int monthDays = Rule::size(v.by_month_day);
    const int months = Rule::size(v.by_month);
    const bool ownMonthEnd = monthDays == 1 && v.by_month_day[0] > 28 && rule.skipsBackward();
    if (!Rule::empty(v.by_day) && v.freq != ICAL_WEEKLY_RECURRENCE)
        return std::nullopt;
    if (v.rscale && !rule.skipsBackward())
        return std::nullopt;
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
        if (months || (monthDays && !ownMonthEnd) || (v.rscale && !monthDays))
            return std::nullopt;
        break;
    case ICAL_YEARLY_RECURRENCE:
        s.frequency = Frequency::Yearly;
        if ((monthDays || months || v.rscale)
            && !(ownMonthEnd && months == 1 && v.by_month[0] == 2 && v.by_month_day[0] == 29))
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    return s;
}

bool Recurrence::followable(const QDate &due) const
{
    if (!repeats() || !due.isValid())
        return false;
    const Rule rule(this->rule);
    const auto &v = rule.value;
    if (!rule.readable() || v.freq < ICAL_HOURLY_RECURRENCE || v.freq > ICAL_YEARLY_RECURRENCE)
        return false;
    // An hourly rule moves by days too, but only if it gets to the next day in a few steps.
    if (v.freq == ICAL_HOURLY_RECURRENCE && v.interval > 24 * 366)
        return false;
    return !rule.hasUntil() || dayOf(v.until) >= due;
}

QString Recurrence::text(const QDate &due) const
{
    if (!repeats())
        return {};
    if (!followable(due.isValid() ? due : QDate(2000, 1, 1)))
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
        text = QCoreApplication::translate("Velmora::Recurrence", "%1, until %2").arg(text, QLocale().toString(dayOf(v.until), QLocale::LongFormat));
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

Recurrence::Step Recurrence::next(const QDate &due, const QDate &finishedOn, const QDate &today) const
{
    Step step;
    if (!followable(due) || !finishedOn.isValid() || !today.isValid())
        return step;
    const Rule rule(this->rule);
    const icalrecurrencetype &value = rule.value;
    // Counted from finishing, a month's day is the finished day's, kept at the month's end.
    QString augmented;
    QDate anchor = afterFinishing ? finishedOn : occurrenceOf(due);
    if (afterFinishing && Rule::empty(value.by_month_day) && Rule::empty(value.by_day) && !value.rscale
        && (value.freq == ICAL_MONTHLY_RECURRENCE || value.freq == ICAL_YEARLY_RECURRENCE) && anchor.day() > 28) {
        augmented = this->rule + QStringLiteral(";BYMONTHDAY=%1;RSCALE=GREGORIAN;SKIP=BACKWARD").arg(anchor.day());
        if (value.freq == ICAL_YEARLY_RECURRENCE)
            augmented += QStringLiteral(";BYMONTH=%1").arg(anchor.month());
    }
    const Rule extended(augmented.isEmpty() ? this->rule : augmented);
    icalrecur_iterator *it = icalrecur_iterator_new(extended.value, startValue(anchor));
    icalerror_clear_errno();
    if (!it)
        return step;
    // Skipping straight to the first day that may count, where no COUNT needs every step.
    const QDate earliest = std::max(anchor.addDays(1), today);
    if (!rule.hasCount() && earliest > anchor.addDays(366))
        icalrecur_iterator_set_start(it, startValue(earliest));
    int used = 0;
    step.kind = Step::Kind::Ended;
    for (int i = 0; i < kMaxSteps; ++i) {
        const QDate day = dayOf(icalrecur_iterator_next(it));
        if (!day.isValid() || day.year() > kLastYear)
            break;
        ++used;
        if (day <= anchor || day < today || exceptions.contains(day))
            continue;
        step.kind = Step::Kind::Moved;
        step.due = moved.value(day, day);
        step.rest = *this;
        if (rule.hasCount()) {
            // The series starts anew at the day moved to: what is left of COUNT goes with it.
            const int left = value.count - (afterFinishing ? 1 : used - 1);
            if (left < 1) {
                step.kind = Step::Kind::Ended;
                break;
            }
            step.rest.rule = withPart(this->rule, QLatin1String("COUNT"), QString::number(left));
        }
        break;
    }
    if (step.kind == Step::Kind::Ended && used >= kMaxSteps)
        step.kind = Step::Kind::NotFollowed;
    icalrecur_iterator_free(it);
    icalerror_clear_errno();
    if (step.kind != Step::Kind::Moved)
        step.due = QDate();
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

QList<QDate> Recurrence::decodeDays(const QString &text)
{
    QList<QDate> days;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QDate day = QDate::fromString(part.trimmed(), QStringLiteral("yyyyMMdd"));
        if (day.isValid())
            days << day;
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
        const QDate from = QDate::fromString(pair[0].trimmed(), QStringLiteral("yyyyMMdd"));
        const QDate to = QDate::fromString(pair[1].trimmed(), QStringLiteral("yyyyMMdd"));
        if (from.isValid() && to.isValid())
            moved.insert(from, to);
    }
    return moved;
}

} // namespace Velmora

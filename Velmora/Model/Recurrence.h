#pragma once

#include <QDate>
#include <QList>
#include <QMap>
#include <QString>
#include <QTimeZone>

#include <optional>

namespace Velmora {

// How a chore comes back once it is finished: an iCalendar recurrence rule (RFC 5545), kept as
// the text it came as, so that a rule another app wrote goes back to it exactly, whatever part
// of it this app can show. Occurrences are days; libical's iterator computes them.
struct Recurrence {
    // The RRULE value, e.g. "FREQ=WEEKLY;INTERVAL=2;BYDAY=WE"; empty when the chore never repeats.
    QString rule;
    // The next due day counts from the day the chore was finished instead of from its due day.
    bool afterFinishing = false;
    // Occurrences that do not happen (EXDATE, or an occurrence another app finished or cancelled
    // on its own): moving on skips them.
    QList<QDate> exceptions;
    // Occurrences another app moved to another due day (RECURRENCE-ID -> its DUE).
    QMap<QDate, QDate> moved;

    bool repeats() const { return !rule.isEmpty(); }
    friend bool operator==(const Recurrence &, const Recurrence &) = default;

    // What the editor can show and make.
    enum class Frequency { Never, Daily, Weekly, Monthly, Yearly };
    struct Simple {
        Frequency frequency = Frequency::Never;
        int interval = 1;
        // Qt::DayOfWeek values (1 = Monday), ascending; weekly rules only, empty for "the due day's".
        QList<int> weekdays;
        bool afterFinishing = false;
        friend bool operator==(const Simple &, const Simple &) = default;
    };
    static constexpr int maxInterval = 999;
    // The rule for the editor's choice; `due` is the day it counts from, so that a month's 29th
    // to 31st and 29 February land on the month's last day where they do not exist.
    static Recurrence fromSimple(const Simple &simple, const QDate &due);
    // nullopt when the rule says more than the editor shows (COUNT, UNTIL, BYSETPOS, ...) or is
    // not one this app can follow.
    std::optional<Simple> simple() const;

    // A rule libical reads and that moves a chore on by whole days: daily to yearly, or hourly.
    // Others (every second, INTERVAL=0, an unreadable rule, UNTIL before `due`, a rule that
    // never matches or needs too much stepping to find its next day) are kept but never
    // followed. `zone` is the user's (an UNTIL given as an instant ends on its day there);
    // invalid: the clock's.
    bool followable(const QDate &due, const QTimeZone &zone = {}) const;

    // The rule in the user's words: "Every 2 weeks on Wednesday", "3 days after finishing",
    // "Repeats (rule not supported)". Empty when the chore never repeats.
    QString text(const QDate &due, const QTimeZone &zone = {}) const;

    // The rule as servers and phone apps read it (RFC 5545 alone): "the 31st, or the month's
    // last day" written as RFC 7529's RSCALE/SKIP becomes BYMONTHDAY=28,29,30,31;BYSETPOS=-1.
    // Any other rule comes back as it is.
    static QString portable(const QString &rule);

    // The rule's occurrence a due day stands for: another day only for an occurrence another app moved.
    QDate occurrenceOf(const QDate &due) const;

    // Finishing an occurrence: see RecurrenceStep. `due` is the occurrence finished (its due
    // day), `finishedOn` the day it was finished, `today` the day it is now.
    // On a fixed schedule the next due day is the rule's first occurrence after both the
    // occurrence finished and today: missed ones are skipped, and finishing covers today's.
    // After finishing it is the rule's first allowed day on or after finishedOn + the interval
    // (every 2 weeks on Wednesday, finished Tuesday the 8th: Wednesday the 23rd).
    using Step = struct RecurrenceStep;
    Step next(const QDate &due, const QDate &finishedOn, const QDate &today, const QTimeZone &zone = {}) const;

    // As the store keeps exceptions and moved occurrences: "20270106,20270120" and
    // "20270106=20270108,...". Days that do not parse are dropped.
    static QString encodeDays(const QList<QDate> &days);
    static QList<QDate> decodeDays(const QString &text);
    static QString encodeMoved(const QMap<QDate, QDate> &moved);
    static QMap<QDate, QDate> decodeMoved(const QString &text);
};

// Moved: the series' next due day, and the rule to keep (a COUNT counts down by the occurrences
// used). Ended: the rule has no occurrence left (COUNT used up, UNTIL passed). NotFollowed: a
// rule that is kept but never followed.
struct RecurrenceStep {
    enum class Kind { Moved, Ended, NotFollowed } kind = Kind::NotFollowed;
    QDate due;
    Recurrence rest;
};

} // namespace Velmora

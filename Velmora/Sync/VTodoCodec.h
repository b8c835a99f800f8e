#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChorePeople.h"
#include "Velmora/Model/Recurrence.h"

#include <QByteArray>
#include <QString>
#include <QTimeZone>

namespace Velmora::Sync {

// One CalDAV resource read as a chore, or why it is not one.
struct TodoReading {
    enum class Outcome {
        Chore,          // uid and fields hold the chore
        SkippedNoDue,   // a VTODO without DUE: left alone on the server, counted
        SkippedNotTodo, // a resource without VTODO (an event, a journal entry...): left alone, counted
        Rejected,       // unreadable or unsound: reason says why in one sentence
    };
    Outcome outcome = Outcome::Rejected;
    QString uid;
    ChoreFields fields;
    // RRULE as its text, EXDATEs and the overrides (RECURRENCE-ID) of the same UID; the fields
    // hold the occurrence that is due: where another app moved it, the day it moved to.
    Recurrence recurrence;
    QString reason;
    QDateTime lastModified; // LAST-MODIFIED, invalid when absent
    // A finished occurrence: the UID of the series it came from; empty for any other task.
    QString series;
    // Who it is for and who finished it, cleaned (ChorePeople::cleaned).
    ChorePeople people;
    // How many of those values broke the rules of a name and were cleaned.
    int cleanedPeople = 0;
};

struct TodoWriting {
    QByteArray ics; // empty when the chore could not be written
    QString reason;
};

// A chore as one VTODO (RFC 5545) in one VCALENDAR, written and read with libical.
// Days are taken in `zone`, the user's zone: the start and due days are the local days of
// startDate and dueDate, and read back as the starts of those days. Blanks around a title do
// not survive: libical drops them when it parses.
class VTodoCodec {
public:
    // Resources larger than this are refused unread.
    static constexpr qsizetype maxResourceBytes = 1024 * 1024;
    // Of those, the lines saying how it repeats (RRULE, EXDATE, RDATE, overrides' RECURRENCE-ID):
    // any more is refused as unreadable.
    static constexpr qsizetype maxRecurrenceBytes = 64 * 1024;

    static TodoReading read(const QByteArray &ics, const QTimeZone &zone);

    // Writes the chore. With lastServerCopy (the resource as the server last sent it) the
    // server's copy is the starting point and only what differs from it is rewritten, so
    // everything this app does not know (other properties, alarms, categories, relations,
    // a date-time DUE on the same day, an RRULE as it was written, EXDATEs, overrides of single
    // occurrences) goes back unchanged. A chore that repeats is one VTODO with RRULE whose
    // DTSTART and DUE are the occurrence due now. A finished occurrence names its series by
    // its UID (none: a series the server's copy names stays named). Its people go as our own
    // X- properties, and stay as the server wrote them while they read the same.
    static TodoWriting write(const QString &uid, const ChoreFields &fields, const Recurrence &recurrence,
                             const QTimeZone &zone, const QByteArray &lastServerCopy = {},
                             const QDateTime &modified = {}, const QString &series = {},
                             const ChorePeople &people = {});

    // Equal as the VTODO holds it: days by the zone's calendar, titles without surrounding
    // blanks, NaN equal to NaN.
    static bool sameField(Chore::Field field, const ChoreFields &a, const ChoreFields &b, const QTimeZone &zone);
    // Equal as the VTODO holds it: the same rule text, and the same days whatever their order.
    static bool sameRecurrence(const Recurrence &a, const Recurrence &b);

    // The CSS3 colour name nearest to the components, as RFC 7986 COLOR wants.
    static QString nearestCssColorName(const ColorComponentsModel &components);

    // The reminder's instant: the due day at notificationTime in zone; a wall-clock time the
    // zone skips moves to the next existing one, a doubled one takes the first.
    static std::optional<QDateTime> reminderInstant(const QDateTime &dueDate, double notificationTime,
                                                    const QTimeZone &zone);
};

} // namespace Velmora::Sync

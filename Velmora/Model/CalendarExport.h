#pragma once

#include "Velmora/Model/Chore.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QTimeZone>

#include <optional>
#include <vector>

namespace Velmora {

class ChoreStore;

// An iCalendar (RFC 5545) file of the active chores: one all-day event on each due day,
// with a display alarm at the reminder time when a reminder is wanted. A chore that repeats on
// a fixed schedule repeats there too; one counted from finishing shows its next day only, as no
// calendar knows when it will be finished.
class CalendarExport {
    Q_DECLARE_TR_FUNCTIONS(Velmora::CalendarExport)

public:
    struct Event {
        qint64 persistentId = 0;
        ChoreFields fields;
        Recurrence recurrence = {};
    };

    // Active chores only; chores without a due date in the years 1 to 2999 are left out.
    // Due days are taken in zone; stamp is the DTSTAMP of every event.
    // count, when given, receives the number of events written.
    static QByteArray encode(const std::vector<Event> &events, const QTimeZone &zone, const QDateTime &stamp,
                             int *count = nullptr);
    // The store's active chores as the file holds them, in the user's zone at the current
    // instant; none when the file could not be read.
    static std::optional<QByteArray> encode(const ChoreStore &store, int *count = nullptr);
};

} // namespace Velmora

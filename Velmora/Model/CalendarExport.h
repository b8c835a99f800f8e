#pragma once

#include "Velmora/Model/Chore.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>

#include <optional>
#include <vector>

namespace Velmora {

class ChoreStore;

// An iCalendar (RFC 5545) file of the active chores: one all-day event on each due day,
// with a display alarm at the reminder time when a reminder is wanted.
class CalendarExport {
    Q_DECLARE_TR_FUNCTIONS(Velmora::CalendarExport)

public:
    struct Event {
        qint64 persistentId = 0;
        ChoreFields fields;
    };

    // Active chores only; chores without a due date in the years 1 to 9999 are left out.
    // Due days are taken in zone; stamp is the DTSTAMP of every event.
    // count, when given, receives the number of events written.
    static QByteArray encode(const std::vector<Event> &events, const QTimeZone &zone, const QDateTime &stamp,
                             int *count = nullptr);
    // The store's active chores as the file holds them, in the user's zone at the current
    // instant; none when the file could not be read.
    static std::optional<QByteArray> encode(const ChoreStore &store, int *count = nullptr);

    // TEXT value escaping: backslash, semicolon, comma and line breaks; other control characters dropped.
    static QString escapeText(const QString &text);
    // One content line folded at 75 octets without splitting a UTF-8 sequence, CRLF after each part.
    static QByteArray foldLine(const QByteArray &line);
    // "PT9H" for 32400; none unless 0 <= seconds < 86400.
    static std::optional<QString> triggerDuration(double seconds);
};

} // namespace Velmora

#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <tuple>

namespace Velmora {

// A calendar trigger: fires once when the local wall clock reaches this minute.
struct NotificationTrigger {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    // The minute the wall clock reads at local.
    static NotificationTrigger of(const QDateTime &local)
    {
        return {local.date().year(), local.date().month(), local.date().day(), local.time().hour(),
                local.time().minute()};
    }
    QDate date() const { return QDate(year, month, day); }
    bool isValid() const { return date().isValid() && QTime::isValid(hour, minute, 0); }
    // Whether the local wall-clock moment at has reached the trigger's minute.
    bool isDueAt(QDate atDate, QTime atTime) const
    {
        return std::tuple(year, month, day, hour, minute)
            <= std::tuple(atDate.year(), atDate.month(), atDate.day(), atTime.hour(), atTime.minute());
    }
    friend bool operator==(const NotificationTrigger &, const NotificationTrigger &) = default;
};

struct NotificationRequest {
    QString identifier;
    QString title;
    QString body;
    bool defaultSound = true;
    NotificationTrigger trigger;
    friend bool operator==(const NotificationRequest &, const NotificationRequest &) = default;
};

} // namespace Velmora

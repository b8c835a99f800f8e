#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>

#include <functional>

namespace Velmora {

// A calendar trigger: fires once when the local wall clock reaches this minute.
struct NotificationTrigger {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;

    QDate date() const { return QDate(year, month, day); }
    bool isValid() const { return date().isValid() && QTime::isValid(hour, minute, 0); }
    // Whether the local wall-clock moment at has reached the trigger's minute.
    bool isDueAt(QDate atDate, QTime atTime) const;
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

struct NotificationSettings {
    enum AuthorizationStatus { NotDetermined = 0, Denied = 1, Authorized = 2 };
    int authorizationStatus = NotDetermined;
    friend bool operator==(const NotificationSettings &, const NotificationSettings &) = default;
};

// A reminder shown again later ("Snooze") is a request of its own beside the chore's, so that
// re-scheduling the chore leaves it alone; withdrawing the chore's reminder withdraws both.
inline QString snoozedIdentifier(const QString &identifier)
{
    return identifier + QStringLiteral("#snoozed");
}

// The platform's local-notification centre. Callbacks are called exactly once, never from
// inside the call that was given them, on whichever thread the implementation chooses.
class NotificationService {
public:
    virtual ~NotificationService() = default;

    virtual void requestAuthorization(std::function<void()> done) = 0;
    virtual void fetchSettings(std::function<void(NotificationSettings)> done) = 0;
    // Replaces a pending request with the same identifier. Requests with invalid triggers are
    // dropped, and so is one whose identifier and trigger match a reminder already delivered:
    // a calendar trigger fires once.
    virtual void add(const NotificationRequest &request) = 0;
    // Unknown identifiers are ignored.
    virtual void removePendingRequests(const QStringList &identifiers) = 0;
    virtual QList<NotificationRequest> pendingRequests() const = 0;

    // Called with a shown reminder's identifier and the action the user picked on it
    // ("default" for the notification itself), where the service offers actions.
    std::function<void(const QString &identifier, const QString &action)> onAction;
};

} // namespace Velmora

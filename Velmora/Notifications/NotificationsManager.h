#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Platform/NotificationService.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimeZone>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace Velmora {

// The last known notification settings of the app, and the chore's due-day reminder.
// The manager's operations return at once; their results are assigned on the manager's
// thread, and every assignment notifies, also when the settings are unchanged.
class NotificationsManager : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Made by the app with its notification service")
    Q_PROPERTY(bool hasSettings READ hasSettings NOTIFY settingsChanged)
    // NotDetermined (0) until the first fetch completes.
    Q_PROPERTY(int authorizationStatus READ authorizationStatus NOTIFY settingsChanged)

public:
    enum AuthorizationStatus {
        NotDetermined = NotificationSettings::NotDetermined,
        Denied = NotificationSettings::Denied,
        Authorized = NotificationSettings::Authorized,
    };
    Q_ENUM(AuthorizationStatus)

    // The service is not owned and outlives the manager.
    explicit NotificationsManager(NotificationService &service, QObject *parent = nullptr);

    bool hasSettings() const { return m_settings.has_value(); }
    std::optional<NotificationSettings> notificationSettings() const { return m_settings; }
    int authorizationStatus() const { return m_settings ? m_settings->authorizationStatus : NotDetermined; }

    // Asks the service for permission, then fetches the settings.
    Q_INVOKABLE void requestAuthorization();
    Q_INVOKABLE void refreshSettings();

    // "Notification-<entity>-<persistent id>": the same text for the same chore in every run.
    static QString notificationIdentifier(const Chore &chore);
    static QString notificationIdentifier(qint64 persistentId);
    // What every chore's identifier starts with.
    static QString notificationIdentifierPrefix();
    // Adds the chore's reminder for its due day to service; nothing when notify is off or the
    // reminder time cannot be formed. Returns whether a request was handed over.
    static bool scheduleNotification(const Chore &chore, NotificationService &service);

    // The instant of the reminder: dueDate's day in zone at the hour and minute of the whole
    // seconds of notificationTime. A wall-clock time the day skips moves to the next existing
    // one; a time the day has twice takes the first. None for a non-finite time, one whose
    // hour or minute falls outside the day (after 23:59, or a minute below zero), or an
    // invalid due date.
    static std::optional<QDateTime> reminderInstant(const QDateTime &dueDate, double notificationTime,
                                                    const QTimeZone &zone);
    // The request scheduleNotification hands over, built in zone.
    static std::optional<NotificationRequest> reminderRequest(const Chore &chore, const QTimeZone &zone);

signals:
    void settingsChanged();

private:
    void publish(const NotificationSettings &settings);

    NotificationService &m_service;
    std::optional<NotificationSettings> m_settings;
};

} // namespace Velmora

#pragma once

#include <QObject>

namespace Velmora {

class NotificationBus;

// Whether reminders can show: on the desktop nobody is asked, a notification server that answers
// is the permission. The answer arrives later; settingsChanged comes only when it differs from
// the last one.
class NotificationsManager : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool hasSettings READ hasSettings NOTIFY settingsChanged)
    // NotDetermined (0) until the first answer.
    Q_PROPERTY(int authorizationStatus READ authorizationStatus NOTIFY settingsChanged)

public:
    enum AuthorizationStatus {
        NotDetermined = 0,
        Denied = 1,
        Authorized = 2,
    };
    Q_ENUM(AuthorizationStatus)

    // The bus is not owned and outlives the manager.
    explicit NotificationsManager(NotificationBus &bus, QObject *parent = nullptr);

    bool hasSettings() const { return m_status != NotDetermined; }
    int authorizationStatus() const { return m_status; }

    // Asks whether a notification server answers.
    Q_INVOKABLE void refreshSettings();

signals:
    void settingsChanged();

private:
    void publish(AuthorizationStatus status);

    NotificationBus &m_bus;
    AuthorizationStatus m_status = NotDetermined;
};

} // namespace Velmora

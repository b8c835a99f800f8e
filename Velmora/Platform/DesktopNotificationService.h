#pragma once

#include "Velmora/Platform/NotificationBus.h"
#include "Velmora/Platform/NotificationService.h"
#include "Velmora/Platform/WallClockAlarm.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <memory>

namespace Velmora {

// The notification service of the desktop app. Pending requests live in their own SQLite file,
// so they survive restarts; notifications are allowed while a notification server answers. While the
// app runs, requests whose minute has come are shown through the bus and then removed; a
// request whose day has passed unseen (the app was closed, the machine asleep) is dropped.
// What has rung is remembered too, so the same reminder asked for again is not shown twice.
// One alarm aims at the next reminder's minute, so an idle service never wakes up. Everything
// runs on the owning thread and nothing waits for the bus.
class DesktopNotificationService final : public QObject, public NotificationService {
    Q_OBJECT
public:
    // How long a reminder the server did not take waits before it is offered again.
    static constexpr int retryMs = 60000;
    static constexpr int snoozeMinutes = 60;

    // Without a bus, the session bus's notification server; without an alarm, a timerfd.
    explicit DesktopNotificationService(const QString &databasePath, std::unique_ptr<NotificationBus> bus = nullptr,
                                        std::unique_ptr<WallClockAlarm> alarm = nullptr, QObject *parent = nullptr);
    ~DesktopNotificationService() override;

    void requestAuthorization(std::function<void()> done) override;
    void fetchSettings(std::function<void(NotificationSettings)> done) override;
    void add(const NotificationRequest &request) override;
    void removePendingRequests(const QStringList &identifiers) override;
    QList<NotificationRequest> pendingRequests() const override { return m_pending; }

    // Shows what is due now and drops what is stale; runs when the alarm rings and once after start-up.
    void deliverDue();
    // Aims the alarm at the next reminder again: after a change of time zone or a resume.
    void replan();
    // Off in a process that runs beside the one that rings: it keeps requests but shows none.
    void setDelivering(bool delivering);
    // False when the file could not be opened; the service then keeps requests in memory only.
    bool isPersistent() const { return m_persistent; }

private:
    bool openDatabase(const QString &path);
    void load();
    void store(const NotificationRequest &request);
    void erase(const QString &identifier);
    void markDelivered(const NotificationRequest &request);
    void askCapabilities();
    void onActionInvoked(uint id, const QString &key);
    void snooze(const NotificationRequest &shown);
    void replanSoon();

    QString m_connection;
    bool m_persistent = false;
    std::unique_ptr<NotificationBus> m_bus;
    QList<NotificationRequest> m_pending;
    QSet<QString> m_inFlight;
    // Due, but the server did not take them on the last try.
    QSet<QString> m_failed;
    bool m_replanQueued = false;
    bool m_delivering = true;
    // Whether the server shows buttons; asked at start and whenever a server appears.
    bool m_serverActions = false;
    // What this run has shown, by the server's notification id, for its actions.
    QHash<uint, NotificationRequest> m_shown;
    // The trigger each identifier last rang at (or passed unseen).
    QHash<QString, NotificationTrigger> m_delivered;
    std::unique_ptr<WallClockAlarm> m_alarm;
};

} // namespace Velmora

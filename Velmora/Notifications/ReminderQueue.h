#pragma once

#include "Velmora/Notifications/NotificationRequest.h"
#include "Velmora/Notifications/ReminderFile.h"
#include "Velmora/Platform/NotificationBus.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <functional>

namespace Velmora {

class WallClockAlarm;

// The pending reminders, kept in their file so they survive restarts, shown through the bus when
// their minute has come and then removed; a request whose day has passed unseen (the app was
// closed, the machine asleep) is dropped. What has rung is remembered too, so the same reminder
// asked for again is not shown twice. One alarm aims at the next reminder's minute, so an idle
// queue never wakes up. Everything runs on the owning thread and nothing waits for the bus.
class ReminderQueue final : public QObject {
    Q_OBJECT
public:
    // How long a reminder the server did not take waits before it is offered again.
    static constexpr int retryMs = 60000;

    // bus and alarm are not owned and outlive the queue.
    ReminderQueue(const QString &filePath, NotificationBus &bus, WallClockAlarm &alarm, QObject *parent = nullptr);

    // Replaces a pending request with the same identifier. Requests with invalid triggers are
    // dropped, and so is one whose identifier and trigger match a reminder that has rung: a
    // calendar trigger fires once.
    // False when it is held in memory only, its file refusing it.
    bool add(const NotificationRequest &request);
    // Unknown identifiers are ignored.
    void remove(const QStringList &identifiers);
    QList<NotificationRequest> pending() const { return m_pending; }

    // The buttons each reminder shows, where the server shows buttons; asked for at each showing,
    // so their labels are in the language of the moment.
    void setActions(std::function<NotificationBus::Actions()> actions) { m_actions = std::move(actions); }
    // Shows what is due now and drops what is stale; runs when the alarm rings and once after start-up.
    void deliverDue();
    // Aims the alarm at the next reminder again: after a change of time zone or a resume.
    void replan();
    // Off in a process that runs beside the one that rings: it keeps requests but shows none.
    void setDelivering(bool delivering);
    // False when the file could not be opened; the queue then keeps requests in memory only.
    bool isPersistent() const { return m_file.isOpen(); }

signals:
    // The user picked the button key on a reminder this run showed; id names it to the server.
    void actionInvoked(const Velmora::NotificationRequest &shown, const QString &key, uint id);
    // A request was added, replaced or removed (rung, dropped or withdrawn).
    void pendingChanged();

private:
    void markRung(const NotificationRequest &request);
    void askCapabilities();
    void onActionInvoked(uint id, const QString &key);
    void replanSoon();

    ReminderFile m_file;
    NotificationBus &m_bus;
    WallClockAlarm &m_alarm;
    std::function<NotificationBus::Actions()> m_actions;
    QList<NotificationRequest> m_pending;
    QSet<QString> m_inFlight;
    // Due, but the server did not take them on the last try.
    QSet<QString> m_failed;
    bool m_replanQueued = false;
    bool m_delivering = true;
    // Whether the server shows buttons; asked at start and whenever a server appears.
    bool m_serverActions = false;
    // Whether it keeps notifications until they are dealt with: then reminders ask to be resident,
    // so a button does not take one away before the app has carried it out.
    bool m_serverPersistence = false;
    // What this run has shown, by the server's notification id, for its buttons.
    QHash<uint, NotificationRequest> m_shown;
    // The trigger each identifier last rang at (or passed unseen).
    QHash<QString, NotificationTrigger> m_rung;
};

} // namespace Velmora

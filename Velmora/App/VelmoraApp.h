#pragma once

#include "Velmora/App/NearestChores.h"
#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/Router.h"
#include "Velmora/App/WidgetSnapshot.h"
#include "Velmora/Household/Household.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Notifications/Reminders.h"
#include "Velmora/Platform/PasswordStore.h"
#include "Velmora/Sync/SyncAccount.h"
#include "Velmora/Sync/SyncEngine.h"

#include <QObject>
#include <QString>

#include <memory>

namespace Velmora {

class NotificationBus;
class TimeChangeNotifier;
class WallClockAlarm;
class WidgetCenter;
namespace Sync {
class SyncSchedule;
}

// The app's shared objects, built once in one go on an opened store: the day clock, the
// notification settings, the router, the store with its two live queries and the one owner of
// changes to chores, the reminders, the widget and the sync that follow the store. Each part is
// a member declared after those it uses, so it goes before them. Screens reach them as the QML
// singleton App, which the window's host lends its engine.
class VelmoraApp : public QObject {
    Q_OBJECT

    Q_PROPERTY(Velmora::RefreshDay *refreshDay READ refreshDay CONSTANT)
    Q_PROPERTY(Velmora::NotificationsManager *notifications READ notificationsManager CONSTANT)
    Q_PROPERTY(Velmora::Reminders *reminders READ reminders CONSTANT)
    Q_PROPERTY(Velmora::Router *router READ router CONSTANT)
    Q_PROPERTY(Velmora::ChoreStore *store READ store CONSTANT)
    Q_PROPERTY(Velmora::ChoreChanges *changes READ changes CONSTANT)
    Q_PROPERTY(Velmora::ChoreQueryModel *chores READ chores CONSTANT)
    Q_PROPERTY(Velmora::ChoreQueryModel *journal READ journal CONSTANT)
    Q_PROPERTY(Velmora::Sync::SyncAccount *sync READ syncAccount CONSTANT)
    Q_PROPERTY(Velmora::Household *household READ household CONSTANT)

public:
    struct Services {
        // Owned by the caller and outliving the app; null means the system's own.
        TimeChangeNotifier *timeChanges = nullptr;
        WidgetCenter *widgetCenter = nullptr;
        NotificationBus *notificationBus = nullptr;
        WallClockAlarm *alarm = nullptr;
        // False for a run beside the one that rings (a screenshot): it schedules and shows nothing.
        bool keepsReminders = true;
        // False for a run beside the one that syncs: it shows the account but never syncs.
        bool syncs = true;
    };

    // Opens the store at storePath and builds the app on it, its other files beside the store.
    // Null when the store did not open (result says why, error in a sentence): the program must stop.
    static std::unique_ptr<VelmoraApp> open(const QString &storePath, Services services,
                                            ChoreStore::OpenResult *result = nullptr, QString *error = nullptr);
    ~VelmoraApp() override;

    RefreshDay *refreshDay() { return &m_refreshDay; }
    NotificationsManager *notificationsManager() { return &m_notifications; }
    Reminders *reminders() { return &m_reminders; }
    Router *router() { return &m_router; }
    ChoreStore *store() const { return m_store.get(); }
    ChoreChanges *changes() { return &m_changes; }
    ChoreQueryModel *chores() { return &m_chores; }
    ChoreQueryModel *journal() { return &m_journal; }
    NearestChores &nearestChores() { return m_nearest; }
    WidgetSnapshot *widgetSnapshot() { return &m_widget; }
    Sync::SyncEngine *syncEngine() { return &m_syncEngine; }
    Sync::SyncAccount *syncAccount() { return &m_syncAccount; }
    Household *household() { return &m_household; }

    // The scene moved to another phase: leaving reloads the widget, coming back refreshes the
    // day and the notification settings. The phase the app starts in is not a change.
    void applicationStateChanged(Qt::ApplicationState state);

    // With no window, the widget cannot be reloaded on leaving it: changes reload it instead.
    void setWindowShown(bool shown);

    // Ends the process, window or not (Ctrl+Q, the tray's Quit).
    Q_INVOKABLE void quit() { emit quitRequested(); }

signals:
    void quitRequested();
    // Something outside the window (a notification) wants it shown.
    void windowWanted();

private:
    // Not default-constructible either: QML would build a second, empty app instead of asking
    // create() for this one.
    VelmoraApp(std::unique_ptr<ChoreStore> store, const QString &folder, Services services);

    std::unique_ptr<TimeChangeNotifier> m_ownedTimeChanges;
    TimeChangeNotifier &m_timeChanges;
    const std::unique_ptr<ChoreStore> m_store;
    RefreshDay m_refreshDay;
    Router m_router;
    ChoreChanges m_changes;
    ChoreQueryModel m_chores;
    ChoreQueryModel m_journal;
    NearestChores m_nearest;
    WidgetSnapshot m_widget;
    std::unique_ptr<NotificationBus> m_ownedNotificationBus;
    NotificationBus &m_notificationBus;
    std::unique_ptr<WallClockAlarm> m_ownedAlarm;
    // Who this device is, which the lists and the reminders filter by; the account, made later,
    // names it when nobody chose a name.
    Household m_household;
    Reminders m_reminders;
    NotificationsManager m_notifications;
    Sync::SyncEngine m_syncEngine;
    PasswordStore m_passwords;
    std::unique_ptr<Sync::SyncSchedule> m_syncSchedule;
    Sync::SyncAccount m_syncAccount;
    Qt::ApplicationState m_state = Qt::ApplicationActive;
};

} // namespace Velmora

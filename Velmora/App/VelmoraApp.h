#pragma once

#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/Router.h"
#include "Velmora/App/SyncAccount.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Notifications/NotificationsManager.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QtQml/qqmlregistration.h>

#include <memory>

class QQmlEngine;
class QJSEngine;

namespace Velmora {

class NotificationService;
class PasswordStore;
class ReminderScheduler;
class TimeChangeNotifier;
class WidgetCenter;
namespace Sync {
class SyncEngine;
}

// The app's shared objects, created once: the day clock, the notification settings, the
// router, the store with its two live queries and the one owner of changes to chores, and the
// reminders that follow the store. Screens reach them as the QML singleton App.
class VelmoraApp : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(App)
    QML_SINGLETON

    Q_PROPERTY(Velmora::RefreshDay *refreshDay READ refreshDay CONSTANT)
    Q_PROPERTY(Velmora::NotificationsManager *notifications READ notificationsManager CONSTANT)
    Q_PROPERTY(Velmora::Router *router READ router CONSTANT)
    Q_PROPERTY(Velmora::ChoreStore *store READ store CONSTANT)
    Q_PROPERTY(Velmora::ChoreChanges *changes READ changes CONSTANT)
    Q_PROPERTY(Velmora::ChoreQueryModel *chores READ chores CONSTANT)
    Q_PROPERTY(Velmora::ChoreQueryModel *journal READ journal CONSTANT)
    Q_PROPERTY(Velmora::SyncAccount *sync READ syncAccount CONSTANT)

public:
    struct Services {
        // Owned by the caller and outliving the app; null means the system's own.
        TimeChangeNotifier *timeChanges = nullptr;
        WidgetCenter *widgetCenter = nullptr;
        // Null: the desktop's, its file beside the store.
        NotificationService *notifications = nullptr;
        // False for a run beside the one that rings (a screenshot): it schedules and shows nothing.
        bool keepsReminders = true;
        // False for a run beside the one that syncs: it shows the account but never syncs.
        bool syncs = true;
    };

    // Deliberately not default-constructible: QML would build a second, empty app instead of
    // asking create() for this one.
    explicit VelmoraApp(Services services, QObject *parent = nullptr);
    ~VelmoraApp() override;

    // Opens the store and brings the reminders in line with it; anything but Opened means the
    // program must stop.
    ChoreStore::OpenResult open(const QString &storePath);

    RefreshDay *refreshDay() const { return m_refreshDay; }
    NotificationsManager *notificationsManager() const { return m_notifications; }
    Router *router() const { return m_router; }
    ChoreStore *store() const { return m_store; }
    ChoreChanges *changes() const { return m_changes; }
    ChoreQueryModel *chores() const { return m_chores; }
    ChoreQueryModel *journal() const { return m_journal; }
    WidgetCenter *widgetCenter() const { return m_widgetCenter; }
    Sync::SyncEngine *syncEngine() const { return m_syncEngine; }
    SyncAccount *syncAccount() const { return m_syncAccount; }

    // The scene moved to another phase: leaving reloads the widget, coming back refreshes the
    // day and the notification settings. The phase the app starts in is not a change.
    void applicationStateChanged(Qt::ApplicationState state);

    // With no window, the widget cannot be reloaded on leaving it: changes reload it instead.
    void setWindowShown(bool shown);

    // Ends the process, window or not (Ctrl+Q, the tray's Quit).
    Q_INVOKABLE void quit() { emit quitRequested(); }

    // What the widget program shows: the active chores due soonest.
    QByteArray widgetSnapshot(int limit = 8) const;

    // The one instance the QML singleton hands out.
    static void setInstance(VelmoraApp *app);
    static VelmoraApp *create(QQmlEngine *, QJSEngine *);

signals:
    void quitRequested();
    // Something outside the window (a notification) wants it shown.
    void windowWanted();

private:
    // A shown reminder's action: its detail screen, or finishing it.
    void onReminderAction(const QString &identifier, const QString &action);

    std::unique_ptr<TimeChangeNotifier> m_ownedTimeChanges;
    std::unique_ptr<WidgetCenter> m_ownedWidgetCenter;
    std::unique_ptr<NotificationService> m_ownedNotificationService;
    NotificationService *m_notificationService = nullptr;
    WidgetCenter *m_widgetCenter = nullptr;
    TimeChangeNotifier *m_timeChanges = nullptr;
    RefreshDay *m_refreshDay = nullptr;
    NotificationsManager *m_notifications = nullptr;
    Router *m_router = nullptr;
    ChoreStore *m_store = nullptr;
    ChoreChanges *m_changes = nullptr;
    ReminderScheduler *m_reminders = nullptr;
    Sync::SyncEngine *m_syncEngine = nullptr;
    PasswordStore *m_passwords = nullptr;
    SyncAccount *m_syncAccount = nullptr;
    ChoreQueryModel *m_chores = nullptr;
    ChoreQueryModel *m_journal = nullptr;
    bool m_keepsReminders = true;
    bool m_windowShown = false;
    QTimer m_widgetReload;
    Qt::ApplicationState m_state = Qt::ApplicationActive;
    bool m_stateKnown = false;
};

} // namespace Velmora

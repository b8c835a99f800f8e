#include "Velmora/App/VelmoraApp.h"

#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/NotificationBus.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Platform/WallClockAlarm.h"
#include "Velmora/Sync/SyncSchedule.h"

#include <QFileInfo>
#include <QGuiApplication>

namespace Velmora {

std::unique_ptr<VelmoraApp> VelmoraApp::open(const QString &storePath, Services services,
                                             ChoreStore::OpenResult *result, QString *error)
{
    auto store = std::make_unique<ChoreStore>();
    const ChoreStore::OpenResult opened = store->open(storePath);
    if (result)
        *result = opened;
    if (error)
        *error = store->lastError();
    if (opened != ChoreStore::OpenResult::Opened)
        return nullptr;
    return std::unique_ptr<VelmoraApp>(
        new VelmoraApp(std::move(store), QFileInfo(storePath).absolutePath(), std::move(services)));
}

VelmoraApp::VelmoraApp(std::unique_ptr<ChoreStore> store, const QString &folder, Services services)
    : m_ownedTimeChanges(services.timeChanges ? nullptr : std::make_unique<SystemTimeChangeNotifier>())
    , m_timeChanges(services.timeChanges ? *services.timeChanges : *m_ownedTimeChanges)
    , m_store(std::move(store))
    , m_refreshDay(&m_timeChanges)
    , m_changes(*m_store)
    , m_chores(m_store.get(), ChoreQueryModel::Kind::Active)
    , m_journal(m_store.get(), ChoreQueryModel::Kind::Journal)
    , m_nearest(m_chores, m_refreshDay)
    , m_widget(m_nearest, services.widgetCenter, folder + QStringLiteral("/widget-snapshot.json"))
    , m_ownedNotificationBus(services.notificationBus ? nullptr : std::make_unique<DBusNotificationBus>())
    , m_notificationBus(services.notificationBus ? *services.notificationBus : *m_ownedNotificationBus)
    , m_ownedAlarm(services.alarm ? nullptr : std::make_unique<TimerFdWallClockAlarm>())
    , m_household(m_changes)
    , m_reminders(m_changes, m_notificationBus, services.alarm ? *services.alarm : *m_ownedAlarm,
                  folder + QStringLiteral("/notifications.sqlite"), services.keepsReminders,
                  [this](const Chore *chore) { return m_household.remindsOf(chore); })
    , m_notifications(m_notificationBus)
    , m_syncEngine(m_changes)
    , m_passwords(QStringLiteral("Taskarello"))
    // The process that rings also syncs; a run beside it (a screenshot) leaves the network alone.
    , m_syncSchedule(services.keepsReminders ? std::make_unique<Sync::SyncSchedule>(m_syncEngine, *m_store) : nullptr)
    , m_syncAccount(m_syncEngine, m_passwords, services.syncs)
    , m_state(QGuiApplication::applicationState())
{
    // The tiles count from the app's day, and recount on each of its changes.
    m_chores.setToday(m_refreshDay.date());
    connect(&m_refreshDay, &RefreshDay::dateChanged, &m_chores, [this] { m_chores.setToday(m_refreshDay.date()); });
    // A new zone moves every reminder's minute; a resume wants the alarm checked.
    connect(&m_timeChanges, &TimeChangeNotifier::significantTimeChange, &m_reminders.queue(), &ReminderQueue::replan);
    connect(&m_reminders, &Reminders::choreWanted, this, [this](Chore *chore) {
        m_router.popToRoot();
        m_router.push(chore->isFinished() ? Router::JournalChore : Router::ViewChore, chore);
        emit windowWanted();
    });
    connect(&m_timeChanges, &TimeChangeNotifier::significantTimeChange, &m_syncEngine,
            [this] { m_syncEngine.setTimeZone(QTimeZone::systemTimeZone()); });
    // "Mine": for this device's member or for anyone. The main list, and so the tray's and the
    // widget's nearest chores, follow the filter; reminders their own setting.
    m_chores.setFilter([this](const Chore *chore) { return m_household.shows(chore); });
    connect(&m_household, &Household::mineOnlyChanged, &m_chores, &ChoreQueryModel::refilter);
    connect(&m_household, &Household::remindMineOnlyChanged, &m_reminders, &Reminders::refollow);
    connect(&m_household, &Household::meChanged, this, [this] {
        m_chores.refilter();
        m_reminders.refollow();
    });
    m_household.setAccount(&m_syncAccount);
    // The engine syncs what the store holds, open by now.
    m_syncAccount.start();
}

VelmoraApp::~VelmoraApp() = default;

void VelmoraApp::setWindowShown(bool shown)
{
    m_widget.setWindowShown(shown);
}

void VelmoraApp::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == m_state)
        return;
    m_state = state;
    switch (state) {
    case Qt::ApplicationInactive:
        m_widget.reload();
        break;
    case Qt::ApplicationActive:
        m_refreshDay.refresh(Clock::current().now());
        m_notifications.refreshSettings();
        break;
    default:
        break;
    }
}

} // namespace Velmora

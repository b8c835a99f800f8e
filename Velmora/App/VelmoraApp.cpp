#include "Velmora/App/VelmoraApp.h"

#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/RipestWidgetIntent.h"
#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Notifications/ReminderScheduler.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/DesktopNotificationService.h"
#include "Velmora/Platform/PasswordStore.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Platform/WidgetCenter.h"
#include "Velmora/Sync/SyncEngine.h"
#include "Velmora/Sync/SyncSchedule.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJSEngine>

namespace Velmora {

namespace {
VelmoraApp *g_instance = nullptr;
} // namespace

VelmoraApp::VelmoraApp(Services services, QObject *parent) : QObject(parent)
{
    TimeChangeNotifier *timeChanges = services.timeChanges;
    if (!timeChanges) {
        m_ownedTimeChanges = std::make_unique<SystemTimeChangeNotifier>();
        timeChanges = m_ownedTimeChanges.get();
    }
    m_timeChanges = timeChanges;
    m_refreshDay = new RefreshDay(timeChanges, this);
    m_router = new Router(this);
    m_store = new ChoreStore(this);
    m_changes = new ChoreChanges(*m_store, this);
    m_syncEngine = new Sync::SyncEngine(*m_changes, this);
    m_passwords = new PasswordStore(QStringLiteral("Taskarello"), this);
    m_syncAccount = new SyncAccount(*m_syncEngine, *m_passwords, services.syncs, this);
    m_widgetCenter = services.widgetCenter;
    m_notificationService = services.notifications;
    m_keepsReminders = services.keepsReminders;
    m_state = QGuiApplication::applicationState();
}

VelmoraApp::~VelmoraApp()
{
    if (g_instance == this)
        g_instance = nullptr;
    // It refers to the engine and the password store, our children made before it.
    delete m_syncAccount;
    // Both use the notification service, which may be ours and is gone before our children.
    delete m_reminders;
    delete m_notifications;
    if (m_notificationService)
        m_notificationService->onAction = nullptr;
}

ChoreStore::OpenResult VelmoraApp::open(const QString &storePath)
{
    const ChoreStore::OpenResult result = m_store->open(storePath);
    if (result != ChoreStore::OpenResult::Opened)
        return result;
    m_chores = new ChoreQueryModel(m_store, ChoreQueryModel::Kind::Active, this);
    m_journal = new ChoreQueryModel(m_store, ChoreQueryModel::Kind::Journal, this);
    // The tiles count from the app's day, and recount on each of its assignments.
    m_chores->setToday(m_refreshDay->date());
    connect(m_refreshDay, &RefreshDay::dateChanged, m_chores, [this] { m_chores->setToday(m_refreshDay->date()); });
    // A burst of changes (a restore, a sync) writes the snapshot once.
    m_widgetReload.setSingleShot(true);
    m_widgetReload.setInterval(1000);
    connect(&m_widgetReload, &QTimer::timeout, this, [this] {
        if (m_widgetCenter && !m_windowShown)
            m_widgetCenter->reloadAllTimelines();
    });
    const auto reloadLater = [this] {
        if (!m_windowShown)
            m_widgetReload.start();
    };
    connect(m_store, &ChoreStore::inserted, this, reloadLater);
    connect(m_store, &ChoreStore::changed, this, reloadLater);
    connect(m_store, &ChoreStore::removed, this, reloadLater);
    connect(m_refreshDay, &RefreshDay::dateChanged, this, reloadLater);
    const QString folder = QFileInfo(storePath).absolutePath();
    if (!m_notificationService) {
        auto desktop = std::make_unique<DesktopNotificationService>(folder + QStringLiteral("/notifications.sqlite"));
        // A new zone moves every reminder's minute; a resume wants the alarm checked.
        connect(m_timeChanges, &TimeChangeNotifier::significantTimeChange, desktop.get(),
                &DesktopNotificationService::replan);
        desktop->setDelivering(m_keepsReminders);
        m_notificationService = desktop.get();
        m_ownedNotificationService = std::move(desktop);
    }
    m_notifications = new NotificationsManager(*m_notificationService, this);
    m_notificationService->onAction = [this](const QString &identifier, const QString &action) {
        onReminderAction(identifier, action);
    };
    if (m_keepsReminders)
        m_reminders = new ReminderScheduler(*m_store, *m_notificationService, this);
    // The process that rings also syncs; a run beside it (a screenshot) leaves the network alone.
    if (m_keepsReminders)
        new Sync::SyncSchedule(*m_syncEngine, *m_store, this);
    connect(m_timeChanges, &TimeChangeNotifier::significantTimeChange, m_syncEngine,
            [this] { m_syncEngine->setTimeZone(QTimeZone::systemTimeZone()); });
    // Once the store is open: the engine syncs what it holds.
    m_syncAccount->start();
    if (!m_widgetCenter) {
        const QString snapshot = folder + QStringLiteral("/widget-snapshot.json");
        m_ownedWidgetCenter = std::make_unique<SnapshotWidgetCenter>(snapshot, [this] { return widgetSnapshot(); });
        m_widgetCenter = m_ownedWidgetCenter.get();
    }
    return result;
}

void VelmoraApp::setWindowShown(bool shown)
{
    m_windowShown = shown;
}

void VelmoraApp::onReminderAction(const QString &identifier, const QString &action)
{
    const QString prefix = NotificationsManager::notificationIdentifierPrefix();
    Chore *chore = identifier.startsWith(prefix) ? m_store->chore(identifier.mid(prefix.size()).toLongLong()) : nullptr;
    if (!chore)
        return;
    if (action == QLatin1String("finish")) {
        m_changes->finish(chore);
    } else if (action == QLatin1String("default")) {
        m_router->popToRoot();
        m_router->push(chore->isFinished() ? Router::JournalChore : Router::ViewChore, chore);
        emit windowWanted();
    }
}

void VelmoraApp::applicationStateChanged(Qt::ApplicationState state)
{
    if (state == m_state)
        return;
    m_state = state;
    switch (state) {
    case Qt::ApplicationInactive:
        if (m_widgetCenter)
            m_widgetCenter->reloadAllTimelines();
        break;
    case Qt::ApplicationActive:
        m_refreshDay->refresh(Clock::current().now());
        if (m_notifications)
            m_notifications->refreshSettings();
        break;
    default:
        break;
    }
}

QByteArray VelmoraApp::widgetSnapshot(int limit) const
{
    QJsonArray chores;
    if (m_chores) {
        const QDateTime today = ChoreDates::startOfDay(Clock::current().now());
        for (const Chore *chore : m_chores->rows()) {
            if (chores.size() >= limit)
                break;
            chores.append(QJsonObject{
                {QStringLiteral("id"), chore->persistentId()},
                {QStringLiteral("title"), chore->title()},
                {QStringLiteral("color"), chore->color().name(QColor::HexRgb)},
                {QStringLiteral("dueDate"), chore->dueDate().toUTC().toString(Qt::ISODate)},
                {QStringLiteral("daysLeft"), chore->daysUntilDue(today, true)},
                {QStringLiteral("timeLeft"), chore->timeLeftText(today, true, false)},
            });
        }
    }
    const QJsonObject intent{{QStringLiteral("identifier"), RipestWidgetIntent::persistentIdentifier()},
                             {QStringLiteral("title"), RipestWidgetIntent::title()}};
    const QJsonObject root{{QStringLiteral("version"), 1},
                           {QStringLiteral("written"), Clock::current().now().toUTC().toString(Qt::ISODate)},
                           {QStringLiteral("intent"), intent},
                           {QStringLiteral("chores"), chores}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

void VelmoraApp::setInstance(VelmoraApp *app)
{
    g_instance = app;
}

VelmoraApp *VelmoraApp::create(QQmlEngine *, QJSEngine *)
{
    Q_ASSERT(g_instance);
    // The app owns itself; QML only borrows it.
    QJSEngine::setObjectOwnership(g_instance, QJSEngine::CppOwnership);
    return g_instance;
}

} // namespace Velmora

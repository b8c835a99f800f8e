#include "Velmora/App/VelmoraApp.h"

#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/RipestWidgetIntent.h"
#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Platform/WidgetCenter.h"

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
    m_refreshDay = new RefreshDay(timeChanges, this);
    m_notifications = new NotificationsManager(this);
    m_router = new Router(this);
    m_store = new ChoreStore(this);
    m_widgetCenter = services.widgetCenter;
    m_state = QGuiApplication::applicationState();
}

VelmoraApp::~VelmoraApp()
{
    if (g_instance == this)
        g_instance = nullptr;
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
    if (!m_widgetCenter) {
        const QString snapshot = QFileInfo(storePath).absolutePath() + QStringLiteral("/widget-snapshot.json");
        m_ownedWidgetCenter = std::make_unique<SnapshotWidgetCenter>(snapshot, [this] { return widgetSnapshot(); });
        m_widgetCenter = m_ownedWidgetCenter.get();
    }
    return result;
}

bool VelmoraApp::finish(Chore *chore)
{
    if (!chore || !m_store->finish(chore))
        return false;
    NotificationsManager::withdrawNotification(*chore);
    return true;
}

bool VelmoraApp::remove(Chore *chore)
{
    if (!chore)
        return false;
    // The identifier comes from the chore, so it is taken while the chore is still there.
    const QString identifier = NotificationsManager::notificationIdentifier(*chore);
    if (!m_store->remove(chore))
        return false;
    NotificationsManager::withdrawNotification(identifier);
    return true;
}

void VelmoraApp::scheduleAllReminders()
{
    for (const Chore *chore : m_chores->rows()) {
        NotificationsManager::withdrawNotification(*chore);
        NotificationsManager::scheduleNotification(*chore);
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

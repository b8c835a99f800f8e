#include "Velmora/App/Tray.h"

#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Platform/ApplicationBus.h"
#include "Velmora/Platform/Clock.h"

namespace Velmora {

Tray::Tray(VelmoraApp &app, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_item(bus, QString::fromLatin1(ApplicationBus::appId), tr("Taskarello"),
             QString::fromLatin1(ApplicationBus::appId))
{
    m_item.setToolTip(tr("Taskarello"), tr("Chores that fall due on a day"));
    // One rebuild for a burst of changes.
    m_refresh.setSingleShot(true);
    m_refresh.setInterval(200);
    connect(&m_refresh, &QTimer::timeout, this, &Tray::refresh);
    const auto later = [this] { m_refresh.start(); };
    connect(app.store(), &ChoreStore::inserted, this, later);
    connect(app.store(), &ChoreStore::changed, this, later);
    connect(app.store(), &ChoreStore::removed, this, later);
    connect(app.refreshDay(), &RefreshDay::dateChanged, this, later);
    connect(&m_item, &StatusNotifierItem::activated, this, &Tray::openRequested);
    connect(&m_item, &StatusNotifierItem::menuItemTriggered, this, &Tray::onTriggered);
    refresh();
}

QList<TrayMenuItem> Tray::items() const
{
    return m_item.menu().items();
}

void Tray::refresh()
{
    QList<TrayMenuItem> items;
    m_chores.clear();
    const QDateTime today = ChoreDates::startOfDay(Clock::current().now());
    int id = FirstChoreId;
    for (Chore *chore : m_app.chores()->rows()) {
        if (id - FirstChoreId >= shownChores)
            break;
        //: A chore in the tray menu: its title, then how long is left ("today", "3 days").
        items << TrayMenuItem::action(id, tr("%1 — %2").arg(chore->title(), chore->timeLeftText(today, true, false)));
        m_chores.insert(id++, chore);
    }
    if (!items.isEmpty())
        items << TrayMenuItem::separator();
    items << TrayMenuItem::action(OpenId, tr("Open Taskarello")) << TrayMenuItem::action(QuitId, tr("Quit"));
    m_item.setItems(items);
}

void Tray::onTriggered(int id)
{
    if (id == QuitId) {
        m_app.quit();
        return;
    }
    if (Chore *chore = m_chores.value(id)) {
        m_app.router()->popToRoot();
        m_app.router()->push(Router::ViewChore, chore);
    }
    emit openRequested();
}

} // namespace Velmora

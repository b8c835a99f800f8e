#include "Velmora/App/Tray.h"

#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Platform/AppIcon.h"
#include "Velmora/Platform/ApplicationBus.h"

namespace Velmora {

Tray::Tray(VelmoraApp &app, const QDBusConnection &bus, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_item(bus, QString::fromLatin1(ApplicationBus::appId), tr("Taskarello"),
             QString::fromLatin1(ApplicationBus::appId))
{
    m_item.setToolTip(tr("Taskarello"), tr("Chores that fall due on a day"));
    // Where no theme holds the icon (a run from the build folder) the host draws these.
    m_item.setIconImages(&AppIcon::images);
    connect(&app.nearestChores(), &NearestChores::changed, this, &Tray::refresh);
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
    int id = FirstChoreId;
    for (const NearestChores::Entry &entry : m_app.nearestChores().first(shownChores)) {
        //: A chore in the tray menu: its title, then how long is left ("today", "3 days").
        items << TrayMenuItem::action(id, tr("%1 — %2").arg(Chore::shownTitle(entry.chore->title()), entry.timeLeft));
        m_chores.insert(id++, entry.chore);
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

#pragma once

#include "Velmora/Platform/StatusNotifierItem.h"

#include <QHash>
#include <QObject>
#include <QPointer>

namespace Velmora {

class Chore;
class VelmoraApp;

// The app's tray icon: the nearest active chores with their time-left texts, as the widget
// shows them, then "Open Taskarello" and "Quit". It follows them as they change.
class Tray : public QObject {
    Q_OBJECT
public:
    static constexpr int shownChores = 5;

    Tray(VelmoraApp &app, const QDBusConnection &bus, QObject *parent = nullptr);

    // The menu as it stands (tests, and the first fill).
    QList<TrayMenuItem> items() const;
    const StatusNotifierItem &item() const { return m_item; }

signals:
    // Open the window, on the page the router now holds.
    void openRequested();

private:
    enum Id { OpenId = 1, QuitId = 2, FirstChoreId = 100 };
    void refresh();
    void onTriggered(int id);

    VelmoraApp &m_app;
    StatusNotifierItem m_item;
    QHash<int, QPointer<Chore>> m_chores;
};

} // namespace Velmora

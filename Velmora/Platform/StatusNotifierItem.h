#pragma once

#include "Velmora/Platform/TrayMenu.h"

#include <QDBusConnection>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QDBusMessage;
class QDBusServiceWatcher;

namespace Velmora {

class DBusMenuAdaptor;
class StatusNotifierItemAdaptor;

// The app's icon in the desktop's tray: org.kde.StatusNotifierItem at /StatusNotifierItem with
// its menu as com.canonical.dbusmenu at /MenuBar, announced to org.kde.StatusNotifierWatcher
// whenever one is on the bus. Every call it makes is asynchronous; without a bus it only keeps
// its values. One item per connection.
class StatusNotifierItem : public QObject {
    Q_OBJECT
public:
    static constexpr int callTimeoutMs = 5000;
    static inline const QString itemPath = QStringLiteral("/StatusNotifierItem");
    static inline const QString menuPath = QStringLiteral("/MenuBar");
    static inline const QString watcherService = QStringLiteral("org.kde.StatusNotifierWatcher");

    // On the session bus, when one is configured.
    StatusNotifierItem(const QString &applicationId, const QString &title, const QString &iconName,
                       QObject *parent = nullptr);
    // `applicationId` is reverse-DNS, e.g. "org.taskarello.Taskarello"; `iconName` a theme icon.
    StatusNotifierItem(const QDBusConnection &bus, const QString &applicationId, const QString &title,
                       const QString &iconName, QObject *parent = nullptr);
    ~StatusNotifierItem() override;

    QString applicationId() const { return m_applicationId; }
    QString title() const { return m_title; }
    void setTitle(const QString &title);
    QString iconName() const { return m_iconName; }
    void setIconName(const QString &iconName);
    // The icon's pictures, for hosts that find no icon by that name; each size once. Drawn when
    // a host first asks: without a tray host they are never read.
    QList<QImage> iconImages() const;
    void setIconImages(std::function<QList<QImage>()> draw);
    QString toolTipTitle() const { return m_toolTipTitle; }
    QString toolTipText() const { return m_toolTipText; }
    void setToolTip(const QString &title, const QString &text);

    // Replaces the whole menu; the tray host is told only when something changed.
    void setItems(const QList<TrayMenuItem> &items);
    const TrayMenu &menu() const { return m_menu; }

    // The bus name the item is known by: empty until the bus has answered.
    QString serviceName() const { return m_serviceName; }
    // True while the watcher has accepted the item.
    bool isRegistered() const { return m_registered; }

signals:
    // The icon itself was clicked.
    void activated();
    // The user picked the action with this id from the menu.
    void menuItemTriggered(int id);
    void registeredChanged(bool registered);

private:
    friend class DBusMenuAdaptor;
    friend class StatusNotifierItemAdaptor;

    void call(const QDBusMessage &message, std::function<void(const QDBusMessage &reply)> done);
    void requestName();
    void registerWithWatcher();
    void setRegistered(bool registered);
    // Emitted from the event loop so a handler may delete the item.
    void activateLater();
    void triggerLater(int id);

    QDBusConnection m_bus;
    QString m_applicationId;
    QString m_title;
    QString m_iconName;
    std::function<QList<QImage>()> m_drawIcon;
    mutable std::optional<QList<QImage>> m_iconImages;
    QString m_toolTipTitle;
    QString m_toolTipText;
    TrayMenu m_menu;
    QString m_wantedName;
    QString m_serviceName;
    bool m_exported = false;
    bool m_registered = false;
    QObject *m_menuObject = nullptr;
    StatusNotifierItemAdaptor *m_itemAdaptor = nullptr;
    DBusMenuAdaptor *m_menuAdaptor = nullptr;
    QDBusServiceWatcher *m_watcher = nullptr;
};

} // namespace Velmora

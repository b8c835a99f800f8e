#include "Velmora/Platform/StatusNotifierItem.h"

#include "Velmora/Platform/Logging.h"
#include "Velmora/Platform/SessionBus.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QFileInfo>
#include <QLocale>
#include <QtEndian>

#include <functional>

// The structures the two protocols put on the wire, with their D-Bus signatures. Adaptor
// signatures spell the lists out: Qt DBus finds a slot's types by name, and the aliases
// below have none of their own.
namespace Velmora::TrayDBus {

// (iiay): ARGB32 in network byte order.
struct Image {
    int width = 0;
    int height = 0;
    QByteArray pixels;
};
using ImageList = QList<Image>;

// (sa(iiay)ss)
struct ToolTip {
    QString iconName;
    ImageList images;
    QString title;
    QString text;
};

// (ia{sv}av): the children are variants holding the same structure.
struct MenuLayout {
    int id = 0;
    QVariantMap properties;
    QVariantList children;
};

// (ia{sv})
struct MenuItem {
    int id = 0;
    QVariantMap properties;
};
using MenuItemList = QList<MenuItem>;

// (ias)
struct MenuItemKeys {
    int id = 0;
    QStringList names;
};
using MenuItemKeysList = QList<MenuItemKeys>;

// (isvu)
struct MenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
using MenuEventList = QList<MenuEvent>;

QDBusArgument &operator<<(QDBusArgument &arg, const Image &image)
{
    arg.beginStructure();
    arg << image.width << image.height << image.pixels;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, Image &image)
{
    arg.beginStructure();
    arg >> image.width >> image.height >> image.pixels;
    arg.endStructure();
    return arg;
}

QDBusArgument &operator<<(QDBusArgument &arg, const ToolTip &tip)
{
    arg.beginStructure();
    arg << tip.iconName << tip.images << tip.title << tip.text;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, ToolTip &tip)
{
    arg.beginStructure();
    arg >> tip.iconName >> tip.images >> tip.title >> tip.text;
    arg.endStructure();
    return arg;
}

QDBusArgument &operator<<(QDBusArgument &arg, const MenuLayout &layout)
{
    arg.beginStructure();
    arg << layout.id << layout.properties;
    arg.beginArray(QMetaType::fromType<QDBusVariant>());
    for (const QVariant &child : layout.children)
        arg << QDBusVariant(child);
    arg.endArray();
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, MenuLayout &layout)
{
    arg.beginStructure();
    arg >> layout.id >> layout.properties;
    layout.children.clear();
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        layout.children.append(child.variant());
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

QDBusArgument &operator<<(QDBusArgument &arg, const MenuItem &item)
{
    arg.beginStructure();
    arg << item.id << item.properties;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, MenuItem &item)
{
    arg.beginStructure();
    arg >> item.id >> item.properties;
    arg.endStructure();
    return arg;
}

QDBusArgument &operator<<(QDBusArgument &arg, const MenuItemKeys &keys)
{
    arg.beginStructure();
    arg << keys.id << keys.names;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, MenuItemKeys &keys)
{
    arg.beginStructure();
    arg >> keys.id >> keys.names;
    arg.endStructure();
    return arg;
}

QDBusArgument &operator<<(QDBusArgument &arg, const MenuEvent &event)
{
    arg.beginStructure();
    arg << event.id << event.eventId << event.data << event.timestamp;
    arg.endStructure();
    return arg;
}

const QDBusArgument &operator>>(const QDBusArgument &arg, MenuEvent &event)
{
    arg.beginStructure();
    arg >> event.id >> event.eventId >> event.data >> event.timestamp;
    arg.endStructure();
    return arg;
}

} // namespace Velmora::TrayDBus

Q_DECLARE_METATYPE(Velmora::TrayDBus::Image)
Q_DECLARE_METATYPE(Velmora::TrayDBus::ToolTip)
Q_DECLARE_METATYPE(Velmora::TrayDBus::MenuLayout)
Q_DECLARE_METATYPE(Velmora::TrayDBus::MenuItem)
Q_DECLARE_METATYPE(Velmora::TrayDBus::MenuItemKeys)
Q_DECLARE_METATYPE(Velmora::TrayDBus::MenuEvent)

namespace Velmora {

namespace {

const QString busService = QStringLiteral("org.freedesktop.DBus");
const QString busPath = QStringLiteral("/org/freedesktop/DBus");
const QString watcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString clickedEvent = QStringLiteral("clicked");

void registerTypes()
{
    static const bool registered = [] {
        using namespace TrayDBus;
        qDBusRegisterMetaType<Image>();
        qDBusRegisterMetaType<ImageList>();
        qDBusRegisterMetaType<ToolTip>();
        qDBusRegisterMetaType<MenuLayout>();
        qDBusRegisterMetaType<MenuItem>();
        qDBusRegisterMetaType<MenuItemList>();
        qDBusRegisterMetaType<MenuItemKeys>();
        qDBusRegisterMetaType<MenuItemKeysList>();
        qDBusRegisterMetaType<MenuEvent>();
        qDBusRegisterMetaType<MenuEventList>();
        return true;
    }();
    Q_UNUSED(registered)
}

} // namespace

// org.kde.StatusNotifierItem on the item itself.
class StatusNotifierItemAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ none)
    Q_PROPERTY(QString IconName READ iconName)
    Q_PROPERTY(QList<Velmora::TrayDBus::Image> IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ none)
    Q_PROPERTY(QList<Velmora::TrayDBus::Image> OverlayIconPixmap READ noImages)
    Q_PROPERTY(QString AttentionIconName READ none)
    Q_PROPERTY(QList<Velmora::TrayDBus::Image> AttentionIconPixmap READ noImages)
    Q_PROPERTY(QString AttentionMovieName READ none)
    Q_PROPERTY(Velmora::TrayDBus::ToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    explicit StatusNotifierItemAdaptor(StatusNotifierItem *item)
        : QDBusAbstractAdaptor(item)
        , m_item(item)
    {
    }

    QString category() const { return QStringLiteral("ApplicationStatus"); }
    QString id() const { return m_item->applicationId(); }
    QString title() const { return m_item->title(); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString none() const { return {}; }
    QString iconName() const { return m_item->iconName(); }
    TrayDBus::ImageList noImages() const { return {}; }
    TrayDBus::ImageList iconPixmap() const
    {
        TrayDBus::ImageList out;
        for (const QImage &picture : m_item->iconImages()) {
            // ARGB32 as the protocol has it: alpha first, in network byte order, not premultiplied.
            const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
            QByteArray pixels(qsizetype(argb.width()) * argb.height() * 4, Qt::Uninitialized);
            auto *to = reinterpret_cast<uchar *>(pixels.data());
            for (int y = 0; y < argb.height(); ++y) {
                const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
                for (int x = 0; x < argb.width(); ++x, to += 4)
                    qToBigEndian<quint32>(line[x], to);
            }
            out.append({argb.width(), argb.height(), pixels});
        }
        return out;
    }
    TrayDBus::ToolTip toolTip() const
    {
        return {{}, {}, m_item->toolTipTitle(), m_item->toolTipText()};
    }
    // False: a click activates the app, the menu opens on the other button.
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(StatusNotifierItem::menuPath); }

public slots:
    void Activate(int x, int y)
    {
        Q_UNUSED(x)
        Q_UNUSED(y)
        m_item->activateLater();
    }
    void SecondaryActivate(int x, int y)
    {
        Q_UNUSED(x)
        Q_UNUSED(y)
    }
    // Hosts show the exported menu themselves.
    void ContextMenu(int x, int y)
    {
        Q_UNUSED(x)
        Q_UNUSED(y)
    }
    void Scroll(int delta, const QString &orientation)
    {
        Q_UNUSED(delta)
        Q_UNUSED(orientation)
    }

signals:
    void NewTitle();
    void NewIcon();
    void NewAttentionIcon();
    void NewOverlayIcon();
    void NewToolTip();
    void NewStatus(const QString &status);

private:
    StatusNotifierItem *m_item;
};

// The object at the menu path. Qt hands the calling message to the adaptor's parent, so the
// context lives here.
class DBusMenuHost : public QObject, public QDBusContext {
    Q_OBJECT
public:
    using QObject::QObject;
};

// com.canonical.dbusmenu (version 3).
class DBusMenuAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    DBusMenuAdaptor(StatusNotifierItem *item, DBusMenuHost *host)
        : QDBusAbstractAdaptor(host)
        , m_item(item)
        , m_host(host)
    {
    }

    uint version() const { return 3; }
    QString textDirection() const
    {
        return QLocale().textDirection() == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr");
    }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames,
                   Velmora::TrayDBus::MenuLayout &layout)
    {
        const TrayMenu &menu = m_item->menu();
        if (!menu.contains(parentId)) {
            unknownId(parentId);
            return 0;
        }
        layout.id = parentId;
        layout.properties = menu.properties(parentId, propertyNames);
        // The menu is flat: only the root has children.
        if (parentId == TrayMenu::rootId && recursionDepth != 0) {
            for (int id : menu.childIds()) {
                const TrayDBus::MenuLayout child{id, menu.properties(id, propertyNames), {}};
                layout.children.append(QVariant::fromValue(child));
            }
        }
        return menu.revision();
    }

    QList<Velmora::TrayDBus::MenuItem> GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames)
    {
        const TrayMenu &menu = m_item->menu();
        QList<int> wanted = ids;
        if (wanted.isEmpty())
            wanted = QList<int>{TrayMenu::rootId} + menu.childIds();
        TrayDBus::MenuItemList items;
        for (int id : std::as_const(wanted)) {
            if (menu.contains(id))
                items.append({id, menu.properties(id, propertyNames)});
        }
        return items;
    }

    QDBusVariant GetProperty(int id, const QString &name)
    {
        const QVariantMap properties = m_item->menu().properties(id, {name});
        if (!m_item->menu().contains(id))
            unknownId(id);
        else if (properties.isEmpty())
            refuse(QStringLiteral("No property %1 on item %2").arg(name).arg(id));
        return QDBusVariant(properties.value(name, QString()));
    }

    void Event(int id, const QString &eventId, const QDBusVariant &data, uint timestamp)
    {
        Q_UNUSED(data)
        Q_UNUSED(timestamp)
        if (!m_item->menu().contains(id))
            return unknownId(id);
        handle(id, eventId);
    }

    QList<int> EventGroup(const QList<Velmora::TrayDBus::MenuEvent> &events)
    {
        QList<int> idErrors;
        for (const TrayDBus::MenuEvent &event : events) {
            if (m_item->menu().contains(event.id))
                handle(event.id, event.eventId);
            else
                idErrors.append(event.id);
        }
        if (!events.isEmpty() && idErrors.size() == events.size())
            refuse(QStringLiteral("None of the items exist"));
        return idErrors;
    }

    // The menu is always up to date: the host need not fetch it again.
    bool AboutToShow(int id)
    {
        Q_UNUSED(id)
        return false;
    }

    QList<int> AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
    {
        for (int id : ids) {
            if (!m_item->menu().contains(id))
                idErrors.append(id);
        }
        return {};
    }

signals:
    void LayoutUpdated(uint revision, int parent);
    void ItemsPropertiesUpdated(const QList<Velmora::TrayDBus::MenuItem> &updatedProps,
                                const QList<Velmora::TrayDBus::MenuItemKeys> &removedProps);
    void ItemActivationRequested(int id, uint timestamp);

private:
    void handle(int id, const QString &eventId)
    {
        if (eventId != clickedEvent)
            return;
        if (const int action = m_item->menu().actionFor(id))
            m_item->triggerLater(action);
    }

    void unknownId(int id) { refuse(QStringLiteral("No menu item %1").arg(id)); }

    void refuse(const QString &why)
    {
        if (m_host->calledFromDBus())
            m_host->sendErrorReply(QDBusError::InvalidArgs, why);
    }

    StatusNotifierItem *m_item;
    DBusMenuHost *m_host;
};

StatusNotifierItem::StatusNotifierItem(const QString &applicationId, const QString &title, const QString &iconName,
                                       QObject *parent)
    : StatusNotifierItem(sessionBusIfAny(), applicationId, title, iconName, parent)
{
}

StatusNotifierItem::StatusNotifierItem(const QDBusConnection &bus, const QString &applicationId, const QString &title,
                                       const QString &iconName, QObject *parent)
    : QObject(parent)
    , m_bus(bus)
    , m_applicationId(applicationId)
    , m_title(title)
    , m_iconName(iconName)
{
    registerTypes();
    m_itemAdaptor = new StatusNotifierItemAdaptor(this);
    auto *menuHost = new DBusMenuHost(this);
    m_menuObject = menuHost;
    m_menuAdaptor = new DBusMenuAdaptor(this, menuHost);
    if (!m_bus.isConnected())
        return;
    // Both paths are taken when a second item shares the connection: that one stays off the bus.
    m_exported = m_bus.registerObject(itemPath, this, QDBusConnection::ExportAdaptors);
    if (m_exported && !m_bus.registerObject(menuPath, m_menuObject, QDBusConnection::ExportAdaptors)) {
        m_bus.unregisterObject(itemPath);
        m_exported = false;
    }
    if (!m_exported) {
        qCInfo(logTray) << "No tray icon: another item holds its paths on this bus connection";
        return;
    }

    // The watcher forgets every item when it restarts (the desktop shell crashed or was
    // replaced): register again each time it appears.
    m_watcher = new QDBusServiceWatcher(watcherService, m_bus,
                                        QDBusServiceWatcher::WatchForRegistration
                                            | QDBusServiceWatcher::WatchForUnregistration,
                                        this);
    connect(m_watcher, &QDBusServiceWatcher::serviceRegistered, this, &StatusNotifierItem::registerWithWatcher);
    connect(m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { setRegistered(false); });
    requestName();
}

StatusNotifierItem::~StatusNotifierItem()
{
    if (!m_exported)
        return;
    m_bus.unregisterObject(itemPath);
    m_bus.unregisterObject(menuPath);
    // Watchers drop an item when its name goes; without this the icon would stay until the
    // connection closes. Also after a request still under way: the bus keeps their order.
    if (!m_wantedName.isEmpty()) {
        QDBusMessage release = QDBusMessage::createMethodCall(busService, busPath, busService,
                                                              QStringLiteral("ReleaseName"));
        release << m_wantedName;
        m_bus.send(release);
    }
}

void StatusNotifierItem::call(const QDBusMessage &message, std::function<void(const QDBusMessage &)> done)
{
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, callTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [done = std::move(done)](QDBusPendingCallWatcher *w) {
        w->deleteLater();
        done(w->reply());
    });
}

void StatusNotifierItem::requestName()
{
    static int itemsInProcess = 0;
    m_wantedName = QStringLiteral("org.kde.StatusNotifierItem-%1-%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(++itemsInProcess);
    constexpr uint doNotQueue = 4;
    QDBusMessage request =
        QDBusMessage::createMethodCall(busService, busPath, busService, QStringLiteral("RequestName"));
    request << m_wantedName << doNotQueue;
    call(request, [this](const QDBusMessage &reply) {
        constexpr uint primaryOwner = 1;
        constexpr uint alreadyOwner = 4;
        const uint result = reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty()
            ? reply.arguments().constFirst().toUInt()
            : 0;
        const bool owned = result == primaryOwner || result == alreadyOwner;
        // Watchers also take the connection's own name; the item then lives as long as it.
        m_serviceName = owned ? m_wantedName : m_bus.baseService();
        if (!owned)
            m_wantedName.clear();
        registerWithWatcher();
    });
}

void StatusNotifierItem::registerWithWatcher()
{
    if (m_serviceName.isEmpty())
        return; // the answer to the name request registers
    QDBusMessage message = QDBusMessage::createMethodCall(watcherService, watcherPath, watcherService,
                                                          QStringLiteral("RegisterStatusNotifierItem"));
    message << m_serviceName;
    // An absent watcher is no reason to start programs.
    message.setAutoStartService(false);
    call(message, [this](const QDBusMessage &reply) {
        if (reply.type() == QDBusMessage::ReplyMessage)
            setRegistered(true);
        else
            qCDebug(logTray).noquote() << "No tray host took the icon:" << reply.errorMessage();
    });
}

void StatusNotifierItem::setRegistered(bool registered)
{
    if (m_registered == registered)
        return;
    m_registered = registered;
    emit registeredChanged(registered);
}

void StatusNotifierItem::setTitle(const QString &title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit m_itemAdaptor->NewTitle();
}

QList<QImage> StatusNotifierItem::iconImages() const
{
    if (!m_iconImages)
        m_iconImages = m_drawIcon ? m_drawIcon() : QList<QImage>();
    return *m_iconImages;
}

void StatusNotifierItem::setIconImages(std::function<QList<QImage>()> draw)
{
    m_drawIcon = std::move(draw);
    m_iconImages.reset();
    emit m_itemAdaptor->NewIcon();
}

void StatusNotifierItem::setIconName(const QString &iconName)
{
    if (m_iconName == iconName)
        return;
    m_iconName = iconName;
    emit m_itemAdaptor->NewIcon();
}

void StatusNotifierItem::setToolTip(const QString &title, const QString &text)
{
    if (m_toolTipTitle == title && m_toolTipText == text)
        return;
    m_toolTipTitle = title;
    m_toolTipText = text;
    emit m_itemAdaptor->NewToolTip();
}

void StatusNotifierItem::setItems(const QList<TrayMenuItem> &items)
{
    // Unchanged lists stay quiet: the owner may refresh often, and every signal wakes the host.
    if (m_menu.setItems(items))
        emit m_menuAdaptor->LayoutUpdated(m_menu.revision(), TrayMenu::rootId);
}

void StatusNotifierItem::activateLater()
{
    QMetaObject::invokeMethod(this, &StatusNotifierItem::activated, Qt::QueuedConnection);
}

void StatusNotifierItem::triggerLater(int id)
{
    QMetaObject::invokeMethod(this, [this, id] { emit menuItemTriggered(id); }, Qt::QueuedConnection);
}

} // namespace Velmora

#include "StatusNotifierItem.moc"

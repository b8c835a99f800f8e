#include "Velmora/Platform/StatusNotifierItem.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace Velmora;

namespace {

const QString itemInterface = QStringLiteral("org.kde.StatusNotifierItem");
const QString menuInterface = QStringLiteral("com.canonical.dbusmenu");
const QString propertiesInterface = QStringLiteral("org.freedesktop.DBus.Properties");
const QString appId = QStringLiteral("org.taskarello.Taskarello");

// The desktop shell's watcher, reduced to remembering who registered.
class FakeStatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
public:
    QStringList registered;

public slots:
    Q_SCRIPTABLE void RegisterStatusNotifierItem(const QString &service) { registered.append(service); }
};

class LayoutUpdates : public QObject {
    Q_OBJECT
public:
    QList<uint> revisions;

public slots:
    void record(uint revision, int parent)
    {
        if (parent == TrayMenu::rootId)
            revisions.append(revision);
    }
};

QString signatureOf(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusArgument>())
        return value.value<QDBusArgument>().currentSignature();
    return QString::fromLatin1(QDBusMetaType::typeToSignature(value.metaType()));
}

int readImages(const QDBusArgument &arg)
{
    int count = 0;
    arg.beginArray();
    while (!arg.atEnd()) {
        int width = 0;
        int height = 0;
        QByteArray pixels;
        arg.beginStructure();
        arg >> width >> height >> pixels;
        arg.endStructure();
        ++count;
    }
    arg.endArray();
    return count;
}

// A property value as text, reading the composite ones the way a tray host does.
QString render(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<QDBusObjectPath>())
        return value.value<QDBusObjectPath>().path();
    if (value.metaType() == QMetaType::fromType<QStringList>())
        return value.toStringList().join(QLatin1Char(','));
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return value.toString();
    const QDBusArgument arg = value.value<QDBusArgument>();
    const QString signature = arg.currentSignature();
    if (signature == QLatin1String("a(iiay)"))
        return QStringLiteral("%1 images").arg(readImages(arg));
    if (signature == QLatin1String("(sa(iiay)ss)")) {
        QString icon;
        QString title;
        QString text;
        arg.beginStructure();
        arg >> icon;
        const int images = readImages(arg);
        arg >> title >> text;
        arg.endStructure();
        return QStringLiteral("%1|%2 images|%3|%4").arg(icon).arg(images).arg(title, text);
    }
    return QStringLiteral("unread %1").arg(signature);
}

// "id key=value key=value" for one node of a dbusmenu layout, then its children.
void renderLayout(const QDBusArgument &arg, QStringList &lines)
{
    int id = -1;
    QVariantMap properties;
    arg.beginStructure();
    arg >> id >> properties;
    QStringList line{QString::number(id)};
    for (auto it = properties.cbegin(); it != properties.cend(); ++it)
        line.append(it.key() + QLatin1Char('=') + it.value().toString());
    lines.append(line.join(QLatin1Char(' ')));
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant child;
        arg >> child;
        renderLayout(child.variant().value<QDBusArgument>(), lines);
    }
    arg.endArray();
    arg.endStructure();
}

class StatusNotifierItemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.isRunning()) << "dbus-daemon did not start";
        itemBus = bus.connect(QStringLiteral("tray-item"));
        client = bus.connect(QStringLiteral("tray-client"));
        ASSERT_TRUE(itemBus.isConnected());
        ASSERT_TRUE(client.isConnected());
    }

    StatusNotifierItem &makeItem()
    {
        item = std::make_unique<StatusNotifierItem>(itemBus, appId, QStringLiteral("Taskarello"), appId);
        EXPECT_TRUE(VelmoraTest::waitFor([&] { return !item->serviceName().isEmpty(); }, 5000));
        return *item;
    }

    // The item answers on this thread, so the client waits in a local event loop.
    QDBusMessage call(const QString &service, const QString &path, const QString &interface, const QString &method,
                      const QVariantList &arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        return client.call(message, QDBus::BlockWithGui, 5000);
    }

    QDBusMessage callMenu(const QString &method, const QVariantList &arguments)
    {
        return call(item->serviceName(), StatusNotifierItem::menuPath, menuInterface, method, arguments);
    }

    // One more round trip, so whatever the item queued before has run.
    void settle()
    {
        QCoreApplication::processEvents();
        call(item->serviceName(), StatusNotifierItem::menuPath, propertiesInterface, QStringLiteral("Get"),
             {menuInterface, QStringLiteral("Version")});
        QCoreApplication::processEvents();
    }

    VelmoraTest::PrivateBus bus;
    QDBusConnection itemBus{QString()};
    QDBusConnection client{QString()};
    std::unique_ptr<StatusNotifierItem> item;
};

// What hosts read with GetAll, with the D-Bus types they insist on.
TEST_F(StatusNotifierItemTest, HostsReadEveryPropertyWithItsWireType)
{
    makeItem().setToolTip(QStringLiteral("Taskarello"), QStringLiteral("Water plants: today"));
    struct Case {
        QString path;
        QString interface;
        const char *name;
        const char *signature;
        QString value;
    };
    const QString itemPath = StatusNotifierItem::itemPath;
    const QString menuPath = StatusNotifierItem::menuPath;
    const Case cases[] = {
        {itemPath, itemInterface, "Category", "s", QStringLiteral("ApplicationStatus")},
        {itemPath, itemInterface, "Id", "s", appId},
        {itemPath, itemInterface, "Title", "s", QStringLiteral("Taskarello")},
        {itemPath, itemInterface, "Status", "s", QStringLiteral("Active")},
        {itemPath, itemInterface, "IconName", "s", appId},
        {itemPath, itemInterface, "IconPixmap", "a(iiay)", QStringLiteral("0 images")},
        {itemPath, itemInterface, "ToolTip", "(sa(iiay)ss)",
         QStringLiteral("|0 images|Taskarello|Water plants: today")},
        {itemPath, itemInterface, "ItemIsMenu", "b", QStringLiteral("false")},
        {itemPath, itemInterface, "Menu", "o", menuPath},
        {menuPath, menuInterface, "Version", "u", QStringLiteral("3")},
        {menuPath, menuInterface, "Status", "s", QStringLiteral("normal")},
        {menuPath, menuInterface, "TextDirection", "s", QStringLiteral("ltr")},
        {menuPath, menuInterface, "IconThemePath", "as", QString()},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QDBusMessage reply =
            call(item->serviceName(), c.path, propertiesInterface, QStringLiteral("GetAll"), {c.interface});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        const QVariantMap all = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
        ASSERT_TRUE(all.contains(QString::fromLatin1(c.name)));
        const QVariant value = all.value(QString::fromLatin1(c.name));
        EXPECT_EQ(signatureOf(value), QString::fromLatin1(c.signature));
        EXPECT_EQ(render(value), c.value);
    }
}

// Each list the owner sets, as GetLayout returns it: ids, properties, the revision, and the
// LayoutUpdated signal that makes hosts fetch it again.
TEST_F(StatusNotifierItemTest, GetLayoutFollowsEveryNewListOfItems)
{
    StatusNotifierItem &tray = makeItem();
    LayoutUpdates updates;
    ASSERT_TRUE(client.connect(tray.serviceName(), StatusNotifierItem::menuPath, menuInterface,
                               QStringLiteral("LayoutUpdated"), &updates, SLOT(record(uint, int))));
    using I = TrayMenuItem;
    const QList<TrayMenuItem> filled{I::action(1, QStringLiteral("Open Taskarello")), I::separator(),
                                     I::action(7, QStringLiteral("Buy dog_food: 2 days")),
                                     I::action(8, QStringLiteral("Water plants: overdue"), false), I::separator(),
                                     I::action(2, QStringLiteral("Quit"))};
    const QStringList filledLayout{QStringLiteral("1 label=Open Taskarello"), QStringLiteral("9 type=separator"),
                                   QStringLiteral("7 label=Buy dog__food: 2 days"),
                                   QStringLiteral("8 enabled=false label=Water plants: overdue"),
                                   QStringLiteral("10 type=separator"), QStringLiteral("2 label=Quit")};
    struct Case {
        const char *name;
        QList<TrayMenuItem> items;
        QStringList children;
        bool changes;
    };
    const Case cases[] = {
        {"the menu as the app fills it", filled, filledLayout, true},
        {"the same list again", filled, filledLayout, false},
        {"ids taken twice or not positive",
         {I::action(3, QStringLiteral("first")), I::action(3, QStringLiteral("clash")),
          I::action(0, QStringLiteral("zero")), I::action(-2, QStringLiteral("negative")), I::separator()},
         {QStringLiteral("3 label=first"), QStringLiteral("4 type=separator")},
         true},
        {"emptied", {}, {}, true},
    };
    uint revision = 0;
    qsizetype expectedSignals = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        tray.setItems(c.items);
        if (c.changes) {
            ++expectedSignals;
            ASSERT_TRUE(VelmoraTest::waitFor([&] { return updates.revisions.size() >= expectedSignals; }, 5000));
        }
        const QDBusMessage reply = callMenu(QStringLiteral("GetLayout"), {0, -1, QStringList()});
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        ASSERT_EQ(reply.signature(), QStringLiteral("u(ia{sv}av)"));
        const uint newRevision = reply.arguments().at(0).toUInt();
        if (c.changes)
            EXPECT_GT(newRevision, revision);
        else
            EXPECT_EQ(newRevision, revision);
        revision = newRevision;
        EXPECT_EQ(updates.revisions.size(), expectedSignals);
        EXPECT_EQ(updates.revisions.last(), revision);

        QStringList lines;
        renderLayout(reply.arguments().at(1).value<QDBusArgument>(), lines);
        EXPECT_EQ(lines.takeFirst(), QStringLiteral("0 children-display=submenu"));
        EXPECT_EQ(lines, c.children);
    }
}

// Only a click on an enabled action reaches the owner, after the host has its answer.
TEST_F(StatusNotifierItemTest, ClicksReachTheOwner)
{
    StatusNotifierItem &tray = makeItem();
    tray.setItems({TrayMenuItem::action(1, QStringLiteral("Open Taskarello")), TrayMenuItem::separator(),
                   TrayMenuItem::action(7, QStringLiteral("Nothing due"), false),
                   TrayMenuItem::action(2, QStringLiteral("Quit"))});
    QList<int> triggered;
    int activations = 0;
    QObject::connect(&tray, &StatusNotifierItem::menuItemTriggered, [&](int id) { triggered.append(id); });
    QObject::connect(&tray, &StatusNotifierItem::activated, [&] { ++activations; });
    const QVariant noData = QVariant::fromValue(QDBusVariant(QString()));
    struct Case {
        const char *name;
        QString path;
        QString interface;
        QString method;
        QVariantList arguments;
        bool refused;
        QList<int> triggered;
        int activations;
    };
    const QString menuPath = StatusNotifierItem::menuPath;
    const QString event = QStringLiteral("Event");
    const QString clicked = QStringLiteral("clicked");
    const Case cases[] = {
        {"an action", menuPath, menuInterface, event, {2, clicked, noData, 0u}, false, {2}, 0},
        {"a disabled action", menuPath, menuInterface, event, {7, clicked, noData, 0u}, false, {}, 0},
        {"a separator", menuPath, menuInterface, event, {8, clicked, noData, 0u}, false, {}, 0},
        {"hovering an action", menuPath, menuInterface, event, {1, QStringLiteral("hovered"), noData, 0u}, false, {},
         0},
        {"an id no longer there", menuPath, menuInterface, event, {5, clicked, noData, 0u}, true, {}, 0},
        {"the icon", StatusNotifierItem::itemPath, itemInterface, QStringLiteral("Activate"), {10, 20}, false, {}, 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        triggered.clear();
        activations = 0;
        const QDBusMessage reply = call(tray.serviceName(), c.path, c.interface, c.method, c.arguments);
        EXPECT_EQ(reply.type() == QDBusMessage::ErrorMessage, c.refused) << reply.errorMessage().toStdString();
        settle();
        // As vectors: Qt 6.4 compares two empty int lists with memcmp on null, which UBSan rejects.
        EXPECT_EQ(std::vector<int>(triggered.cbegin(), triggered.cend()),
                  std::vector<int>(c.triggered.cbegin(), c.triggered.cend()));
        EXPECT_EQ(activations, c.activations);
    }
}

// The item announces itself to a watcher that comes after it, and again when that one restarts;
// the name it registers leads to the item, and goes with it.
TEST_F(StatusNotifierItemTest, RegistersWithEveryWatcherThatAppears)
{
    QDBusConnection watcherBus = bus.connect(QStringLiteral("tray-watcher"));
    FakeStatusNotifierWatcher watcher;
    ASSERT_TRUE(watcherBus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                          QDBusConnection::ExportScriptableSlots));
    StatusNotifierItem &tray = makeItem();
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 100)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(tray.isRegistered());
    for (int registrations = 1; registrations <= 2; ++registrations) {
        ASSERT_TRUE(watcherBus.registerService(StatusNotifierItem::watcherService));
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return tray.isRegistered() && watcher.registered.size() == registrations; }));
        ASSERT_TRUE(watcherBus.unregisterService(StatusNotifierItem::watcherService));
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return !tray.isRegistered(); }));
    }
    EXPECT_EQ(watcher.registered, QStringList(2, tray.serviceName()));
    const QDBusMessage id = call(watcher.registered.constFirst(), StatusNotifierItem::itemPath, propertiesInterface,
                                 QStringLiteral("Get"), {itemInterface, QStringLiteral("Id")});
    EXPECT_EQ(id.arguments().value(0).value<QDBusVariant>().variant().toString(), appId);
    const QString name = tray.serviceName();
    item.reset();
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return !client.interface()->isServiceRegistered(name).value(); }));
    // An item started while a watcher runs registers at once.
    ASSERT_TRUE(watcherBus.registerService(StatusNotifierItem::watcherService));
    StatusNotifierItem &second = makeItem();
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return second.isRegistered() && watcher.registered.size() == 3; }));
}

} // namespace

#include "StatusNotifierItemTest.moc"

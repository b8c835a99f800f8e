#include "tests/support/AppWindow.h"

#include "tests/support/TestSupport.h"

#include <QAccessible>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

using namespace Velmora;

namespace VelmoraTest {

bool AppWindow::start()
{
    stop();
    alarm = std::make_unique<FakeWallClockAlarm>();
    app = VelmoraApp::open(dir.filePath(QStringLiteral("chores.sqlite")),
                           {&timeChanges, &widgets, &notificationBus, alarm.get()});
    const bool opened = app != nullptr;
    EXPECT_TRUE(opened) << "the store did not open";
    if (!opened)
        return false;
    windows = std::make_unique<WindowHost>(QUrl(QStringLiteral("qrc:/qt/qml/Velmora/Window/Main.qml")), *app);
    return openWindow();
}

bool AppWindow::openWindow()
{
    window = windows->show() ? windows->window() : nullptr;
    // The window's accessible texts are read here as a screen reader reads them, and made only
    // while something does.
    QAccessible::setActive(true);
    EXPECT_TRUE(window && QTest::qWaitForWindowExposed(window)) << "the window did not show";
    settle();
    return window && window->isExposed();
}

void AppWindow::stop()
{
    windows.reset();
    window = nullptr;
    app.reset();
    alarm.reset();
}

QList<QQuickItem *> AppWindow::items(QQuickItem *root) const
{
    // Popups are no items; theirs hang off them as plain children.
    QList<QQuickItem *> out;
    QSet<QObject *> seen;
    const std::function<void(QObject *)> collect = [&](QObject *object) {
        if (seen.contains(object))
            return;
        seen.insert(object);
        if (auto *item = qobject_cast<QQuickItem *>(object)) {
            out << item;
            for (QQuickItem *child : item->childItems())
                collect(child);
        }
        for (QObject *child : object->children())
            collect(child);
    };
    collect(root ? root : window->contentItem());
    return out;
}

QQuickItem *AppWindow::shown(const QString &name) const
{
    QQuickItem *found = nullptr;
    for (QQuickItem *item : items()) {
        if (item->objectName() == name && item->isVisible() && item->opacity() > 0) {
            EXPECT_EQ(found, nullptr) << "two visible items named " << name.toStdString();
            found = item;
        }
    }
    return found;
}

QQuickItem *AppWindow::waitShown(const QString &name, int timeoutMs)
{
    QQuickItem *item = nullptr;
    EXPECT_TRUE(waitFor([&] { return (item = shown(name)) != nullptr; }, timeoutMs))
        << name.toStdString() << " never showed";
    return item;
}

QString AppWindow::text(const QString &name) const
{
    QQuickItem *item = shown(name);
    return item ? item->property("text").toString() : QString();
}

void AppWindow::settle()
{
    waitFor([&] {
        const auto all = items();
        return std::none_of(all.cbegin(), all.cend(), [](QQuickItem *item) {
            return item->inherits("QQuickStackView") && item->property("busy").toBool();
        });
    });
    QTest::qWait(250); // popups' enter and exit fades
}

void AppWindow::click(QQuickItem *item, Qt::MouseButton button)
{
    EXPECT_NE(item, nullptr) << "nothing to click";
    if (item)
        QTest::mouseClick(window, button, {}, item->mapToScene(QPointF(item->width(), item->height()) / 2).toPoint());
    settle();
}

void AppWindow::click(const QString &name, Qt::MouseButton button)
{
    QQuickItem *item = shown(name);
    if (!item || !item->isEnabled()) { // still coming: let it finish sliding or fading in
        EXPECT_TRUE(waitFor([&] { return (item = shown(name)) && item->isEnabled(); }, 10000))
            << name.toStdString() << " never took input";
        settle();
    }
    click(item, button);
}

} // namespace VelmoraTest

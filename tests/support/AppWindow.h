#pragma once

#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Window/WindowHost.h"
#include "tests/support/Fakes.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <memory>

namespace VelmoraTest {

// The app on the files of one folder with its real window, driven by clicks where a user makes
// them. Reminders go to a quiet bus and an alarm of the test's.
class AppWindow {
public:
    virtual ~AppWindow() { stop(); }
    bool start(); // a new run on the same files, the running one stopped first
    bool openWindow();
    void stop(); // everything in memory goes, the window first; only the files stay

    // The items under root (the window's by default), popups included.
    QList<QQuickItem *> items(QQuickItem *root = nullptr) const;
    // The one item of that name the user can see now, or null.
    QQuickItem *shown(const QString &name) const;
    QQuickItem *waitShown(const QString &name, int timeoutMs = 10000);
    QString text(const QString &name) const;
    void settle(); // no page sliding and no popup fading: input lands where it is aimed
    void click(QQuickItem *item, Qt::MouseButton button = Qt::LeftButton);
    void click(const QString &name, Qt::MouseButton button = Qt::LeftButton); // once it shows and takes input

    QTemporaryDir dir;
    Velmora::FakeTimeChangeNotifier timeChanges;
    Velmora::FakeWidgetCenter widgets;
    Velmora::FakeNotificationBus notificationBus;
    std::unique_ptr<Velmora::FakeWallClockAlarm> alarm;
    std::unique_ptr<Velmora::VelmoraApp> app;
    std::unique_ptr<Velmora::WindowHost> windows;
    QQuickWindow *window = nullptr;
};

} // namespace VelmoraTest

#pragma once

#include "Velmora/App/Window.h"

#include <QList>
#include <QMargins>
#include <QPointer>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QRect>
#include <QUrl>

#include <memory>
#include <optional>

namespace Velmora {

class VelmoraApp;

// The one window and the QML engine behind it. Closing the window destroys both and hands
// their memory back, while the app underneath goes on; showing builds them anew, at the size
// and place the window last had.
class WindowHost : public Window {
    Q_OBJECT
public:
    // The window's QML reaches app, which outlives the host, as its singleton App. The first
    // window is made with `engine` when one was prepared, which may have loaded its types.
    WindowHost(QUrl mainQml, VelmoraApp &app, std::unique_ptr<QQmlApplicationEngine> engine = nullptr,
               QObject *parent = nullptr);
    ~WindowHost() override;

    // An engine that finds the app's QML modules.
    static std::unique_ptr<QQmlApplicationEngine> makeEngine();

    bool show() override;
    void close() override;
    QQuickWindow *window() const { return m_window; }
    bool isShown() const override { return m_window; }
    void setRemembersPlace(bool remembers) override { m_remembersPlace = remembers; }
    void captureAndQuit(const QString &path) override;
    void quitAfterFirstFrame() override;

private:
    // The window's own rectangle (frame excluded) for a window of size wanted last placed at
    // `at`: there, shrunk to the free area of the screen it lies on, when it fits whole with its
    // frame; else centred on the primary screen's free area, shrunk to it.
    static QRect placement(QSize wanted, std::optional<QPoint> at, QMargins frame, const QList<QRect> &screens,
                           const QRect &primary);
    void release();
    // Takes the window's rectangle and its frame's while they are told right; the first time a
    // frame shows, fits the window again with it.
    void remember(bool hiding = false);
    void saveGeometry();
    void restoreGeometry();

    QUrl m_mainQml;
    VelmoraApp &m_app;
    bool m_remembersPlace = true;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    std::unique_ptr<QObject> m_root;
    QPointer<QQuickWindow> m_window;
    // The window's rectangle and its frame's, as last seen while it showed.
    QRect m_geometry;
    QRect m_frame;
    // Whether the window was placed knowing its frame.
    bool m_framed = false;
};

} // namespace Velmora

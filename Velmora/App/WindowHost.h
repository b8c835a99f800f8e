#pragma once

#include <QList>
#include <QMargins>
#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QRect>
#include <QUrl>

#include <memory>
#include <optional>

class QQmlApplicationEngine;

namespace Velmora {

// The one window and the QML engine behind it. Closing the window destroys both and hands
// their memory back, while the app underneath goes on; showing builds them anew, at the size
// and place the window last had.
class WindowHost : public QObject {
    Q_OBJECT
public:
    explicit WindowHost(QUrl mainQml, QObject *parent = nullptr);
    ~WindowHost() override;

    // Builds the window if there is none, else raises it. False when the QML failed to load.
    bool show();
    // As the user closing it: the window and its engine go.
    void close();
    QQuickWindow *window() const { return m_window; }
    bool isShown() const { return m_window; }
    // Off for runs beside the app (a screenshot, a timing): they neither take nor leave the
    // user's window place, so neither depends on the other.
    void setRemembersPlace(bool remembers) { m_remembersPlace = remembers; }

signals:
    void shownChanged(bool shown);

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

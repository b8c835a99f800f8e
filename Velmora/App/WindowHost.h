#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QUrl>

#include <memory>

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

signals:
    void shownChanged(bool shown);

private:
    void release();
    void saveGeometry();
    void restoreGeometry();

    QUrl m_mainQml;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QPointer<QQuickWindow> m_window;
};

} // namespace Velmora

#pragma once

#include "Velmora/App/Window.h"

#include <QObject>
#include <QUrl>

#include <memory>

namespace Velmora {

class VelmoraApp;

// The window, built on first use from the window's side, which is loaded only then: a process
// that stays in the background never maps Qt Quick.
class WindowLoader : public QObject {
    Q_OBJECT
public:
    // The window shows the app, which outlives the loader.
    WindowLoader(QUrl mainQml, VelmoraApp &app, QObject *parent = nullptr);
    ~WindowLoader() override;

    // Loads the window's side and starts its preparations for a window of mainQml, for a start
    // that shows one at once: called before the app opens its store. What no window took is let
    // go of when the returned guard goes.
    [[nodiscard]] static std::shared_ptr<void> prepare(const QUrl &mainQml);

    // False when the window's side or its QML did not load.
    bool show();
    // Null until shown once.
    Window *window() const { return m_window.get(); }
    void setRemembersPlace(bool remembers);

signals:
    void shownChanged(bool shown);

private:
    // Loaded once for the process; null with a warning when it cannot be.
    static WindowFactory *factory();
    bool load();

    QUrl m_mainQml;
    VelmoraApp &m_app;
    bool m_remembersPlace = true;
    std::unique_ptr<Window> m_window;
};

} // namespace Velmora

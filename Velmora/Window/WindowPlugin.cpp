// The window's side of the app: Qt Quick, the QML engine and every QML module, loaded by the
// core when a window is first wanted.
#include "Velmora/App/Window.h"
#include "Velmora/Window/WindowHost.h"

#include "VelmoraQmlPlugins.h"

#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickStyle>

#include <fontconfig/fontconfig.h>

#include <thread>

namespace Velmora {

class WindowPlugin : public QObject, public WindowFactory {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VelmoraWindowFactory_iid)
    Q_INTERFACES(Velmora::WindowFactory)
public:
    ~WindowPlugin() override
    {
        if (m_fonts.joinable())
            m_fonts.join();
    }

    void prepare(const QUrl &mainQml) override
    {
        // The first text of the window reads the fonts' configuration and caches (some 85 files);
        // fontconfig needs no Qt for that and keeps what it read for Qt's own call.
        if (!m_fonts.joinable())
            m_fonts = std::thread([] { FcInit(); });
        // The engine loads and compiles the window's types on a thread of its own; the window
        // made from them later waits only for what is not done by then.
        if (!m_engine) {
            setStyle();
            m_engine = WindowHost::makeEngine();
            m_mainQml = mainQml;
            // Kept by the engine until it goes: the types it loaded stay in the engine's cache.
            new QQmlComponent(m_engine.get(), mainQml, QQmlComponent::Asynchronous, m_engine.get());
        }
    }

    void unprepare() override { m_engine.reset(); }

    std::unique_ptr<Window> create(const QUrl &mainQml, VelmoraApp &app) override
    {
        if (m_fonts.joinable())
            m_fonts.join();
        setStyle();
        std::unique_ptr<QQmlApplicationEngine> engine = mainQml == m_mainQml ? std::move(m_engine) : nullptr;
        auto window = std::make_unique<WindowHost>(mainQml, app, std::move(engine));
        unprepare();
        return window;
    }

private:
    static void setStyle() { QQuickStyle::setStyle(QStringLiteral("Basic")); }

    std::thread m_fonts;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QUrl m_mainQml;
};

} // namespace Velmora

#include "WindowPlugin.moc"

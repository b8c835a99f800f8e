// The window's side of the app: Qt Quick, the QML engine and every QML module, loaded by the
// core when a window is first wanted.
#include "Velmora/App/Window.h"
#include "Velmora/Window/WindowHost.h"

#include "VelmoraQmlPlugins.h"

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

    // The first text of the window reads the fonts' configuration and caches (some 85 files);
    // fontconfig needs no Qt for that and keeps what it read for Qt's own call.
    void prepare() override
    {
        if (!m_fonts.joinable())
            m_fonts = std::thread([] { FcInit(); });
    }

    std::unique_ptr<Window> create(const QUrl &mainQml, VelmoraApp &app) override
    {
        if (m_fonts.joinable())
            m_fonts.join();
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        return std::make_unique<WindowHost>(mainQml, app);
    }

private:
    std::thread m_fonts;
};

} // namespace Velmora

#include "WindowPlugin.moc"

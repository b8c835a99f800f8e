#include "Velmora/App/WindowLoader.h"

#include "Velmora/Platform/Logging.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPluginLoader>

namespace Velmora {

WindowLoader::WindowLoader(QUrl mainQml, VelmoraApp &app, QObject *parent)
    : QObject(parent), m_mainQml(std::move(mainQml)), m_app(app)
{
}

// The window goes before the plugin would; the plugin itself stays mapped until the process ends.
WindowLoader::~WindowLoader() = default;

bool WindowLoader::show()
{
    return (m_window || load()) && m_window->show();
}

void WindowLoader::setRemembersPlace(bool remembers)
{
    m_remembersPlace = remembers;
    if (m_window)
        m_window->setRemembersPlace(remembers);
}

WindowFactory *WindowLoader::factory()
{
    static WindowFactory *const loaded = [] {
        // Beside the program in the build tree, in the private library folder once installed.
        const QString name = QStringLiteral(VELMORA_WINDOW_PLUGIN);
        QString path = QDir(QCoreApplication::applicationDirPath()).filePath(name);
        if (!QFileInfo::exists(path))
            path = QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/" VELMORA_INSTALLED_PLUGIN_DIR)).filePath(name);
        QPluginLoader loader(path);
        auto *factory = qobject_cast<WindowFactory *>(loader.instance());
        if (!factory)
            qCWarning(logWindow).noquote() << "The window could not be loaded:" << loader.errorString();
        return factory;
    }();
    return loaded;
}

std::shared_ptr<void> WindowLoader::prepare(const QUrl &mainQml)
{
    WindowFactory *windows = factory();
    if (!windows)
        return {};
    windows->prepare(mainQml);
    return std::shared_ptr<void>(nullptr, [windows](void *) { windows->unprepare(); });
}

bool WindowLoader::load()
{
    WindowFactory *windows = factory();
    if (!windows)
        return false;
    m_window = windows->create(m_mainQml, m_app);
    m_window->setRemembersPlace(m_remembersPlace);
    connect(m_window.get(), &Window::shownChanged, this, &WindowLoader::shownChanged);
    return true;
}

} // namespace Velmora

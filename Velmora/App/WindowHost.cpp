#include "Velmora/App/WindowHost.h"

#include "Velmora/Platform/SettingsLock.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <malloc.h>

namespace Velmora {

namespace {
const QString positionKey = QStringLiteral("window/position");
const QString sizeKey = QStringLiteral("window/size");
} // namespace

WindowHost::WindowHost(QUrl mainQml, QObject *parent) : QObject(parent), m_mainQml(std::move(mainQml)) {}

WindowHost::~WindowHost()
{
    saveGeometry();
    m_window = nullptr;
    m_engine.reset();
}

bool WindowHost::show()
{
    if (m_window) {
        m_window->show();
        m_window->raise();
        m_window->requestActivate();
        return true;
    }
    m_engine = std::make_unique<QQmlApplicationEngine>();
    m_engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
    m_engine->load(m_mainQml);
    if (m_engine->rootObjects().isEmpty()) {
        m_engine.reset();
        return false;
    }
    m_window = qobject_cast<QQuickWindow *>(m_engine->rootObjects().constFirst());
    if (!m_window) {
        m_engine.reset();
        return false;
    }
    restoreGeometry();
    connect(m_window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (visible)
            return;
        saveGeometry();
        // Not from inside the window's own close handling.
        QTimer::singleShot(0, this, &WindowHost::release);
    });
    emit shownChanged(true);
    return true;
}

void WindowHost::close()
{
    saveGeometry();
    if (m_window)
        m_window->close();
    release();
}

void WindowHost::release()
{
    if (!m_engine || (m_window && m_window->isVisible()))
        return;
    m_window = nullptr;
    m_engine.reset();
    // The engine's pages go back to the system, not just to the allocator.
    malloc_trim(0);
    emit shownChanged(false);
}

void WindowHost::saveGeometry()
{
    if (!m_window)
        return;
    QSettings settings;
    releaseOrphanedLock(settings);
    settings.setValue(positionKey, m_window->framePosition());
    settings.setValue(sizeKey, m_window->size());
}

void WindowHost::restoreGeometry()
{
    const QSettings settings;
    const QSize size = settings.value(sizeKey).toSize();
    if (size.isValid() && !size.isEmpty())
        m_window->resize(size.boundedTo(QSize(16384, 16384)));
    // Only where a screen still shows it: a monitor unplugged since would hide the window.
    const QPoint position = settings.value(positionKey).toPoint();
    if (!settings.contains(positionKey))
        return;
    const QRect placed(position, m_window->size());
    for (const QScreen *screen : QGuiApplication::screens()) {
        if (screen->availableGeometry().intersects(placed)) {
            m_window->setFramePosition(position);
            return;
        }
    }
}

} // namespace Velmora

#include "Velmora/App/WindowHost.h"

#include <QQmlApplicationEngine>
#include <QQuickWindow>
#include <QTimer>

#include <malloc.h>

namespace Velmora {

WindowHost::WindowHost(QUrl mainQml, QObject *parent) : QObject(parent), m_mainQml(std::move(mainQml)) {}

WindowHost::~WindowHost()
{
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
    connect(m_window, &QWindow::visibleChanged, this, [this](bool visible) {
        // Not from inside the window's own close handling.
        if (!visible)
            QTimer::singleShot(0, this, &WindowHost::release);
    });
    emit shownChanged(true);
    return true;
}

void WindowHost::close()
{
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

} // namespace Velmora

#include "Velmora/Window/WindowHost.h"

#include "Velmora/Platform/Logging.h"
#include "Velmora/Platform/SettingsLock.h"
#include "Velmora/Window/QmlTypes/AppQmlTypes.h"
#include "Velmora/Window/Screenshot.h"

#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickWindow>
#include <QScreen>
#include <QSettings>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

#include <malloc.h>

namespace Velmora {

namespace {
// The window's own rectangle, and the one its frame took: what it is placed by, and the margins
// the frame needs around it.
const QString geometryKey = QStringLiteral("window/geometry");
const QString frameKey = QStringLiteral("window/frame");

// Each scale of the desktop keeps its own place: a window fitted to the screen at twice the
// scale would otherwise come back at half its size at the first. Scale 1 keeps the keys above,
// which also stand in for a scale that has none yet.
double currentScale()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    return primary ? primary->devicePixelRatio() : 1.0;
}
QString scaled(const QString &key, double scale)
{
    return qFuzzyCompare(scale, 1.0) ? key : key + QStringLiteral("-%1x").arg(scale);
}
// What earlier versions kept: the frame's corner, which gave the window back without its frame.
const QStringList oldKeys = {QStringLiteral("window/position"), QStringLiteral("window/size")};

// What a frame adds around the window; none for a frame that cannot be the window's.
QMargins frameMargins(const QRect &window, const QRect &frame)
{
    const QMargins margins(window.left() - frame.left(), window.top() - frame.top(), frame.right() - window.right(),
                           frame.bottom() - window.bottom());
    const int widest = std::max({margins.left(), margins.top(), margins.right(), margins.bottom()});
    return window.isValid() && frame.contains(window) && widest <= 200 ? margins : QMargins();
}

// A Wayland compositor places windows itself and tells no client where they are: there the app
// asks only for a size, and the place it last knew (from an X11 session) stays saved.
bool placesWindows()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void place(QWindow *window, const QRect &rect)
{
    if (placesWindows())
        window->setGeometry(rect);
    else
        window->resize(rect.size());
}

QList<QRect> availableAreas()
{
    QList<QRect> areas;
    for (const QScreen *screen : QGuiApplication::screens())
        areas.append(screen->availableGeometry());
    return areas;
}
} // namespace

WindowHost::WindowHost(QUrl mainQml, VelmoraApp &app, std::unique_ptr<QQmlApplicationEngine> engine, QObject *parent)
    : Window(parent), m_mainQml(std::move(mainQml)), m_app(app), m_engine(std::move(engine))
{
}

std::unique_ptr<QQmlApplicationEngine> WindowHost::makeEngine()
{
    auto engine = std::make_unique<QQmlApplicationEngine>();
    engine->addImportPath(QStringLiteral("qrc:/qt/qml"));
    return engine;
}

WindowHost::~WindowHost()
{
    saveGeometry();
    m_window = nullptr;
    m_root.reset();
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
    if (!m_engine)
        m_engine = makeEngine();
    Qml::App::lend(*m_engine, m_app);
    QQmlComponent component(m_engine.get(), m_mainQml);
    // Placed before it shows: a window manager places a window it has already framed by its frame.
    m_root.reset(component.beginCreate(m_engine->rootContext()));
    m_window = qobject_cast<QQuickWindow *>(m_root.get());
    if (m_window)
        restoreGeometry();
    if (m_root)
        component.completeCreate();
    if (!m_window) {
        qCWarning(logWindow).noquote() << component.errorString();
        m_root.reset();
        m_engine.reset();
        return false;
    }
    // Read while the window shows: once hidden, its frame and even its size are no longer told right.
    for (const auto changed : {&QWindow::xChanged, &QWindow::yChanged, &QWindow::widthChanged, &QWindow::heightChanged})
        connect(m_window, changed, this, [this] { remember(); });
    // A window manager frames the window some while after it shows.
    connect(
        m_window, &QQuickWindow::frameSwapped, this,
        [this] {
            if (!m_framed)
                remember();
        },
        Qt::QueuedConnection);
    connect(m_window, &QWindow::visibleChanged, this, [this](bool visible) {
        if (visible)
            return;
        // Still told right in this turn: the window system has not taken the window away yet.
        remember(true);
        saveGeometry();
        // Not from inside the window's own close handling.
        QTimer::singleShot(0, this, &WindowHost::release);
    });
    emit shownChanged(true);
    return true;
}

void WindowHost::captureAndQuit(const QString &path)
{
    if (m_window)
        Screenshot::captureAndQuit(m_window, path);
}

void WindowHost::quitAfterFirstFrame()
{
    if (m_window)
        connect(m_window, &QQuickWindow::frameSwapped, [] { std::_Exit(0); });
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
    m_root.reset();
    m_engine.reset();
    // The engine's pages go back to the system, not just to the allocator.
    malloc_trim(0);
    emit shownChanged(false);
}

void WindowHost::remember(bool hiding)
{
    // A maximised or full-screen window comes back at the size it had before.
    const Qt::WindowStates away = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
    if (!m_window || !(m_window->isVisible() || hiding) || (m_window->windowStates() & away))
        return;
    const QPoint at = placesWindows() ? m_window->position() : m_geometry.topLeft();
    m_frame = m_window->frameGeometry().translated(at - m_window->position());
    m_geometry = QRect(at, m_window->size());
    // The first start knows no frame: once the window manager has drawn one, the window is fitted again with it.
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!m_framed && !hiding && m_frame != m_geometry && primary) {
        m_framed = true;
        const QRect fitted = placement(m_geometry.size(), m_geometry.topLeft(), frameMargins(m_geometry, m_frame),
                                       availableAreas(), primary->availableGeometry());
        if (fitted != m_geometry)
            place(m_window, fitted);
    }
}

void WindowHost::saveGeometry()
{
    remember();
    if (!m_geometry.isValid() || !m_remembersPlace)
        return;
    QSettings settings;
    releaseOrphanedLock(settings);
    for (const QString &key : oldKeys)
        settings.remove(key);
    const double scale = currentScale();
    settings.setValue(scaled(geometryKey, scale), m_geometry);
    settings.setValue(scaled(frameKey, scale), m_frame);
}

void WindowHost::restoreGeometry()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return;
    const QSettings settings;
    const double scale = settings.contains(scaled(geometryKey, currentScale())) ? currentScale() : 1.0;
    const QRect saved = m_remembersPlace ? settings.value(scaled(geometryKey, scale)).toRect() : QRect();
    // The frame the window manager drew last time; none until it has drawn one.
    const QMargins margins = frameMargins(saved, settings.value(scaled(frameKey, scale)).toRect());
    m_framed = !margins.isNull();
    const QSize wanted = saved.isValid() ? saved.size().boundedTo(QSize(16384, 16384)) : m_window->size();
    const QRect placed = placement(wanted, saved.isValid() ? std::optional(saved.topLeft()) : std::nullopt, margins,
                                   availableAreas(), primary->availableGeometry());
    place(m_window, placed);
    m_geometry = QRect(placesWindows() ? m_window->position() : placed.topLeft(), m_window->size());
    m_frame = m_geometry.marginsAdded(margins);
}

QRect WindowHost::placement(QSize wanted, std::optional<QPoint> at, QMargins frame, const QList<QRect> &screens,
                            const QRect &primary)
{
    const auto fitted = [&](const QRect &area) {
        return wanted.boundedTo(area.size().shrunkBy(frame)).expandedTo(QSize(1, 1));
    };
    for (const QRect &area : at ? screens : QList<QRect>()) {
        const QRect there(*at, fitted(area));
        if (area.contains(there.marginsAdded(frame)))
            return there;
    }
    QRect framed(QPoint(), fitted(primary).grownBy(frame));
    framed.moveCenter(primary.center());
    return framed.marginsRemoved(frame);
}

} // namespace Velmora

#include "Velmora/Styling/ColorScheme.h"

#include "Velmora/Platform/SessionBus.h"
#include "Velmora/Platform/SystemSettings.h"

#include <QEvent>
#include <QGuiApplication>

namespace Velmora {

ColorScheme::ColorScheme(QObject *parent) : ColorScheme(sessionBusIfAny(), parent) {}

ColorScheme::ColorScheme(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_portal(new AppearancePortal(bus, this))
{
    connect(m_portal, &AppearancePortal::schemeChanged, this, &ColorScheme::refresh);
    if (qGuiApp)
        qGuiApp->installEventFilter(this);
    refresh();
}

bool ColorScheme::isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightnessF() < 0.5;
}

void ColorScheme::refresh()
{
    const AppearancePortal::Scheme preferred = m_portal->scheme();
    const bool dark = preferred == AppearancePortal::Scheme::Unknown
        ? qGuiApp && isDark(QGuiApplication::palette())
        : preferred == AppearancePortal::Scheme::Dark;
    if (dark == m_dark)
        return;
    m_dark = dark;
    emit darkChanged();
}

bool ColorScheme::eventFilter(QObject *watched, QEvent *event)
{
    // The filter sits on the application, so it sees every event: keep the test cheap.
    if (watched == qGuiApp && event->type() == QEvent::ApplicationPaletteChange)
        refresh();
    return QObject::eventFilter(watched, event);
}

} // namespace Velmora

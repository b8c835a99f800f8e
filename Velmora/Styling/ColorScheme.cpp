#include "Velmora/Styling/ColorScheme.h"

#include <QEvent>
#include <QGuiApplication>

namespace Velmora {

ColorScheme::ColorScheme(QObject *parent)
    : QObject(parent)
{
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
    const bool dark = qGuiApp && isDark(QGuiApplication::palette());
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

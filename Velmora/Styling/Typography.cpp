#include "Velmora/Styling/Typography.h"

#include <QGuiApplication>

namespace Velmora {

QFont Typography::title()
{
    static const QFont font = [] {
        QFont f = QGuiApplication::font();
        f.setPixelSize(42);
        f.setWeight(QFont::Medium);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 4);
        f.setStretch(QFont::Condensed);
        return f;
    }();
    return font;
}

} // namespace Velmora

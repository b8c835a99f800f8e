#pragma once

#include <QCoreApplication>
#include <QString>

namespace Velmora {

// The configuration the home-screen widget offers: none to set. The widget host finds it by
// its identifier and lists it under its title; running it changes nothing.
struct RipestWidgetIntent {
    struct Result {};

    static QString persistentIdentifier() { return QStringLiteral("RipestWidgetIntent"); }
    static QString title() { return QCoreApplication::translate("RipestWidgetIntent", "_nearest-chores-title"); }
    Result perform() const { return {}; }
};

} // namespace Velmora

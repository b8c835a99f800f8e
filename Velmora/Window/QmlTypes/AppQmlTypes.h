#pragma once

// The app's shared objects as QML sees them; the app itself runs without QML until a window
// is wanted.
#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/Router.h"
#include "Velmora/App/VelmoraApp.h"

#include <QJSEngine>
#include <QQmlEngine>
#include <QVariant>
#include <QtQml/qqml.h>

namespace Velmora::Qml {

struct App {
    Q_GADGET
    QML_FOREIGN(Velmora::VelmoraApp)
    QML_NAMED_ELEMENT(App)
    QML_SINGLETON
public:
    // The app an engine shows, lent to it before its first component is made.
    static void lend(QQmlEngine &engine, VelmoraApp &app)
    {
        QJSEngine::setObjectOwnership(&app, QJSEngine::CppOwnership);
        engine.setProperty(lentApp, QVariant::fromValue(&app));
    }
    // The running app; it owns itself, QML only borrows it.
    static VelmoraApp *create(QQmlEngine *engine, QJSEngine *)
    {
        auto *app = engine->property(lentApp).value<VelmoraApp *>();
        Q_ASSERT(app);
        return app;
    }

private:
    static constexpr const char *lentApp = "velmoraApp";
};

struct RefreshDay {
    Q_GADGET
    QML_FOREIGN(Velmora::RefreshDay)
    QML_NAMED_ELEMENT(RefreshDay)
    QML_UNCREATABLE("The day clock is made at start-up")
};

struct Router {
    Q_GADGET
    QML_FOREIGN(Velmora::Router)
    QML_NAMED_ELEMENT(Router)
};

} // namespace Velmora::Qml

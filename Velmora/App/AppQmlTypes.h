#pragma once

// The app's shared objects as QML sees them; the app itself runs without QML until a window
// is wanted.
#include "Velmora/App/RefreshDay.h"
#include "Velmora/App/Router.h"
#include "Velmora/App/VelmoraApp.h"

#include <QJSEngine>
#include <QtQml/qqml.h>

namespace Velmora::Qml {

struct App {
    Q_GADGET
    QML_FOREIGN(Velmora::VelmoraApp)
    QML_NAMED_ELEMENT(App)
    QML_SINGLETON
public:
    // The running app; it owns itself, QML only borrows it.
    static VelmoraApp *create(QQmlEngine *, QJSEngine *)
    {
        VelmoraApp *app = VelmoraApp::instance();
        Q_ASSERT(app);
        QJSEngine::setObjectOwnership(app, QJSEngine::CppOwnership);
        return app;
    }
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

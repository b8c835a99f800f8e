#pragma once

// Shared set-up of the Qt Quick Test programs: every static QML module of the app is linked in,
// its resources are found under qrc:/qt/qml, and no test touches the user's data folders.
#include "VelmoraQmlPlugins.h"

#include <QObject>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QStandardPaths>

class QuickTestSetupBase : public QObject {
    Q_OBJECT
public:
    QuickTestSetupBase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QQuickStyle::setStyle(QStringLiteral("Basic"));
    }

public slots:
    virtual void qmlEngineAvailable(QQmlEngine *engine) { engine->addImportPath(QStringLiteral("qrc:/qt/qml")); }
};

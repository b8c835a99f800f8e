#pragma once

#include <QColor>
#include <QObject>
#include <QUrl>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace Velmora {

// The way QML reaches the symbol images: using it installs the "symbol" provider on that engine.
class Symbols : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON

public:
    static Symbols *create(QQmlEngine *qmlEngine, QJSEngine *jsEngine);
    static void install(QQmlEngine *engine);

    Q_INVOKABLE static QUrl source(const QString &name, const QColor &color);
    Q_INVOKABLE static bool has(const QString &name);

private:
    using QObject::QObject;
};

} // namespace Velmora

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

    // Members, not static: a call from QML then always goes through the instance, which is what
    // puts the provider in place.
    Q_INVOKABLE QUrl source(const QString &name, const QColor &color) const { return sourceUrl(name, color); }
    Q_INVOKABLE bool has(const QString &name) const;

    static QUrl sourceUrl(const QString &name, const QColor &color);

private:
    // No default constructor: QML must come through create().
    explicit Symbols(QObject *parent);
};

} // namespace Velmora

#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace Ombrapop {

// Lets popup content close the popup it sits in: `Dismiss.callback()`. Outside any popup there
// is no callback and calling it does nothing.
class Dismiss : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("Dismiss is only an attached object.")
    QML_ATTACHED(Ombrapop::Dismiss)

public:
    explicit Dismiss(QObject *attachee);

    static Dismiss *qmlAttachedProperties(QObject *object) { return new Dismiss(object); }

    Q_INVOKABLE bool hasCallback() const;
    Q_INVOKABLE void callback();

private:
    // The popup wrapper around the attachee, looked up at call time so reparenting is harmless.
    QObject *wrapper() const;
};

} // namespace Ombrapop

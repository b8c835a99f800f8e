#pragma once

#include <QFont>
#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// Fonts QML cannot spell out: its font type has no width (stretch) in Qt 6.4.
class Typography : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QFont title READ title CONSTANT)

public:
    using QObject::QObject;

    // 42 medium, tracking 4, the condensed width where the family has one.
    static QFont title();
};

} // namespace Velmora

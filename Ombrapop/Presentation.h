#pragma once

#include "Ombrapop/Stack.h"

#include <QObject>
#include <QString>
#include <QtQml/qqmlregistration.h>

class QQmlEngine;
class QJSEngine;

namespace Ombrapop {


// How the stack is drawn, as plain functions of a popup's index and the number of popups.
namespace Look {

// The index of a popup that has already left the stack (it is still animating out).
inline constexpr int absentIndex = 1000;

int lastIndex(int count);
bool isBelowTop(int index, int count);
double popupZ(int index);
double popupBlur(int index, int count);
double popupScale(int index, int count);
double dimmingZ(int count);
double dimmingOpacity(int count);
double contentBlur(int count);

// Qt's SpringAnimation steps v += spring * d - damping * v every 16 ms; these give the spring
// and damping for a spring of a given response (seconds) and damping fraction.
double springStiffness(double response);
double springDamping(double response, double dampingFraction);

} // namespace Look

// The same arithmetic for QML, plus what the QML pieces need to find each other.
class Presentation : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(int absentIndex READ absentIndex CONSTANT)

public:
    explicit Presentation(QObject *parent = nullptr);

    int absentIndex() const { return Look::absentIndex; }

    Q_INVOKABLE bool isBelowTop(int index, int count) const { return Look::isBelowTop(index, count); }
    Q_INVOKABLE double popupZ(int index) const { return Look::popupZ(index); }
    Q_INVOKABLE double popupBlur(int index, int count) const { return Look::popupBlur(index, count); }
    Q_INVOKABLE double popupScale(int index, int count) const { return Look::popupScale(index, count); }
    Q_INVOKABLE double dimmingZ(int count) const { return Look::dimmingZ(count); }
    Q_INVOKABLE double dimmingOpacity(int count) const { return Look::dimmingOpacity(count); }
    Q_INVOKABLE double contentBlur(int count) const { return Look::contentBlur(count); }
    Q_INVOKABLE double springStiffness(double response) const { return Look::springStiffness(response); }
    Q_INVOKABLE double springDamping(double response, double fraction) const
    {
        return Look::springDamping(response, fraction);
    }

    // A fresh presenter id: a random UUID in its 36-character form.
    Q_INVOKABLE static QString newId();
    // The stack of the nearest StackView above `object`, if any.
    Q_INVOKABLE static Ombrapop::Stack *stackFor(QObject *object);
};

} // namespace Ombrapop

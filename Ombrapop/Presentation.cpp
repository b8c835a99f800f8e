#include "Ombrapop/Presentation.h"

#include "Ombrapop/Stack.h"

#include <QQuickItem>
#include <QUuid>

#include <cmath>
#include <numbers>

namespace Ombrapop {

namespace Look {

int lastIndex(int count)
{
    return count > 0 ? count - 1 : 0;
}

bool isBelowTop(int index, int count)
{
    return index < lastIndex(count);
}

double popupZ(int index)
{
    return 100.0 * index + 100.0;
}

double popupBlur(int index, int count)
{
    return isBelowTop(index, count) ? 2.0 : 0.0;
}

double popupScale(int index, int count)
{
    return isBelowTop(index, count) ? 0.9 : 1.0;
}

double dimmingZ(int count)
{
    return 100.0 * lastIndex(count) + 99.0;
}

double dimmingOpacity(int count)
{
    return count > 0 ? 1.0 : 0.0;
}

double contentBlur(int count)
{
    return count > 0 ? 3.0 : 0.0;
}

namespace {
constexpr double kStep = 0.016;

double angularFrequency(double response)
{
    return response > 0 && std::isfinite(response) ? 2 * std::numbers::pi / response : 0;
}
} // namespace

double springStiffness(double response)
{
    const double omega = angularFrequency(response);
    return omega * omega * kStep;
}

double springDamping(double response, double dampingFraction)
{
    // Qt caps damping at 1; any real response stays far below that.
    return std::min(1.0, 2 * dampingFraction * angularFrequency(response) * kStep);
}

} // namespace Look

Presentation::Presentation(QObject *parent)
    : QObject(parent)
{
}

QString Presentation::newId()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

Stack *Presentation::stackFor(QObject *object)
{
    while (object) {
        if (auto *stack = qvariant_cast<Stack *>(object->property("ombrapopStack")))
            return stack;
        auto *item = qobject_cast<QQuickItem *>(object);
        object = item && item->parentItem() ? item->parentItem() : object->parent();
    }
    return nullptr;
}

} // namespace Ombrapop

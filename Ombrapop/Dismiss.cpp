#include "Ombrapop/Dismiss.h"

#include "Ombrapop/Stack.h"

#include <QQuickItem>

namespace Ombrapop {

Dismiss::Dismiss(QObject *attachee)
    : QObject(attachee)
{
}

QObject *Dismiss::wrapper() const
{
    QObject *object = parent();
    while (object) {
        if (object->property("ombrapopId").isValid() && qvariant_cast<Stack *>(object->property("ombrapopStack")))
            return object;
        auto *item = qobject_cast<QQuickItem *>(object);
        object = item && item->parentItem() ? item->parentItem() : object->parent();
    }
    return nullptr;
}

bool Dismiss::hasCallback() const
{
    return wrapper() != nullptr;
}

void Dismiss::callback()
{
    if (QObject *w = wrapper()) {
        auto *stack = qvariant_cast<Stack *>(w->property("ombrapopStack"));
        stack->close(w->property("ombrapopId").toString());
    }
}

} // namespace Ombrapop

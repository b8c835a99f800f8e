#pragma once

// The reminders' types as QML sees them; the reminders themselves run without QML.
#include "Velmora/Notifications/NotificationsManager.h"
#include "Velmora/Notifications/Reminders.h"

#include <QtQml/qqml.h>

namespace Velmora::Qml {

struct NotificationsManager {
    Q_GADGET
    QML_FOREIGN(Velmora::NotificationsManager)
    QML_NAMED_ELEMENT(NotificationsManager)
    QML_UNCREATABLE("Made by the app with its notification bus")
};

struct Reminders {
    Q_GADGET
    QML_FOREIGN(Velmora::Reminders)
    QML_NAMED_ELEMENT(Reminders)
    QML_UNCREATABLE("Made by the app on its store")
};

} // namespace Velmora::Qml

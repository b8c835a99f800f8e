#pragma once

// The reminders' types as QML sees them; the reminders themselves run without QML.
#include "Velmora/Notifications/NotificationsManager.h"

#include <QtQml/qqml.h>

namespace Velmora::Qml {

struct NotificationsManager {
    Q_GADGET
    QML_FOREIGN(Velmora::NotificationsManager)
    QML_NAMED_ELEMENT(NotificationsManager)
    QML_UNCREATABLE("Made by the app with its notification bus")
};

} // namespace Velmora::Qml

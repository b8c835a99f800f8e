#include "Velmora/Platform/SessionBus.h"

#include <QFileInfo>

namespace Velmora {

QDBusConnection sessionBusIfAny()
{
    const bool configured = !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        || (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
            && QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")));
    return configured ? QDBusConnection::sessionBus() : QDBusConnection(QStringLiteral("velmora-no-session-bus"));
}

} // namespace Velmora

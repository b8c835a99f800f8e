#pragma once

#include <QDBusConnection>

namespace Velmora {

// The session bus, or a disconnected connection when the session has none: asking Qt for
// the session bus without an address would try to autolaunch one.
QDBusConnection sessionBusIfAny();

} // namespace Velmora

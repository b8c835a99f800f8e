#include "Velmora/Platform/Logging.h"

namespace Velmora {

Q_LOGGING_CATEGORY(logStore, "taskarello.store", QtInfoMsg)
Q_LOGGING_CATEGORY(logSync, "taskarello.sync", QtInfoMsg)
Q_LOGGING_CATEGORY(logReminders, "taskarello.reminders", QtInfoMsg)
Q_LOGGING_CATEGORY(logWindow, "taskarello.window", QtInfoMsg)
Q_LOGGING_CATEGORY(logTray, "taskarello.tray", QtInfoMsg)

} // namespace Velmora

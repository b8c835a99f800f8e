#pragma once

// The app's areas for Qt's logging rules: all but debug messages show by default, and a
// developer turns one area up or down alone, e.g. QT_LOGGING_RULES="taskarello.sync.debug=true".
// What a command answers on the command line is no log and goes to stderr as it is.
#include <QLoggingCategory>

namespace Velmora {

Q_DECLARE_LOGGING_CATEGORY(logStore)     // taskarello.store: the chores' file
Q_DECLARE_LOGGING_CATEGORY(logSync)      // taskarello.sync: CalDAV runs
Q_DECLARE_LOGGING_CATEGORY(logReminders) // taskarello.reminders: notifications and their queue
Q_DECLARE_LOGGING_CATEGORY(logWindow)    // taskarello.window: the window's side and its QML
Q_DECLARE_LOGGING_CATEGORY(logTray)      // taskarello.tray: the tray icon on the session bus

} // namespace Velmora

#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace Velmora {

// Opens the desktop's notification settings, where the user can allow notifications.
namespace SystemSettings {

struct Command {
    QString program;
    QStringList arguments;
    friend bool operator==(const Command &, const Command &) = default;
};

// The first known settings tool that findExecutable locates (returns an empty path when absent).
std::optional<Command> notificationSettingsCommand(const std::function<QString(const QString &)> &findExecutable);

// Starts the tool detached and returns at once; false, and nothing happens, when none is found.
bool openNotificationSettings();

} // namespace SystemSettings

} // namespace Velmora

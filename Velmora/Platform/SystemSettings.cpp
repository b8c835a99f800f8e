#include "Velmora/Platform/SystemSettings.h"

#include <QProcess>
#include <QStandardPaths>

namespace Velmora::SystemSettings {

std::optional<Command> notificationSettingsCommand(const std::function<QString(const QString &)> &findExecutable)
{
    static const QList<Command> known = {
        {QStringLiteral("gnome-control-center"), {QStringLiteral("notifications")}},
        {QStringLiteral("systemsettings"), {QStringLiteral("kcm_notifications")}},
        {QStringLiteral("kcmshell6"), {QStringLiteral("kcm_notifications")}},
        {QStringLiteral("kcmshell5"), {QStringLiteral("kcm_notifications")}},
        {QStringLiteral("xfce4-notifyd-config"), {}},
    };
    for (const Command &command : known) {
        const QString path = findExecutable(command.program);
        if (!path.isEmpty())
            return Command{path, command.arguments};
    }
    return std::nullopt;
}

bool openNotificationSettings()
{
    const auto command = notificationSettingsCommand(
        [](const QString &name) { return QStandardPaths::findExecutable(name); });
    return command && QProcess::startDetached(command->program, command->arguments);
}

} // namespace Velmora::SystemSettings

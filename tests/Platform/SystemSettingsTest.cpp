#include "Velmora/Platform/SystemSettings.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace Velmora::SystemSettings;

namespace {

std::function<QString(const QString &)> finder(const QSet<QString> &installed)
{
    return [installed](const QString &name) { return installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString(); };
}

TEST(SystemSettingsTest, PicksTheFirstInstalledTool)
{
    struct Case {
        QSet<QString> installed;
        std::optional<Command> expected;
    };
    const Case cases[] = {
        {{}, std::nullopt},
        {{QStringLiteral("gnome-control-center")},
         Command{QStringLiteral("/usr/bin/gnome-control-center"), {QStringLiteral("notifications")}}},
        {{QStringLiteral("kcmshell5"), QStringLiteral("gnome-control-center")},
         Command{QStringLiteral("/usr/bin/gnome-control-center"), {QStringLiteral("notifications")}}},
        {{QStringLiteral("kcmshell5")}, Command{QStringLiteral("/usr/bin/kcmshell5"), {QStringLiteral("kcm_notifications")}}},
        {{QStringLiteral("unrelated-tool")}, std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(notificationSettingsCommand(finder(c.installed)), c.expected);
}

TEST(SystemSettingsTest, WithoutAnyToolOpeningDoesNothing)
{
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "/nonexistent-folder");
    EXPECT_FALSE(openNotificationSettings());
    qputenv("PATH", path);
}

} // namespace

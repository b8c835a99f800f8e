#include "Velmora/Notifications/SystemSettingsOpener.h"

#include "Velmora/Platform/SystemSettings.h"

namespace Velmora {

bool SystemSettingsOpener::openNotificationSettings()
{
    return SystemSettings::openNotificationSettings();
}

} // namespace Velmora

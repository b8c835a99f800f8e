#pragma once

#include <QObject>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// The desktop's notification settings, for QML.
class SystemSettingsOpener : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(SystemSettings)
    QML_SINGLETON
public:
    using QObject::QObject;
    // Returns at once; false when no settings tool is known on this system.
    Q_INVOKABLE bool openNotificationSettings();
};

} // namespace Velmora

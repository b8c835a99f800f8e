#pragma once

// The sync's types as QML sees them; the sync itself runs without QML.
#include "Velmora/Sync/SyncAccount.h"

#include <QtQml/qqml.h>

namespace Velmora::Qml {

struct SyncAccount {
    Q_GADGET
    QML_FOREIGN(Velmora::Sync::SyncAccount)
    QML_NAMED_ELEMENT(SyncAccount)
    QML_UNCREATABLE("The app's one account is App.sync.")
};

} // namespace Velmora::Qml

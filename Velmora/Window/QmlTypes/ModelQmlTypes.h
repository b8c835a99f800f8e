#pragma once

// The model's types as QML sees them. The model itself knows no QML: the background process
// runs it without loading the QML engine.
#include "Velmora/Model/BackupService.h"
#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreCountdown.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Model/ChoreStore.h"

#include <QtQml/qqml.h>

namespace Velmora::Qml {

struct BackupService {
    Q_GADGET
    QML_FOREIGN(Velmora::BackupService)
    QML_NAMED_ELEMENT(Backup)
};

struct Chore {
    Q_GADGET
    QML_FOREIGN(Velmora::Chore)
    QML_NAMED_ELEMENT(Chore)
    QML_UNCREATABLE("Chores are created by the store")
};

struct ChoreChanges {
    Q_GADGET
    QML_FOREIGN(Velmora::ChoreChanges)
    QML_NAMED_ELEMENT(ChoreChanges)
    QML_UNCREATABLE("Made by the app with its store")
};

struct ChoreCountdown {
    Q_GADGET
    QML_FOREIGN(Velmora::ChoreCountdown)
    QML_NAMED_ELEMENT(ChoreCountdown)
};

struct Days {
    Q_GADGET
    QML_FOREIGN(Velmora::Days)
    QML_NAMED_ELEMENT(Days)
    QML_SINGLETON
};

struct ChoreQueryModel {
    Q_GADGET
    QML_FOREIGN(Velmora::ChoreQueryModel)
    QML_NAMED_ELEMENT(ChoreQueryModel)
    QML_UNCREATABLE("Queries are made by the app")
};

struct ChoreStore {
    Q_GADGET
    QML_FOREIGN(Velmora::ChoreStore)
    QML_NAMED_ELEMENT(ChoreStore)
    QML_UNCREATABLE("The store is opened at start-up")
};

} // namespace Velmora::Qml

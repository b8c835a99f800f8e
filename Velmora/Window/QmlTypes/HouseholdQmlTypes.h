#pragma once

// The household as QML sees it; the household itself runs without QML.
#include "Velmora/Household/Household.h"

#include <QtQml/qqml.h>

namespace Velmora::Qml {

struct Household {
    Q_GADGET
    QML_FOREIGN(Velmora::Household)
    QML_NAMED_ELEMENT(Household)
    QML_UNCREATABLE("The app's one household is App.household.")
};

} // namespace Velmora::Qml

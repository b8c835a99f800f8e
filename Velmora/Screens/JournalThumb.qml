import QtQuick
import Velmora.App
import Velmora.Screens

// One finished chore as a tile: a dot per day it took, how long it took, and which day it was
// due when it was finished before.
Tile {
    id: thumb
    readonly property int took: chore ? Math.max(0, chore.daysToFinish) : 0
    days: took
    caption: chore ? ScreenTexts.finishedCaption(chore.dueDate, chore.endDate, took) : ""
    spacing: 6
    badge: chore ? ScreenTexts.initialOf(chore.finishedBy) : ""
    Accessible.description: chore && chore.finishedBy.length > 0 ? qsTr("Finished by %1").arg(chore.finishedBy) : ""
    Accessible.onPressAction: App.router.push(Router.JournalChore, thumb.chore)
}

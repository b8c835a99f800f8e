import QtQuick
import Velmora.App
import Velmora.Screens

// One active chore as a tile: a dot per day left and the time left, as the list counts them
// from the day clock.
Tile {
    id: thumb
    required property int daysLeft
    required property string timeLeft
    days: daysLeft
    caption: timeLeft
    symbol: chore && chore.repeats ? "arrow.clockwise" : ""
    Accessible.description: chore && chore.repeats ? qsTr("Repeats: %1").arg(chore.recurrenceText) : ""
    Accessible.onPressAction: App.router.push(Router.ViewChore, thumb.chore)
}

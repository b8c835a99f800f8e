import QtQuick
import Velmora.App
import Velmora.Screens

// One active chore as a tile: a dot per day left and the time left, from the day clock.
Tile {
    readonly property var today: App.refreshDay.date
    // Reading dueDate makes the bindings follow edits of the chore.
    days: chore ? (chore.dueDate, chore.daysUntilDue(today, false)) : 0
    caption: chore ? (chore.dueDate, chore.timeLeftText(today, true, false)) : ""
}

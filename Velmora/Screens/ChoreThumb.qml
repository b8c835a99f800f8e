import QtQuick
import Velmora.App
import Velmora.Layout
import Velmora.Screens

// One active chore as a small coloured tile: title, a dot per day left, the time left.
Rectangle {
    id: tile
    required property var chore
    readonly property var today: App.refreshDay.date
    readonly property color ink: ScreenTexts.foregroundOn(color)

    radius: 6
    color: chore ? chore.color : "transparent"
    implicitWidth: 80
    implicitHeight: column.implicitHeight + 8

    Accessible.role: Accessible.Button
    Accessible.name: chore ? chore.title + ", " + timeLeft.text : ""

    // Two lines of the title's font, measured the way the title itself is laid out.
    Text {
        id: twoLines
        visible: false
        text: "X\nX"
        font: title.font
    }

    Column {
        id: column
        x: 8
        y: 4
        width: parent.width - 16
        spacing: 4

        Text {
            id: title
            width: parent.width
            // Two lines are always reserved, so tiles of short and long titles are equally tall.
            height: twoLines.implicitHeight
            text: tile.chore ? tile.chore.title : ""
            textFormat: Text.PlainText
            font.pointSize: 12
            font.weight: Font.Medium
            color: tile.ink
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignLeft
        }
        DayDotsView {
            width: parent.width
            height: 2
            // Reading dueDate makes the binding follow edits of the chore.
            days: tile.chore ? (tile.chore.dueDate, tile.chore.daysUntilDue(tile.today, false)) : 0
            dot: 2
            gap: 1
            weekGap: 2
            color: tile.ink
        }
        Text {
            id: timeLeft
            width: parent.width
            text: tile.chore ? (tile.chore.dueDate, tile.chore.timeLeftText(tile.today, true, false)) : ""
            font.pointSize: 9
            color: tile.ink
            wrapMode: Text.Wrap
        }
    }
}

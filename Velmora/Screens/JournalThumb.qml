import QtQuick
import Velmora.Layout
import Velmora.Model
import Velmora.Screens

// One finished chore as a tile: title, a dot per day it took, how long it took.
Rectangle {
    id: tile
    required property var chore
    readonly property int took: chore ? (chore.startDate, chore.endDate, Math.max(0, chore.daysToFinishOrMinusOne())) : 0
    readonly property color ink: ScreenTexts.foregroundOn(color)

    radius: 6
    color: chore ? chore.color : "transparent"
    implicitWidth: 80
    implicitHeight: column.implicitHeight + 8

    Accessible.role: Accessible.Button
    Accessible.name: chore ? chore.title + ", " + duration.text : ""

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
        spacing: 6

        Text {
            id: title
            width: parent.width
            height: twoLines.implicitHeight
            text: tile.chore ? tile.chore.title : ""
            textFormat: Text.PlainText
            font.pointSize: 12
            font.weight: Font.Medium
            color: tile.ink
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
        }
        DayDotsView {
            width: parent.width
            height: 2
            days: tile.took
            dot: 2
            gap: 1
            weekGap: 2
            color: tile.ink
        }
        Text {
            id: duration
            width: parent.width
            text: Days.durationText(tile.took)
            font.pointSize: 9
            color: tile.ink
            wrapMode: Text.Wrap
        }
    }
}

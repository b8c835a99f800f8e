import QtQuick
import Velmora.Layout
import Velmora.Screens

// The coloured card at the top of a detail screen: title, a dot per day, one line of text.
Rectangle {
    id: card
    property var chore
    property int days: 0
    property string caption
    readonly property color ink: ScreenTexts.foregroundOn(color)

    width: parent ? parent.width : 0
    implicitHeight: column.implicitHeight + 48
    radius: 8
    color: chore ? chore.color : "transparent"
    Accessible.role: Accessible.StaticText
    Accessible.name: chore ? chore.shownTitle + ", " + caption : ""

    Column {
        id: column
        x: 24
        y: 24
        width: parent.width - 48
        spacing: 8
        Text {
            width: parent.width
            text: card.chore ? card.chore.shownTitle : ""
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            font.pixelSize: 20
            font.weight: Font.Medium
            color: card.ink
        }
        DayDotsView {
            width: parent.width
            height: 3
            days: card.days
            dot: 3
            gap: 2
            weekGap: 4
            color: card.ink
        }
        Text {
            width: parent.width
            text: card.caption
            wrapMode: Text.Wrap
            font.pixelSize: 13
            color: card.ink
        }
    }
}

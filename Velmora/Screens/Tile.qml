import QtQuick
import Velmora.Layout
import Velmora.Screens
import Velmora.Styling

// The face every chore tile shares: its colour, a two-line title, a row of day dots and one
// short line of text. The active and the journal tiles differ only in what they count.
Rectangle {
    id: tile
    required property var chore
    property int days: 0
    property string caption
    // A symbol after the caption, such as a repeating chore's.
    property string symbol
    // A member's initial in a round badge at the bottom corner: whose turn it is, or who finished it.
    property string badge
    property alias spacing: column.spacing
    readonly property color ink: ScreenTexts.foregroundOn(color)

    radius: 6
    color: chore ? chore.color : "transparent"
    implicitWidth: 80
    implicitHeight: column.implicitHeight + 8

    // One item for a screen reader: the texts inside are not read again on their own.
    Accessible.role: Accessible.Button
    Accessible.ignored: !visible
    Accessible.name: ScreenTexts.spoken && chore ? qsTr("%1, %2, due %3").arg(chore.shownTitle).arg(caption)
                             .arg(ScreenTexts.datesText(chore.dueDate, chore.dueDate)) : ""

    // Made while the tile has the focus: a grid of rings nobody sees would cost every start.
    // qmllint disable unqualified
    Loader {
        anchors.fill: parent
        active: tile.activeFocus
        sourceComponent: FocusRing {
            innerRadius: tile.radius
        }
    }
    // qmllint enable unqualified

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
            text: tile.chore ? tile.chore.shownTitle : ""
            textFormat: Text.PlainText
            font.pixelSize: 12
            font.weight: Font.Medium
            color: tile.ink
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
            horizontalAlignment: Text.AlignLeft
            Accessible.ignored: true
        }
        // The strip keeps the title's margin, where the clip cuts the last dot: a tile shows as
        // many days as fit, and a long one runs up to that margin, not over the tile's edge.
        Item {
            width: column.width
            height: 2
            clip: true
            DayDotsView {
                anchors.fill: parent
                days: tile.days
                dot: 2
                gap: 1
                weekGap: 2
                color: tile.ink
            }
        }
        Row {
            spacing: 3
            Text {
                id: captionText
                width: Math.min(implicitWidth, column.width - (mark.visible ? mark.width + 3 : 0)
                                                - (initial.active ? initial.width + 3 : 0))
                text: tile.caption
                font.pixelSize: 9
                color: tile.ink
                wrapMode: Text.Wrap
                Accessible.ignored: true
            }
            // Made only for the tiles that show one: most show none. A component bound to this
            // file warns on Qt 6.4, so it stays unbound and qmllint takes its ids as unqualified.
            // qmllint disable unqualified
            Loader {
                id: mark
                visible: active
                active: tile.symbol.length > 0
                anchors.verticalCenter: captionText.verticalCenter
                sourceComponent: SymbolImage {
                    name: tile.symbol
                    color: tile.ink
                    size: 9
                }
            }
            // qmllint enable unqualified
        }
    }
    // The tile's ink as the badge's fill and its colour as the letter: readable on any chore's
    // colour, in either style. Made only for tiles that have one.
    // qmllint disable unqualified
    Loader {
        id: initial
        active: tile.badge.length > 0
        visible: active
        width: 13
        height: 13
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.rightMargin: 5
        anchors.bottomMargin: 3
        sourceComponent: Rectangle {
            objectName: "badge"
            radius: width / 2
            color: tile.ink
            Text {
                anchors.centerIn: parent
                text: tile.badge
                textFormat: Text.PlainText
                font.pixelSize: 8
                font.weight: Font.Bold
                color: tile.color
                Accessible.ignored: true
            }
        }
    }
    // qmllint enable unqualified
}

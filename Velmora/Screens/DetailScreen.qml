import QtQuick
import QtQuick.Controls
import Velmora.Styling

// The frame of the detail screens and the editor: a scrolling column between a top shelf
// (title and Close) and a bottom shelf (the actions), at most 500 points wide.
FocusScope {
    id: screen
    property string title
    property color backdrop: Styling.backdrop
    default property alias content: column.data
    property alias actions: bottomShelf.content
    signal closeRequested()

    // A control the keys reach in a short window scrolls into view, clear of the shelves.
    Window.onActiveFocusItemChanged: {
        const item = Window.activeFocusItem
        let inside = item
        while (inside && inside !== column)
            inside = inside.parent
        if (!inside)
            return
        const top = item.mapToItem(column, 0, 0).y + column.y
        const shown = scroller.height - (bottomShelf.visible ? bottomShelf.height : 0)
        if (top < scroller.contentY)
            scroller.contentY = Math.max(0, top - 8)
        else if (top + item.height > scroller.contentY + shown)
            scroller.contentY = Math.min(top + item.height + 8 - shown, scroller.contentHeight - scroller.height)
    }

    Rectangle {
        anchors.fill: parent
        color: screen.backdrop
    }

    Item {
        id: frame
        width: Math.min(parent.width, 500)
        height: parent.height
        anchors.horizontalCenter: parent.horizontalCenter

        TopShelf {
            id: topShelf
            // Above the content, though first in the order Tab follows.
            z: 1
            anchors.top: parent.top
            anchors.left: parent.left
            anchors.right: parent.right

            spacing: 4
            title: screen.title
            IconButton {
                objectName: "closeButton"
                text: qsTr("Close")
                symbol: "xmark"
                onClicked: screen.closeRequested()
            }
        }

        // Below the top shelf and clipped there: what scrolls up never shows through its fade.
        Flickable {
            id: scroller
            anchors.fill: parent
            anchors.topMargin: topShelf.height
            clip: true
            contentWidth: width
            contentHeight: column.implicitHeight + bottomShelf.height + 24
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {
                policy: ScrollBar.AsNeeded
                Accessible.ignored: !visible || size >= 1
            }

            Column {
                id: column
                x: Styling.horizontalPadding
                y: 8
                width: scroller.width - 2 * Styling.horizontalPadding
                spacing: 8
            }
        }

        BottomShelf {
            id: bottomShelf
            anchors.bottom: parent.bottom
            anchors.left: parent.left
            anchors.right: parent.right
            visible: screen.actions.length > 0
        }
    }
}

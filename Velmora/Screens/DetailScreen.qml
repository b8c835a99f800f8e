import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
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
            AppTitle {
                text: screen.title
                Layout.fillWidth: true
            }
            IconButton {
                objectName: "closeButton"
                text: qsTr("Close")
                symbol: "xmark"
                onClicked: screen.closeRequested()
            }
        }

        Flickable {
            id: scroller
            anchors.fill: parent
            contentWidth: width
            contentHeight: column.implicitHeight + topShelf.height + bottomShelf.height + 24
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar {
                policy: ScrollBar.AsNeeded
                Accessible.ignored: !visible || size >= 1
            }

            Column {
                id: column
                x: Styling.horizontalPadding
                // Clear of the shelf's fading edge at rest.
                y: topShelf.height + 8
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

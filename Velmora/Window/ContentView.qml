import QtQuick
import Velmora.App
import Velmora.Screens
import Velmora.Styling

// The main screen: the active chores under a shelf with the title and the two ways forward.
// A focus scope: coming back to it brings the focus back to where it was.
FocusScope {
    id: root
    property bool compact: true

    Rectangle {
        anchors.fill: parent
        color: Styling.backdrop
    }

    TopShelf {
        id: shelf
        // Above the content, though first in the order Tab follows.
        z: 1
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right

        spacing: 4

        title: qsTr("TASKARELLO")
        // Four buttons beside it in a phone's width: smaller rather than cut short.
        titleMinimumPixelSize: 18
        IconButton {
            objectName: "mineButton"
            // Named for what it shows; pressing, or Ctrl+M, shows the other.
            text: App.household.mineOnly ? qsTr("Showing mine") : qsTr("Showing everyone's")
            symbol: App.household.mineOnly ? "person" : "person.2"
            Accessible.description: App.household.mineOnly ? qsTr("Show everyone's chores")
                                                           : qsTr("Show only yours and those for anyone")
            onClicked: App.household.mineOnly = !App.household.mineOnly
        }
        IconButton {
            objectName: "journalButton"
            text: qsTr("Journal")
            symbol: "archivebox"
            onClicked: App.router.push(Router.Journal, null)
        }
        IconButton {
            id: addButton
            objectName: "addButton"
            text: qsTr("Add chore")
            symbol: "plus"
            onClicked: App.router.push(Router.AddChore, null)
        }
        BackupMenu {}
    }

    ChoresView {
        anchors.fill: parent
        compact: root.compact
        topInset: shelf.height
        addButton: addButton
    }
}

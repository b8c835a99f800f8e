import QtQuick
import QtQuick.Layouts
import Velmora.App
import Velmora.Screens
import Velmora.Styling

// The main screen: the active chores under a shelf with the title and the two ways forward.
Item {
    id: root
    property bool compact: true

    Rectangle {
        anchors.fill: parent
        color: Styling.backdrop
    }

    ChoresView {
        anchors.fill: parent
        compact: root.compact
        topInset: shelf.height
    }

    TopShelf {
        id: shelf
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right

        spacing: 4

        AppTitle {
            text: qsTr("TASKARELLO")
            Layout.fillWidth: true
        }
        IconButton {
            objectName: "journalButton"
            text: qsTr("Journal")
            symbol: "archivebox"
            onClicked: App.router.push(Router.Journal, null)
        }
        IconButton {
            objectName: "addButton"
            text: qsTr("Add chore")
            symbol: "plus"
            onClicked: App.router.push(Router.AddChore, null)
        }
        BackupMenu {}
    }
}

import QtCore
import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtQuick.Layouts
import Velmora.App
import Velmora.Model
import Velmora.Styling

// The shelf's backup button: a menu to back up, restore or export to a calendar, the file
// dialogs behind it, and the outcome told in one sentence.
IconButton {
    id: root
    objectName: "backupButton"
    text: qsTr("Back up and restore")
    symbol: "square.and.arrow.up"
    onClicked: menu.popup(root, 0, root.height)

    // What each dialog does once a file is chosen.
    function backUpTo(url) { report(backup.exportTo(url)) }
    function restoreFrom(url) { report(backup.restoreFrom(url)) }
    function exportCalendarTo(url) { report(backup.exportCalendar(url)) }
    readonly property alias resultMessage: resultDialog.message
    readonly property alias resultShown: resultDialog.opened

    function report(result) {
        resultDialog.ok = result.ok
        resultDialog.message = result.message
        resultDialog.open()
    }

    Backup {
        id: backup
        changes: App.changes
    }

    Menu {
        id: menu
        objectName: "backupMenu"
        MenuItem {
            objectName: "menuBackUp"
            text: qsTr("Back up chores")
            icon.source: Symbols.source("square.and.arrow.up", Styling.foreground)
            onTriggered: backupDialog.open()
        }
        MenuItem {
            objectName: "menuRestore"
            text: qsTr("Restore chores")
            icon.source: Symbols.source("square.and.arrow.down", Styling.foreground)
            onTriggered: restoreDialog.open()
        }
        MenuSeparator {}
        MenuItem {
            objectName: "menuCalendar"
            text: qsTr("Export to calendar")
            icon.source: Symbols.source("calendar", Styling.foreground)
            onTriggered: calendarDialog.open()
        }
    }

    FileDialog {
        id: backupDialog
        title: qsTr("Back up chores")
        fileMode: FileDialog.SaveFile
        defaultSuffix: "json"
        nameFilters: [qsTr("Taskarello backups (*.json)")]
        currentFolder: StandardPaths.writableLocation(StandardPaths.DocumentsLocation)
        onAccepted: root.backUpTo(selectedFile)
    }

    FileDialog {
        id: restoreDialog
        title: qsTr("Restore chores")
        fileMode: FileDialog.OpenFile
        nameFilters: [qsTr("Taskarello backups (*.json)"), qsTr("All files (*)")]
        currentFolder: StandardPaths.writableLocation(StandardPaths.DocumentsLocation)
        onAccepted: root.restoreFrom(selectedFile)
    }

    FileDialog {
        id: calendarDialog
        title: qsTr("Export to calendar")
        fileMode: FileDialog.SaveFile
        defaultSuffix: "ics"
        nameFilters: [qsTr("Calendar files (*.ics)")]
        currentFolder: StandardPaths.writableLocation(StandardPaths.DocumentsLocation)
        onAccepted: root.exportCalendarTo(selectedFile)
    }

    Dialog {
        id: resultDialog
        objectName: "backupResult"
        property bool ok: true
        property string message

        parent: Overlay.overlay
        anchors.centerIn: parent
        modal: true
        focus: true
        width: Math.min(300, parent ? parent.width - 48 : 300)
        closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
        padding: 20

        background: Rectangle {
            radius: 14
            color: (Styling.dark ? "#2C2B29" : "#FFFFFF")
        }
        contentItem: ColumnLayout {
            spacing: 14
            Label {
                objectName: "backupResultMessage"
                Layout.fillWidth: true
                text: resultDialog.message
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                color: resultDialog.ok ? Styling.foreground : Styling.destructiveColor
            }
            Button {
                id: okButton
                objectName: "backupResultOk"
                Layout.fillWidth: true
                text: qsTr("OK")
                Accessible.name: text
                contentItem: Label {
                    text: okButton.text
                    color: Styling.accent
                    font.bold: true
                    horizontalAlignment: Text.AlignHCenter
                }
                onClicked: resultDialog.close()
            }
        }
    }
}

import QtQuick
import QtQuick.Controls
import Velmora.App
import Velmora.Model
import Velmora.Screens
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
    function restoreFrom(url) {
        const result = backup.restoreFrom(url)
        // Restored chores ask for their reminders like chores saved in the editor. A QVariantMap
        // reaches QML as an object with its keys; Qt 6.4's qmllint looks for them on the map type.
        if (result.ok) // qmllint disable type
            App.scheduleAllReminders()
        report(result)
    }
    function exportCalendarTo(url) { report(backup.exportCalendar(url)) }
    property string resultMessage
    property bool resultShown: false

    function report(result) {
        resultMessage = result.message
        root.dialogs().showResult(result.ok, resultMessage)
    }
    // The dialogs, loaded on the first call.
    function dialogs() {
        loader.active = true
        return loader.item
    }

    Backup {
        id: backup
        store: App.store
    }

    Menu {
        id: menu
        objectName: "backupMenu"
        MenuItem {
            objectName: "menuBackUp"
            text: qsTr("Back up chores")
            icon.source: Symbols.source("square.and.arrow.up", Styling.foreground)
            onTriggered: root.dialogs().chooseBackUp()
        }
        MenuItem {
            objectName: "menuRestore"
            text: qsTr("Restore chores")
            icon.source: Symbols.source("square.and.arrow.down", Styling.foreground)
            onTriggered: root.dialogs().chooseRestore()
        }
        MenuSeparator {}
        MenuItem {
            objectName: "menuCalendar"
            text: qsTr("Export to calendar")
            icon.source: Symbols.source("calendar", Styling.foreground)
            onTriggered: root.dialogs().chooseCalendar()
        }
    }

    // By URL, not by type, so that nothing of the dialogs loads before the menu is first used.
    Loader {
        id: loader
        active: false
        source: "BackupDialogs.qml"
    }
    Connections {
        target: loader.item
        ignoreUnknownSignals: true
        function onBackUpChosen(file) { root.backUpTo(file) }
        function onRestoreChosen(file) { root.restoreFrom(file) }
        function onCalendarChosen(file) { root.exportCalendarTo(file) }
        function onResultShownChanged() { root.resultShown = root.dialogs().resultShown }
    }
}

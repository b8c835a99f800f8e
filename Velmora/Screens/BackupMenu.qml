import QtQuick
import Velmora.App
import Velmora.Model
import Velmora.Styling

// The shelf's sync and backup button: a menu to open the sync account or the household, back up,
// restore or export to a calendar, the file dialogs behind it, and the outcome told in one sentence
// (all in BackupPopups.qml).
IconButton {
    id: root
    objectName: "backupButton"
    text: qsTr("Sync and back up")
    symbol: "arrow.triangle.2.circlepath"
    onClicked: root.popups().openMenu(root, root.visualFocus)

    // What each dialog does once a file is chosen.
    function backUpTo(url) { report(backup.exportTo(url)) }
    function restoreFrom(url) { report(backup.restoreFrom(url)) }
    function exportCalendarTo(url) { report(backup.exportCalendar(url)) }
    property string resultMessage
    property bool resultShown: false

    function report(result) {
        resultMessage = result.message
        root.popups().showResult(result.ok, resultMessage)
    }
    // The menu and the dialogs, loaded on the first call.
    function popups() {
        loader.active = true
        return loader.item
    }

    Backup {
        id: backup
        changes: App.changes
    }

    // By URL, not by type, so that nothing of them loads before the button is first used.
    Loader {
        id: loader
        active: false
        source: "BackupPopups.qml"
    }
    Connections {
        target: loader.item
        ignoreUnknownSignals: true
        function onBackUpChosen(file) { root.backUpTo(file) }
        function onRestoreChosen(file) { root.restoreFrom(file) }
        function onCalendarChosen(file) { root.exportCalendarTo(file) }
        function onSyncChosen() { App.router.push(Router.SyncAccount, null) }
        function onHouseholdChosen() { App.router.push(Router.Household, null) }
        function onResultShownChanged() { root.resultShown = root.popups().resultShown }
    }
}

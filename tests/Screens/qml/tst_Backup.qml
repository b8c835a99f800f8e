import QtQuick
import QtTest

TestCase {
    id: test
    name: "Backup"
    when: windowShown
    property var window: null

    function init() {
        fixture.reset()
        const component = Qt.createComponent("qrc:/qt/qml/Velmora/App/Root/Main.qml")
        verify(component.status === Component.Ready, component.errorString())
        window = component.createObject(null)
        waitForRendering(window.contentItem)
    }
    function cleanup() {
        window.destroy()
        window = null
    }

    function test_backUpWipeRestore() {
        fixture.addChore("Water", 0, 3, true)
        fixture.addChore("Bins", 0, 1, false)
        const menu = findChild(window.contentItem, "backupButton")
        verify(menu)
        const file = fixture.fileUrl("backup.json")
        menu.backUpTo(file)
        tryVerify(() => menu.resultShown)
        compare(menu.resultMessage, "Backed up 2 chore(s).")

        fixture.removeAll()
        compare(fixture.storedCount(), 0)
        compare(fixture.pendingReminders(), 0)
        menu.restoreFrom(file)
        compare(menu.resultMessage, "Restored 2 chore(s).")
        compare(fixture.activeTitles(), ["Bins", "Water"])
        // The restored reminder is pending again, as after a save in the editor.
        compare(fixture.pendingReminders(), 1)
        compare(fixture.pendingTitle(0), "Water")
        const shot = grabImage(window.contentItem)
        shot.save(fixture.fileUrl("backup-result.png").toString().replace("file://", ""))

        menu.restoreFrom(file)
        compare(menu.resultMessage, "Every chore in the backup is already here.")
        compare(fixture.storedCount(), 2)
    }

    function test_aFileThatIsNoBackupSaysSoAndChangesNothing() {
        fixture.addChore("Keep", 0, 2)
        const menu = findChild(window.contentItem, "backupButton")
        menu.exportCalendarTo(fixture.fileUrl("not-a-backup.json")) // an .ics file is no backup
        menu.restoreFrom(fixture.fileUrl("not-a-backup.json"))
        verify(menu.resultMessage.indexOf("not a Taskarello backup") >= 0, menu.resultMessage)
        compare(fixture.storedCount(), 1)
    }
}

import QtQuick
import QtQuick.Controls
import QtTest
import Velmora.Notifications
import Velmora.Screens

TestCase {
    id: testCase
    name: "NotificationsNotices"
    when: windowShown
    visible: true
    width: 400
    height: 400

    Component {
        id: viewComponent
        Column {
            id: column
            required property NotificationsManager manager
            Button { objectName: "before"; focusPolicy: Qt.StrongFocus }
            NotificationsNoticesView { width: 360; notificationsManager: column.manager }
        }
    }
    SignalSpy { id: answers; signalName: "settingsChanged" }

    // The notice shows exactly while no notification server answers on the session bus, once that
    // is known. Its button shows the keyboard's focus and asks again; when the notice goes, the
    // focus shows on the item before it.
    function test_noticeFollowsTheServer_data() {
        return [
            { tag: "server", server: true, notice: false },
            { tag: "noServer", server: false, notice: true, serverOnCheck: false, focusAfter: "noticeButton" },
            { tag: "serverStartedBeforeTheCheck", server: false, notice: true, serverOnCheck: true, focusAfter: "before" },
        ]
    }

    function test_noticeFollowsTheServer(data) {
        verify(setup.serve(data.server))
        const manager = setup.newManager()
        const made = createTemporaryObject(viewComponent, testCase, { manager: manager })
        answers.target = manager
        manager.refreshSettings()
        compare(findChild(made, "noNotificationService"), null, "nothing before the answer")
        answers.wait(5000)
        compare(findChild(made, "noNotificationService") !== null, data.notice)
        if (!data.notice)
            return
        findChild(made, "before").forceActiveFocus()
        keyClick(Qt.Key_Tab)
        verify(findChild(made, "noticeButton").visualFocus)
        verify(setup.serve(data.serverOnCheck))
        answers.clear()
        keyClick(Qt.Key_Space)
        // The same answer again is no change, so no signal: there is only its time to wait.
        if (data.serverOnCheck)
            answers.wait(5000)
        else
            wait(500)
        compare(answers.count, data.serverOnCheck ? 1 : 0)
        compare(findChild(made, "noNotificationService") === null, data.serverOnCheck)
        compare(testCase.Window.activeFocusItem.objectName, data.focusAfter)
        verify(testCase.Window.activeFocusItem.visualFocus)
    }
}

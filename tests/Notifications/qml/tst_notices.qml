import QtQuick
import QtTest
import Velmora.Notifications

TestCase {
    id: testCase
    name: "NotificationsNotices"
    when: windowShown
    visible: true
    width: 400
    height: 400

    Component { id: viewComponent; NotificationsNoticesView { width: 360 } }

    // The view on a manager whose settings have been fetched once, unless fetch is false.
    function makeView(status, statusAfterRequest, fetch) {
        const manager = fakeService.newManager(status, statusAfterRequest)
        const view = createTemporaryObject(viewComponent, testCase, { notificationsManager: manager })
        if (fetch !== false) {
            manager.refreshSettings()
            verify(!manager.hasSettings, "assigned later, not inside the call")
            tryVerify(() => manager.hasSettings)
        }
        wait(20)
        return { manager: manager, view: view }
    }

    function test_statusChoosesTheNotice_data() {
        return [
            { tag: "notFetched", status: 0, fetch: false, ask: false, inform: false },
            { tag: "notAsked", status: 0, ask: true, inform: false },
            { tag: "denied", status: 1, ask: false, inform: true },
            { tag: "allowed", status: 2, ask: false, inform: false },
            { tag: "allowedOtherwise", status: 3, ask: false, inform: false },
        ]
    }

    function test_statusChoosesTheNotice(data) {
        const made = makeView(data.status, 2, data.fetch)
        compare(findChild(made.view, "askForPermission") !== null, data.ask)
        compare(findChild(made.view, "informOfLackingPermissions") !== null, data.inform)
        compare(made.view.implicitHeight > 0, data.ask || data.inform)
    }

    function test_allowingAsksAndTheNoticeFollowsTheAnswer_data() {
        return [
            { tag: "granted", answer: 2, inform: false },
            { tag: "refused", answer: 1, inform: true },
        ]
    }

    function test_allowingAsksAndTheNoticeFollowsTheAnswer(data) {
        const made = makeView(0, data.answer)
        const requestsBefore = fakeService.authorizationRequests
        const button = findChild(findChild(made.view, "askForPermission"), "noticeButton")
        verify(button)
        mouseClick(button)
        tryCompare(fakeService, "authorizationRequests", requestsBefore + 1)
        tryVerify(() => findChild(made.view, "askForPermission") === null)
        tryCompare(made.manager, "authorizationStatus", data.answer)
        compare(findChild(made.view, "informOfLackingPermissions") !== null, data.inform)
    }
}

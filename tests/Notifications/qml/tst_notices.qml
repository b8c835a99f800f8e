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

    // The notice each status shows; where the user is asked, the click asks the service once and
    // the notice follows its answer.
    function test_statusChoosesTheNotice_data() {
        return [
            { tag: "notFetched", status: 0, fetch: false, ask: false, inform: false },
            { tag: "notAskedThenGranted", status: 0, ask: true, inform: false, answer: 2, informAfter: false },
            { tag: "notAskedThenRefused", status: 0, ask: true, inform: false, answer: 1, informAfter: true },
            { tag: "denied", status: 1, ask: false, inform: true },
            { tag: "allowed", status: 2, ask: false, inform: false },
            { tag: "allowedOtherwise", status: 3, ask: false, inform: false },
        ]
    }

    function test_statusChoosesTheNotice(data) {
        const made = makeView(data.status, data.answer ?? 2, data.fetch)
        compare(findChild(made.view, "askForPermission") !== null, data.ask)
        compare(findChild(made.view, "informOfLackingPermissions") !== null, data.inform)
        compare(made.view.implicitHeight > 0, data.ask || data.inform)
        if (data.answer === undefined)
            return
        const requestsBefore = fakeService.authorizationRequests
        mouseClick(findChild(findChild(made.view, "askForPermission"), "noticeButton"))
        tryCompare(fakeService, "authorizationRequests", requestsBefore + 1)
        tryVerify(() => findChild(made.view, "askForPermission") === null)
        tryCompare(made.manager, "authorizationStatus", data.answer)
        compare(findChild(made.view, "informOfLackingPermissions") !== null, data.informAfter)
    }
}

import QtQuick
import QtTest

TestCase {
    id: test
    name: "Journal"
    when: windowShown
    property var window: null

    function init() {
        fixture.reset()
    }
    function cleanup() {
        if (window)
            window.destroy()
        window = null
    }
    function start() {
        const component = Qt.createComponent("qrc:/qt/qml/Velmora/App/Root/Main.qml")
        verify(component.status === Component.Ready, component.errorString())
        window = component.createObject(null)
        waitForRendering(window.contentItem)
        mouseClick(findChild(window.contentItem, "journalButton"))
        tryVerify(() => find("journalView") !== null && find("journalView").mapToItem(null, 0, 0).x === 0)
        return find("journalView")
    }
    function find(name) {
        return findChild(window.contentItem, name)
    }
    function tilesOf(item, out) {
        for (let i = 0; i < item.children.length; ++i) {
            const child = item.children[i]
            if (child.chore !== undefined && child.took !== undefined)
                out.push(child)
            else
                tilesOf(child, out)
        }
        return out
    }

    function test_noLogs() {
        start()
        verify(find("noLogs").visible)
        mouseClick(findChild(find("journalView"), "closeButton"))
        tryVerify(() => find("journalView") === null)
    }

    function test_sectionsPerDayNewestFirst() {
        fixture.addFinished("yesterday", 1, 9)
        fixture.addFinished("this morning", 0, 8)
        fixture.addFinished("this evening", 0, 9)
        const view = start()
        verify(!find("noLogs").visible)
        const at = t => t.mapToItem(view, 0, 0)
        const sorted = () => tilesOf(view, []).sort((a, b) => at(a).y - at(b).y || at(a).x - at(b).x)
        // Two sections: today's two tiles share a row, yesterday's sits below.
        tryVerify(() => { const t = sorted(); return t.length === 3 && at(t[0]).y === at(t[1]).y }, 2000,
                  JSON.stringify(sorted().map(t => [t.chore.title, at(t).x, at(t).y])))
        const tiles = sorted()
        compare(tiles.map(t => t.chore.title), ["this evening", "this morning", "yesterday"])
        verify(at(tiles[2]).y > at(tiles[0]).y + tiles[0].height)
    }

    function test_deleteFromTheJournalDetail() {
        fixture.addFinished("old", 2, 10)
        const view = start()
        const tile = tilesOf(view, [])[0]
        mouseClick(tile)
        tryVerify(() => find("journalChoreView") !== null)
        const detail = find("journalChoreView")
        findChild(detail, "deleteButton").clicked()
        const alert = detail.deleteAlert
        tryVerify(() => alert.opened)
        findChild(alert, "confirmButton").clicked()
        tryVerify(() => find("journalChoreView") === null)
        compare(fixture.storedCount(), 0)
        tryVerify(() => find("noLogs").visible)
    }

    function test_repeatFromTheJournalIsACopyFromToday() {
        fixture.addFinished("again", 5, 10)
        const view = start()
        mouseClick(tilesOf(view, [])[0])
        tryVerify(() => find("journalChoreView") !== null && find("journalChoreView").mapToItem(null, 0, 0).x === 0)
        const detail = find("journalChoreView")
        detail.actions[0].clicked()
        tryVerify(() => find("choreEditor") !== null && find("choreEditor").mapToItem(null, 0, 0).x === 0)
        const editor = find("choreEditor")
        compare(findChild(editor, "saveButton").text, "Add")
        compare(findChild(editor, "plannedRow").label, "3 days")
        mouseClick(findChild(editor, "saveButton"))
        // Saving a copy returns straight to the main screen.
        tryVerify(() => find("choreEditor") === null && find("journalView") === null)
        compare(fixture.activeTitles(), ["again"])
        compare(fixture.journalCount(), 1)
    }
}

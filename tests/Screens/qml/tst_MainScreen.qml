import QtQuick
import QtTest

TestCase {
    id: test
    name: "MainScreen"
    when: windowShown
    property var window: null

    function init() {
        fixture.reset()
    }
    function cleanup() {
        if (window) {
            window.destroy()
            window = null
        }
    }
    function start() {
        const component = Qt.createComponent("qrc:/qt/qml/Velmora/App/Root/Main.qml")
        verify(component.status === Component.Ready, component.errorString())
        window = component.createObject(null)
        verify(window !== null)
        waitForRendering(window.contentItem)
        return window
    }
    function find(name) {
        return findChild(window.contentItem, name) || findChild(window.overlay, name)
    }
    function tiles() {
        const grid = find("choresGrid")
        const out = []
        for (let i = 0; i < grid.children.length; ++i) {
            if (grid.children[i].chore !== undefined)
                out.push(grid.children[i])
        }
        out.sort((a, b) => a.y - b.y || a.x - b.x)
        return out
    }

    function test_emptyStoreShowsThePlaceholder() {
        start()
        verify(find("noChores").visible)
        verify(!find("choresScroller").visible)
    }

    function test_choresAppearInDueThenStartThenTitleOrder() {
        fixture.addChore("Chore 10", 0, 3)
        fixture.addChore("later", 0, 9)
        fixture.addChore("chore 2", 0, 3)
        start()
        verify(!find("noChores").visible)
        const shown = tiles()
        compare(shown.length, 3)
        compare(shown.map(t => t.chore.title), ["chore 2", "Chore 10", "later"])
        // Three in a row on a phone-wide window: same row, left to right.
        compare(shown[0].y, shown[2].y)
        verify(shown[0].x < shown[1].x && shown[1].x < shown[2].x)
    }

    function test_finishAsksFirstAndCancelChangesNothing() {
        fixture.addChore("keep", 0, 2)
        fixture.addChore("finish me", 0, 1)
        start()
        let tile = tiles()[0]
        compare(tile.chore.title, "finish me")
        mouseClick(tile, tile.width / 2, tile.height / 2, Qt.RightButton)
        const view = find("choresView")
        const menu = view.menu()
        tryVerify(() => menu.opened)
        const finishItem = findChild(menu, "menuFinish")
        verify(finishItem)
        finishItem.triggered()
        const alert = view.finishAlert
        tryVerify(() => alert.opened)
        compare(fixture.activeCount(), 2)

        findChild(alert, "cancelButton").clicked()
        tryVerify(() => !alert.visible)
        compare(fixture.activeCount(), 2)
        compare(fixture.journalCount(), 0)

    }

    function test_finishConfirmedMovesTheChoreToTheJournal() {
        fixture.addChore("finish me", 0, 1)
        start()
        const tile = tiles()[0]
        mouseClick(tile, tile.width / 2, tile.height / 2, Qt.RightButton)
        const view = find("choresView")
        tryVerify(() => view.menu().opened)
        findChild(view.menu(), "menuFinish").triggered()
        const alert = view.finishAlert
        tryVerify(() => alert.opened)
        findChild(alert, "confirmButton").clicked()
        tryVerify(() => fixture.activeCount() === 0)
        compare(fixture.journalCount(), 1)
        tryVerify(() => find("noChores").visible)
    }

    function test_deleteFromTheDetailScreenClosesIt() {
        fixture.addChore("delete me", 0, 4)
        start()
        const tile = tiles()[0]
        mouseClick(tile)
        const detail = find("choreView")
        tryVerify(() => detail !== null && detail.visible)
        findChild(detail, "deleteButton").clicked()
        const alert = findChild(detail, "deleteAlert") || find("deleteAlert")
        tryVerify(() => alert.opened)
        findChild(alert, "confirmButton").clicked()
        tryVerify(() => find("choreView") === null)
        compare(fixture.storedCount(), 0)
        tryVerify(() => find("noChores").visible)
    }

    function test_crossingMidnightTurnsTodayIntoOverdue() {
        fixture.addChore("due today", -2, 0)
        start()
        const tile = tiles()[0]
        const text = () => tile.item.Accessible.name
        verify(text().indexOf("today") >= 0, text())
        fixture.crossMidnight()
        tryVerify(() => text().indexOf("overdue") >= 0, 2000, text())
    }

    function test_aLongListMakesTilesAsTheyComeIntoView() {
        for (let i = 0; i < 300; ++i)
            fixture.addChore("chore " + i, 0, i % 90)
        start()
        const grid = find("choresGrid")
        const slots = () => {
            const out = []
            for (let i = 0; i < grid.children.length; ++i) {
                if (grid.children[i].chore !== undefined)
                    out.push(grid.children[i])
            }
            return out.sort((a, b) => a.y - b.y || a.x - b.x)
        }
        compare(slots().length, 300)
        const made = () => slots().filter(s => s.item !== null).length
        verify(made() < 300, made())
        verify(made() >= 30, made())
        // Every row has the made tiles' height, so the grid is as tall as 100 full rows.
        const last = slots()[299]
        compare(last.y, 99 * (slots()[0].height + 8))
        const scroller = find("choresScroller")
        scroller.contentY = scroller.contentHeight - scroller.height
        tryVerify(() => last.item !== null)
        compare(last.item.chore.title, last.chore.title)
    }
}

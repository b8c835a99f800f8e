import QtQuick
import QtTest

TestCase {
    id: test
    name: "Editor"
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
    function find(name) {
        return findChild(window.contentItem, name)
    }
    function openEditor(button) {
        mouseClick(find(button))
        // Pushed and slid fully into place.
        tryVerify(() => find("choreEditor") !== null && find("choreEditor").mapToItem(null, 0, 0).x === 0)
        return find("choreEditor")
    }
    function tileTitles() {
        const grid = find("choresGrid")
        const out = []
        for (let i = 0; i < grid.children.length; ++i) {
            if (grid.children[i].chore !== undefined)
                out.push(grid.children[i].chore.title)
        }
        return out
    }

    function test_addingAChoreThroughTheScreen() {
        const editor = openEditor("addButton")
        const field = findChild(editor, "titleField")
        field.forceActiveFocus()
        for (const key of "Mop")
            keyClick(key)
        keyClick(Qt.Key_Return) // submitting the field does nothing but keep the text
        compare(field.text, "Mop")
        verify(find("choreEditor") !== null)

        const more = findChild(editor, "moreDays")
        mouseClick(more)
        mouseClick(more)
        compare(findChild(editor, "plannedRow").label, "2 days")
        mouseClick(findChild(editor, "notifyToggle"))
        verify(findChild(editor, "timePicker").visible)
        verify(findChild(editor, "notices").visible)
        compare(findChild(editor, "saveButton").text, "Add")

        mouseClick(findChild(editor, "saveButton"))
        tryVerify(() => find("choreEditor") === null)
        compare(fixture.activeTitles(), ["Mop"])
        compare(fixture.pendingReminders(), 1)
        compare(fixture.pendingTitle(0), "Mop")
        tryCompare(test, "shownTitles", ["Mop"])
    }
    readonly property var shownTitles: window && find("choresGrid") ? tileTitles() : []

    function test_closeSavesNothing() {
        const editor = openEditor("addButton")
        findChild(editor, "titleField").text = "never"
        mouseClick(findChild(editor, "closeButton"))
        tryVerify(() => find("choreEditor") === null)
        compare(fixture.storedCount(), 0)
        verify(find("noChores").visible)
    }
}

import QtQuick
import QtQuick.Controls
import Velmora.App
import Velmora.Screens
import Velmora.Styling

// The menu of a chore tile, one for all of them; it opens over the tile it is given. Finishing
// and deleting are asked for, not done: the list confirms them first.
Menu {
    id: menu
    objectName: "choreMenu"
    property var chore: null
    signal finishRequested(var chore)
    // Finished by someone else than this computer's member, on a computer the household shares.
    signal finishByRequested(var chore, string member)
    // Held as a property: a menu among the items would be made a submenu.
    readonly property MembersMenu members: MembersMenu {
        objectName: "finishedByMenu"
        onChosen: function (name) { menu.finishByRequested(menu.chore, name) }
    }
    signal deleteRequested(var chore)
    // From the keyboard it opens under the tile rather than at the pointer, far off, and its
    // first item is highlighted, so the focus shows at once.
    property Item tile: null
    property bool byKeyboard: false
    // Opened once this menu has closed, which would take the focus back from it.
    property bool membersNext: false
    onClosed: {
        if (!menu.membersNext)
            return
        menu.membersNext = false
        menu.members.popup(menu.tile, 0, menu.tile.height)
        if (menu.byKeyboard)
            menu.members.currentIndex = 0
    }
    function openFor(chore, tile, byKeyboard) {
        menu.chore = chore
        menu.tile = tile
        menu.byKeyboard = byKeyboard === true
        if (byKeyboard) {
            menu.popup(tile, 0, tile.height)
            menu.currentIndex = 0
        } else {
            menu.popup(tile)
        }
    }
    PressableMenuItem {
        objectName: "menuEdit"
        text: qsTr("Edit")
        icon.source: Symbols.source("square.and.pencil", Styling.foreground)
        onTriggered: App.router.push(Router.UpdateChore, menu.chore)
    }
    MenuSeparator {}
    PressableMenuItem {
        objectName: "menuFinish"
        text: qsTr("Finish")
        icon.source: Symbols.source("forward.end", Styling.foreground)
        onTriggered: menu.finishRequested(menu.chore)
    }
    // The members in a menu of their own at the tile: a submenu's item went unnamed to a screen reader.
    PressableMenuItem {
        objectName: "menuFinishedBy"
        text: qsTr("Finished by…")
        // Without a symbol its text stood out of line with the others'.
        icon.source: Symbols.source("person", Styling.foreground)
        onTriggered: menu.membersNext = true
    }
    PressableMenuItem {
        objectName: "menuRepeat"
        text: qsTr("Repeat")
        Accessible.description: ScreenTexts.repeatExplanation
        icon.source: Symbols.source("repeat", Styling.foreground)
        onTriggered: App.router.push(Router.RepeatChore, menu.chore)
    }
    MenuSeparator {}
    PressableMenuItem {
        objectName: "menuDelete"
        text: qsTr("Delete")
        icon.source: Symbols.source("trash", Styling.destructiveColor)
        palette.windowText: Styling.destructiveColor
        onTriggered: menu.deleteRequested(menu.chore)
    }
}

import QtQuick
import QtQuick.Controls
import Velmora.App
import Velmora.Layout
import Velmora.Screens
import Velmora.Styling

// Every active chore as a tile in a scrolling grid, or a placeholder when there is none.
Item {
    id: root
    objectName: "choresView"
    property bool compact: true
    property real topInset: 0
    // Where the focus goes when the last tile goes.
    property Item addButton: null
    readonly property int count: App.chores.count
    // How many tiles have come into view so far, below the shelf: those are made and kept. Making
    // more ahead would only move their cost before the first frame.
    readonly property int near: grid.columns
        * Math.ceil((scroller.contentY + scroller.height - root.topInset) / Math.max(grid.rowHeight + grid.gap, 60))
    property int reached: 0
    onNearChanged: reached = Math.max(reached, near)
    Component.onCompleted: reached = near
    // The tile the keys act on; the only tile that Tab stops at.
    property int current: 0
    // Looked up when asked: itemAt() notifies nothing, so a binding made before the tiles were
    // would stay empty, and no key would reach a tile of a store that had chores at start.
    function currentTile(): Item {
        return current < count ? tileSlots.itemAt(current) : null
    }

    // Makes the tile, scrolls it into view and gives it the focus.
    function focusTile(index) {
        if (count === 0)
            return
        const next = Math.max(0, Math.min(count - 1, index))
        reached = Math.max(reached, next + 1)
        const tile = tileSlots.itemAt(next)
        if (!tile)
            return
        // A tile made just now is placed at the next frame: a held key outran it, and the focus
        // went on below the view.
        grid.forceLayout()
        const top = grid.y + tile.y
        if (top < scroller.contentY + topInset)
            scroller.contentY = Math.max(0, top - topInset)
        else if (top + tile.height > scroller.contentY + scroller.height)
            scroller.contentY = top + tile.height - scroller.height + 8
        // The focus moves first: the tile that had it stops being a Tab stop only once it lost it.
        tile.forceActiveFocus(Qt.TabFocusReason)
        current = next
    }
    onCountChanged: if (current >= count) current = Math.max(0, count - 1)

    // Keys that reach the list: from a focused tile, or from the screen while nothing has focus.
    Keys.onPressed: function (event) {
        const tile = root.currentTile()
        const focused = tile && tile.activeFocus
        const columns = Math.max(1, grid.columns)
        const page = columns * Math.max(1, Math.floor((scroller.height - root.topInset) / (grid.rowHeight + grid.gap)))
        const steps = { [Qt.Key_Left]: -1, [Qt.Key_Right]: 1, [Qt.Key_Up]: -columns, [Qt.Key_Down]: columns,
                        [Qt.Key_PageUp]: -page, [Qt.Key_PageDown]: page, [Qt.Key_Home]: -root.count, [Qt.Key_End]: root.count }
        if (steps[event.key] !== undefined && !(event.modifiers & (Qt.ControlModifier | Qt.AltModifier | Qt.ShiftModifier))) {
            root.focusTile(focused ? root.current + steps[event.key] : root.current)
        } else if (!focused) {
            return
        } else if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space) {
            App.router.push(Router.ViewChore, tile.chore)
        } else if (event.key === Qt.Key_Menu || (event.key === Qt.Key_F10 && event.modifiers & Qt.ShiftModifier)) {
            root.menu().openFor(tile.chore, tile, true)
        } else if (event.key === Qt.Key_Delete) {
            root.alert(deleteAlert).openFor(tile.chore)
        } else {
            return
        }
        event.accepted = true
    }

    // Made only while there is no chore: its texts and symbol would cost every other start for nothing.
    // qmllint disable unqualified
    Loader {
        anchors.fill: parent
        active: root.count === 0
        sourceComponent: Item {
            EmptyState {
                objectName: "noChores"
                anchors.verticalCenterOffset: root.topInset / 2
                // Showing only this computer's member's, the others' may be hidden, not gone.
                readonly property bool mine: App.household.mineOnly
                readonly property string showAll: qsTr("Only your chores and those for anyone are shown: press %1 to see everyone's.")
                    .arg(ScreenTexts.keysText("Ctrl+M"))
                title: mine ? qsTr("Nothing for you") : qsTr("No chores")
                descriptionFormat: mine ? Text.PlainText : Text.StyledText
                // One sentence for translators, with the add button's symbol in its place.
                description: mine ? showAll : qsTr("Click %1 or press %2 to add a chore")
                    .arg("<img src=\"" + Symbols.source("plus.circle.fill", Styling.accent) + "\" width=\"18\" height=\"18\">")
                    .arg(ScreenTexts.keysText("Ctrl+N"))
                spokenDescription: mine ? showAll : qsTr("Click %1 or press %2 to add a chore").arg("+").arg(ScreenTexts.keysText("Ctrl+N"))
                symbolSize: 44
            }
        }
    }
    // qmllint enable unqualified

    Flickable {
        id: scroller
        objectName: "choresScroller"
        visible: root.count > 0
        anchors.fill: parent
        contentWidth: width
        contentHeight: grid.height + root.topInset + 24
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {
            policy: ScrollBar.AsNeeded
            // Out of the accessibility tree while there is nothing to scroll.
            Accessible.ignored: !visible || size >= 1
        }

        ThumbsLayout {
            id: grid
            objectName: "choresGrid"
            x: Styling.horizontalPadding
            y: root.topInset
            width: scroller.width - 2 * Styling.horizontalPadding
            height: implicitHeight
            minWidth: root.compact ? 80 : 120
            minHeight: 10
            gap: 8
            rowsStrategy: ThumbsLayout.Basic

            Repeater {
                id: tileSlots
                // Tiles are made when they first come near the view: a long list then starts as fast
                // as a short one, and a row not reached yet has no delegate at all.
                // A delegate bound to this file warns on Qt 6.4, so it stays unbound and qmllint
                // takes this file's ids as unqualified.
                // qmllint disable unqualified
                model: FirstRows {
                    source: App.chores
                    limit: root.reached
                }
                delegate: ChoreThumb {
                    id: slot
                    required property int index
                    // Qt will not take the Tab stop from the focused item: it keeps it until it lets go.
                    activeFocusOnTab: slot.index === root.current || activeFocus
                    onActiveFocusChanged: if (activeFocus) root.current = slot.index
                    // The focused tile stays the Tab stop wherever the list moves it.
                    onIndexChanged: if (activeFocus && index >= 0) root.current = index
                }
                // qmllint enable unqualified
            }

            // One handler for the whole grid: hundreds of tiles with handlers of their own
            // cost more to create than everything else on the screen.
            TapHandler {
                id: tiles
                acceptedButtons: Qt.LeftButton | Qt.RightButton
                function tileAt(position) {
                    const tile = grid.childAt(position.x, position.y)
                    return tile && tile.chore !== undefined ? tile : null
                }
                onTapped: function (eventPoint, button) {
                    const tile = tileAt(eventPoint.position)
                    if (!tile)
                        return
                    if (button === Qt.RightButton)
                        root.menu().openFor(tile.chore, tile)
                    else
                        App.router.push(Router.ViewChore, tile.chore)
                }
                onLongPressed: {
                    const tile = tileAt(tiles.point.position)
                    if (tile)
                        root.menu().openFor(tile.chore, tile)
                }
            }
        }
    }

    // One menu and one pair of confirmations serve every tile: at most one is open at a time.
    // The menu is loaded on the first long press, by URL so that nothing of it loads before.
    Loader {
        id: menuLoader
        active: false
        source: "ChoreMenu.qml"
    }
    Connections {
        target: menuLoader.item
        ignoreUnknownSignals: true
        function onFinishRequested(chore) { root.finishingBy = ""; root.alert(finishAlert).openFor(chore) }
        function onFinishByRequested(chore, member) { root.finishingBy = member; root.alert(finishAlert).openFor(chore) }
        function onDeleteRequested(chore) { root.alert(deleteAlert).openFor(chore) }
    }
    // A removed tile that held the list's focus hands it on: to the tile after it, else the one
    // before, else the add button. Given within the list's scope, a screen on top keeps its own.
    property int handOverAt: -1
    Connections {
        target: App.chores
        function onRowsAboutToBeRemoved(parent, first, last) {
            const tile = tileSlots.itemAt(root.current)
            if (tile && tile.focus && root.current >= first && root.current <= last)
                root.handOverAt = first
        }
    }
    // Once the removal is over and the tiles after it have moved up.
    Timer {
        running: root.handOverAt >= 0
        interval: 0
        onTriggered: {
            const next = Math.min(root.handOverAt, root.count - 1)
            root.handOverAt = -1
            if (next < 0) {
                if (root.addButton)
                    root.addButton.focus = true
                return
            }
            root.current = next
            root.reached = Math.max(root.reached, next + 1)
            const tile = tileSlots.itemAt(next)
            if (tile)
                tile.focus = true
        }
    }
    // The window's key habits, kept by the list, which lives as long as its window.
    KeyboardHabits {}

    // The tiles' menu, loaded on the first call.
    function menu() {
        menuLoader.active = true
        return menuLoader.item
    }

    // The confirmations, loaded on their first call, by URL: nothing of the dialogs loads with the window.
    function alert(loader) {
        loader.active = true
        return loader.item
    }
    Loader {
        id: deleteAlert
        active: false
        source: "ActionAlert.qml"
        onLoaded: {
            const alert = root.alert(deleteAlert)
            alert.objectName = "deleteAlert"
            alert.title = Qt.binding(() => qsTr("Delete “%1”?").arg(alert.chore ? alert.chore.shownTitle : ""))
            alert.confirmText = qsTr("Delete")
            alert.confirmed.connect(() => App.changes.remove(alert.chore))
        }
    }
    // Who the finish confirmed next is recorded for; this computer's member when empty.
    property string finishingBy
    Loader {
        id: finishAlert
        active: false
        source: "ActionAlert.qml"
        onLoaded: {
            const alert = root.alert(finishAlert)
            alert.objectName = "finishAlert"
            alert.title = Qt.binding(() => root.finishingBy.length > 0 ? qsTr("Finished by %1?").arg(root.finishingBy)
                                                                       : qsTr("Finish this chore?"))
            alert.confirmText = qsTr("Finish")
            alert.confirmed.connect(() => root.finishingBy.length > 0 ? App.changes.finishBy(alert.chore, root.finishingBy)
                                                                      : App.changes.finish(alert.chore))
        }
    }
}

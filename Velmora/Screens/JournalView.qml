import QtQuick
import QtQuick.Controls
import Velmora.App
import Velmora.Layout
import Velmora.Screens
import Velmora.Styling

// Finished and repeated chores, one section per day they ended, newest day first.
Item {
    id: root
    objectName: "journalView"
    property bool compact: true

    JournalGroups {
        id: groups
        query: App.journal
    }
    JournalCalendar {
        id: calendar
        store: App.store
        today: App.refreshDay.date
    }
    Connections {
        // A new day or a new zone can move a chore to another day's section.
        target: App.refreshDay
        function onDateChanged() { groups.regroup() }
    }

    Rectangle {
        anchors.fill: parent
        color: Styling.backdrop
    }

    TopShelf {
        id: shelf
        // Above the content, though first in the order Tab follows.
        z: 1
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        spacing: 4
        title: ScreenTexts.upper(qsTr("Journal"))
        IconButton {
            id: closeButton
            objectName: "closeButton"
            text: qsTr("Close")
            symbol: "xmark"
            onClicked: App.router.pop()
        }
    }

    EmptyState {
        objectName: "noLogs"
        visible: groups.count === 0
        padded: false
        title: qsTr("No logs")
        description: qsTr("Finished and repeated chores are added to the journal")
    }

    Flickable {
        id: scroller
        visible: groups.count > 0
        anchors.fill: parent
        contentWidth: width
        contentHeight: sections.implicitHeight + shelf.height + 24
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {
            policy: ScrollBar.AsNeeded
            // Out of the accessibility tree while there is nothing to scroll.
            Accessible.ignored: !visible || size >= 1
        }

        Column {
            id: sections
            x: Styling.horizontalPadding
            y: shelf.height
            width: scroller.width - 2 * Styling.horizontalPadding
            spacing: 8

            JournalYear {
                width: sections.width
                calendar: calendar
                bottomPadding: 8
                // A picked day's section comes up under the shelf, or the nearest older one listed.
                onPicked: function (day) {
                    const section = sectionRepeater.itemAt(groups.rowOfDay(day))
                    if (section)
                        scroller.contentY = Math.max(0, Math.min(section.y, scroller.contentHeight - scroller.height))
                }
                onDayFocusedChanged: if (dayFocused) scroller.contentY = 0
            }

            // Delegates bound to this file (pragma ComponentBehavior: Bound) print a warning each on
            // Qt 6.4, so they stay unbound, and its qmllint takes this file's ids in them as unqualified.
            // qmllint disable unqualified
            Repeater {
                id: sectionRepeater
                model: groups
                delegate: Column {
                    id: section
                    required property string header
                    required property var chores
                    width: sections.width
                    spacing: 8

                    Label {
                        text: section.header
                        color: Styling.foreground
                    }
                    ThumbsLayout {
                        width: parent.width
                        height: implicitHeight
                        minWidth: root.compact ? 80 : 120
                        minHeight: 10
                        gap: 8
                        rowsStrategy: ThumbsLayout.Basic
                        Repeater {
                            model: section.chores
                            delegate: JournalThumb {
                                id: thumb
                                required property var modelData
                                chore: modelData
                                // Every journal tile is a Tab stop: the keys of the main list open
                                // it, show its menu or ask to delete it.
                                activeFocusOnTab: true
                                readonly property bool takesFocus: root.focusChore !== null && chore === root.focusChore
                                onTakesFocusChanged: if (takesFocus) forceActiveFocus()
                                Keys.onPressed: function (event) {
                                    if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space)
                                        App.router.push(Router.JournalChore, thumb.chore)
                                    else if (event.key === Qt.Key_Menu || (event.key === Qt.Key_F10 && event.modifiers & Qt.ShiftModifier))
                                        menu.openFor(thumb.chore, thumb, true)
                                    else if (event.key === Qt.Key_Delete)
                                        deleteAlert.openFor(thumb.chore)
                                    else
                                        return
                                    event.accepted = true
                                }
                                TapHandler {
                                    onTapped: App.router.push(Router.JournalChore, thumb.chore)
                                    onLongPressed: menu.openFor(thumb.chore, thumb)
                                }
                                TapHandler {
                                    acceptedButtons: Qt.RightButton
                                    onTapped: menu.openFor(thumb.chore, thumb)
                                }
                            }
                        }
                    }
                }
            }
            // qmllint enable unqualified
        }
    }

    Menu {
        id: menu
        property var chore: null
        // From the keyboard it opens under the tile, its first item highlighted, as the list's does.
        function openFor(chore, tile, byKeyboard) {
            menu.chore = chore
            if (byKeyboard) {
                menu.popup(tile, 0, tile.height)
                menu.currentIndex = 0
            } else {
                menu.popup(tile)
            }
        }
        PressableMenuItem {
            text: qsTr("Repeat")
            Accessible.description: ScreenTexts.copyExplanation
            icon.source: Symbols.source("repeat", Styling.foreground)
            onTriggered: App.router.push(Router.CopyChore, menu.chore)
        }
        MenuSeparator {}
        PressableMenuItem {
            text: qsTr("Delete")
            icon.source: Symbols.source("trash", Styling.destructiveColor)
            palette.windowText: Styling.destructiveColor
            onTriggered: deleteAlert.openFor(menu.chore)
        }
    }
    ActionAlert {
        id: deleteAlert
        title: qsTr("Delete “%1”?").arg(deleteAlert.chore ? deleteAlert.chore.shownTitle : "")
        confirmText: qsTr("Delete")
        onConfirmed: {
            const gone = root.Window.activeFocusItem
            const next = gone ? [gone.nextItemInFocusChain(true), gone.nextItemInFocusChain(false)]
                .find(item => item.chore !== undefined && item.chore !== deleteAlert.chore) : undefined
            handOver.chore = next ? next.chore : null
            const focused = gone !== null && gone.chore === deleteAlert.chore
            App.changes.remove(deleteAlert.chore)
            if (focused)
                handOver.start()
        }
    }
    // A deleted tile that had the focus hands it to the tile after it, else the one before, else
    // to Close. A day's tiles are made anew when it changes, so the tile is found by its chore,
    // once the old ones are gone.
    property var focusChore: null
    Timer {
        id: handOver
        property var chore: null
        interval: 0
        onTriggered: {
            root.focusChore = chore
            root.focusChore = null
            if (!chore)
                closeButton.forceActiveFocus()
        }
    }
}

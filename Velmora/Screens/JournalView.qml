import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
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
        AppTitle {
            text: ScreenTexts.upper(qsTr("Journal"))
            Layout.fillWidth: true
        }
        IconButton {
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

            // Delegates bound to this file (pragma ComponentBehavior: Bound) print a warning each on
            // Qt 6.4, so they stay unbound, and its qmllint takes this file's ids in them as unqualified.
            // qmllint disable unqualified
            Repeater {
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
                                Keys.onPressed: function (event) {
                                    if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space)
                                        App.router.push(Router.JournalChore, thumb.chore)
                                    else if (event.key === Qt.Key_Menu || (event.key === Qt.Key_F10 && event.modifiers & Qt.ShiftModifier))
                                        menu.openFor(thumb.chore, thumb)
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
        function openFor(chore, tile) {
            menu.chore = chore
            menu.popup(tile)
        }
        PressableMenuItem {
            text: qsTr("Repeat")
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
        title: qsTr("Delete this chore?")
        confirmText: qsTr("Delete")
        onConfirmed: App.changes.remove(deleteAlert.chore)
    }
}

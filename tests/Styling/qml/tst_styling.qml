import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import QtTest
import Velmora.Styling

Item {
    id: root
    width: 390
    height: 600

    ColumnLayout {
        width: root.width
        spacing: 0

        TopShelf {
            id: top
            Layout.fillWidth: true
            AppTitle {
                id: title
                text: "A title far too long to fit beside the buttons of the shelf"
            }
            IconButton {
                id: add
                text: qsTr("Add chore")
                symbol: "plus"
            }
            IconButton {
                id: remove
                text: qsTr("Delete")
                symbol: "trash"
                destructive: true
            }
        }

        StyledTextField {
            id: field
            Layout.fillWidth: true
        }

        BottomShelf {
            id: bottom
            Layout.fillWidth: true
            GreedyButton {
                id: finish
                text: qsTr("Finish")
            }
        }
    }

    SymbolImage {
        id: known
        name: "bell"
        color: "white"
    }
    SymbolImage {
        id: unknown
        name: "no.such.symbol"
    }

    TestCase {
        name: "Styling"
        when: windowShown

        function fill(button) {
            return button.background.children[0]
        }

        function test_constants() {
            compare(Styling.horizontalPadding, 32)
            verify(Styling.backdrop !== Styling.destructiveColor)
        }

        function test_shelves() {
            compare(top.height, 80)
            compare(top.width, root.width)
            compare(bottom.width, root.width)
            compare(bottom.height, finish.height + 2 * bottom.verticalPadding)
            compare(finish.width, root.width - 2 * Styling.horizontalPadding)
            const mapped = title.mapToItem(top, 0, 0)
            compare(mapped.x, Styling.horizontalPadding)
            // The long title gives way to the buttons and stays inside the shelf.
            verify(title.truncated)
            verify(title.x + title.width <= add.x)
            verify(remove.x + remove.width <= top.width - Styling.horizontalPadding + 0.5)
        }

        function test_titleFont() {
            compare(title.font.pixelSize, 42)
            compare(title.font.weight, Font.Medium)
            compare(title.font.letterSpacing, 4)
            compare(title.horizontalAlignment, Text.AlignLeft)
        }

        function test_iconButton() {
            compare(add.width, add.height)
            compare(add.padding, 8)
            compare(add.Accessible.name, "Add chore")
            compare(add.display, AbstractButton.IconOnly)
            compare(fill(add).color, Styling.accent)
            compare(fill(remove).color, Styling.destructiveColor)
            compare(fill(add).radius, add.width / 2)
            compare(fill(add).opacity, 1)
            mousePress(add)
            compare(fill(add).opacity, 0.5)
            // The symbol does not dim with the fill.
            compare(add.contentItem.opacity, 1)
            mouseRelease(add)
            compare(fill(add).opacity, 1)
            add.forceActiveFocus(Qt.TabFocusReason)
            verify(add.activeFocus)
        }

        function test_greedyButton() {
            compare(finish.leftPadding, 24)
            compare(finish.topPadding, 12)
            compare(fill(finish).radius, finish.height / 2)
            compare(finish.contentItem.color, "#ffffff")
            compare(finish.contentItem.font.weight, Font.Medium)
            finish.destructive = true
            compare(fill(finish).color, Styling.destructiveColor)
            finish.destructive = false
        }

        function test_textFieldFrame() {
            compare(field.padding, 12)
            compare(field.background.radius, 4)
            compare(field.background.border.width, 0.5)
            compare(field.background.border.color, Styling.secondary)
        }

        function test_symbols() {
            tryCompare(known, "status", Image.Ready)
            compare(known.implicitWidth, 22)
            verify(Symbols.has("exclamationmark.triangle.fill"))
            verify(!Symbols.has("no.such.symbol"))
            tryVerify(() => unknown.status !== Image.Loading)
            compare(unknown.status, Image.Ready)
        }
    }
}

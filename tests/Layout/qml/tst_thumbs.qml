import QtQuick
import QtTest
import Velmora.Layout

Item {
    id: root
    width: 400
    height: 800

    property var heights: [20, 60, 35, 10, 59, 1, 44]

    ThumbsLayout {
        id: grid
        width: 326
        minWidth: 80
        minHeight: 10
        gap: 8

        Repeater {
            id: repeater
            model: root.heights.length
            Rectangle {
                required property int index
                implicitHeight: root.heights[index]
                color: "teal"
            }
        }
    }

    Component {
        id: gridWithText
        ThumbsLayout {
            width: 170
            minWidth: 80
            gap: 8
            Text {
                text: "a title long enough to wrap over a few lines in a narrow tile"
                wrapMode: Text.Wrap
            }
            Item { implicitHeight: 5 }
        }
    }

    TestCase {
        name: "ThumbsLayout"
        when: windowShown

        function tile(i) {
            return repeater.itemAt(i)
        }

        // The geometry itself is ThumbsGeometryTest's; here the item follows its children live.
        function test_followsChildHeightAndWidth() {
            tryCompare(grid, "implicitHeight", 196)
            compare(tile(3).y, 68)
            fuzzyCompare(tile(5).width, 310 / 3, 1e-9)
            tile(4).implicitHeight = 90
            tryCompare(grid, "implicitHeight", 3 * 98 - 8)
            compare(tile(0).height, 90)
            grid.width = 168
            tryCompare(grid, "columns", 2)
            compare(grid.tileWidth, 80)
            compare(tile(2).y, 98)
            compare(grid.implicitHeight, 4 * 98 - 8)
            grid.width = 326
            tile(4).implicitHeight = 59
            tryCompare(grid, "implicitHeight", 196)
        }

        function test_measuresTextAtTheTileWidth() {
            const g = createTemporaryObject(gridWithText, root)
            tryVerify(() => g.rowHeight > 40)
            const text = g.children[0]
            compare(text.width, 81)
            compare(g.children[1].height, text.height)
        }
    }
}

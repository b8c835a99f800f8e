import QtQuick
import QtQuick.Layouts
import Velmora.Layout
import Velmora.Styling

// A look at the drawing pieces together: shelves, a grid of tiles with dots, a mid line.
Rectangle {
    id: page

    width: 390
    height: 600
    color: Styling.backdrop

    readonly property var tiles: [
        { title: "Water plants", color: "#3E8E5E", days: 3 },
        { title: "Laundry", color: "#3D6FB5", days: 9 },
        { title: "Vacuum the stairs and the hall", color: "#C0573A", days: 15 },
        { title: "Bins", color: "#8A5AB0", days: 40 },
        { title: "Descale kettle", color: "#B08A2E", days: 0 }
    ]

    readonly property color accent: Styling.accent
    readonly property color backdrop: Styling.backdrop
    property alias grid: grid
    property alias midLine: midLine
    property alias topShelf: topShelf
    property alias addButton: addButton
    property alias finishButton: finishButton

    Flickable {
        id: flick
        anchors.fill: parent
        contentHeight: column.implicitHeight
        topMargin: topShelf.height
        bottomMargin: bottomShelf.height

        Column {
            id: column
            width: flick.width
            spacing: 16

            ThumbsLayout {
                id: grid
                x: Styling.horizontalPadding
                width: parent.width - 2 * Styling.horizontalPadding
                minWidth: 80
                minHeight: 10
                gap: 8

                Repeater {
                    model: page.tiles

                    Rectangle {
                        required property var modelData
                        radius: 12
                        clip: true
                        color: modelData.color
                        implicitHeight: title.implicitHeight + 36

                        Text {
                            id: title
                            x: 10
                            y: 10
                            width: parent.width - 20
                            text: parent.modelData.title
                            color: "white"
                            font.pixelSize: 14
                            font.weight: Font.DemiBold
                            wrapMode: Text.Wrap
                        }
                        DayDotsView {
                            x: 10
                            y: title.y + title.height + 12
                            width: parent.width - 20
                            height: 2
                            days: parent.modelData.days
                            dot: 2
                            gap: 1
                            weekGap: 2
                            color: "white"
                        }
                    }
                }
            }

            MidLine {
                id: midLine
                x: Styling.horizontalPadding
                width: parent.width - 2 * Styling.horizontalPadding
                color: "black"
            }

            DayDotsView {
                x: Styling.horizontalPadding
                width: parent.width - 2 * Styling.horizontalPadding
                height: 3
                days: 60
                dot: 3
                gap: 2
                weekGap: 4
                color: Styling.foreground
            }
        }
    }

    TopShelf {
        id: topShelf
        width: parent.width

        AppTitle {
            text: qsTr("Chores")
        }
        IconButton {
            text: qsTr("Journal")
            symbol: "archivebox"
        }
        IconButton {
            id: addButton
            text: qsTr("Add chore")
            symbol: "plus"
        }
    }

    BottomShelf {
        id: bottomShelf
        width: parent.width
        anchors.bottom: parent.bottom

        GreedyButton {
            id: finishButton
            text: qsTr("Finish")
        }
        GreedyButton {
            text: qsTr("Delete")
            destructive: true
        }
    }
}

pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velmora.Styling

// The last finished times of a repeating chore, one mark each, oldest on the left, placed by
// their days: on time on the top lane in the chore's colour, a day or two late below as a ring,
// later at the bottom as a red square. Finishes of one day lie close together, a little apart.
// The line of figures says the same in words. The marks are one Tab stop: Left and Right move
// between them, each telling its day, as hovering does.
Column {
    id: strip
    required property var marks
    required property string summary
    property color tint: Styling.accent
    // A chore's colour as pale as the backdrop (or as dark, in the dark style) would leave its
    // marks unseen: they take the secondary foreground instead.
    readonly property color ink: (Styling.dark ? tint.hslLightness < 0.3 : tint.hslLightness > 0.8)
                                 ? Styling.secondary : tint

    readonly property real lane: 11
    readonly property real side: 10
    // How far a finish sits from the one before it on the same day.
    readonly property real nudge: 4
    readonly property real spread: nudge * marks.reduce((most, mark) => Math.max(most, mark.stacked), 0)
    // The mark the keys are on; the newest at first.
    property int current: -1
    onMarksChanged: current = marks.length - 1
    property int hovered: -1
    readonly property int told: hovered >= 0 ? hovered : cursor.activeFocus ? current : -1

    function xOf(index) {
        const mark = strip.marks[index]
        return mark ? mark.place * (width - side - spread) + mark.stacked * nudge : 0
    }
    function yOf(index) {
        const mark = strip.marks[index]
        return mark ? mark.lateness * lane + (lane - side) / 2 : 0
    }

    width: parent ? parent.width : 0
    spacing: 6

    Item {
        objectName: "historyMarks"
        width: parent.width
        height: 3 * strip.lane
        Accessible.role: Accessible.StaticText
        Accessible.name: strip.summary
        // Out of the tree while the chore has no history and the strip is hidden.
        Accessible.ignored: !visible

        // The on-time lane, for the eye to measure the others against.
        Rectangle {
            y: strip.lane / 2
            width: parent.width
            height: 1
            color: Styling.secondary
            opacity: 0.35
        }
        Repeater {
            model: strip.marks
            Rectangle {
                id: mark
                required property int index
                required property var modelData
                readonly property int lateness: modelData.lateness
                x: strip.xOf(mark.index)
                y: strip.yOf(mark.index)
                width: strip.side
                height: strip.side
                // A ring for a day or two late, a square for later: told apart by shape and place as
                // well as by colour, which a red chore shares with lateness.
                radius: mark.lateness === 2 ? 2 : 5
                color: mark.lateness === 1 ? "transparent" : mark.lateness === 2 ? Styling.destructiveColor : strip.ink
                border.width: mark.lateness === 1 ? 2 : 1
                border.color: mark.lateness === 1 ? strip.ink
                                                  : Qt.rgba(Styling.foreground.r, Styling.foreground.g, Styling.foreground.b, 0.25)
                HoverHandler {
                    onHoveredChanged: {
                        if (hovered)
                            strip.hovered = mark.index
                        else if (strip.hovered === mark.index)
                            strip.hovered = -1
                    }
                }
            }
        }
        // The mark the keys are on: it alone takes them and speaks for its finish.
        Item {
            id: cursor
            x: strip.xOf(strip.current)
            y: strip.yOf(strip.current)
            width: strip.side
            height: strip.side
            activeFocusOnTab: true
            Accessible.role: Accessible.ListItem
            Accessible.name: strip.marks[strip.current] ? strip.marks[strip.current].text : ""
            Accessible.description: qsTr("Left and right move between the finishes")
            Accessible.ignored: !strip.visible
            Keys.onPressed: function (event) {
                const last = strip.marks.length - 1
                if (event.key === Qt.Key_Left)
                    strip.current = Math.max(0, strip.current - 1)
                else if (event.key === Qt.Key_Right)
                    strip.current = Math.min(last, strip.current + 1)
                else if (event.key === Qt.Key_Home)
                    strip.current = 0
                else if (event.key === Qt.Key_End)
                    strip.current = last
                else
                    return
                event.accepted = true
            }
            FocusRing {
                visible: cursor.activeFocus
                anchors.margins: -3
                innerRadius: 5
            }
        }
        ToolTip {
            visible: strip.told >= 0
            delay: strip.hovered >= 0 ? 400 : 0
            text: strip.marks[strip.told] ? strip.marks[strip.told].text : ""
            x: Math.max(0, Math.min(strip.xOf(strip.told) - width / 2, strip.width - width))
            y: 3 * strip.lane + 4
        }
    }
    Label {
        objectName: "historySummary"
        width: parent.width
        // The marks above carry it for a screen reader.
        Accessible.ignored: true
        text: strip.summary
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        font.pixelSize: 13
        color: Styling.secondary
    }
}

pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import Velmora.Styling

// The last finished times of a repeating chore, one mark each, oldest on the left: on time on
// the top lane in the chore's colour, a day or two late below as a ring, later at the bottom as a
// red square.
// The line of figures says the same in words, and is what a screen reader hears.
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
    readonly property real step: width / 12

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
                required property int modelData
                x: mark.index * strip.step + (strip.step - mark.width) / 2
                y: mark.modelData * strip.lane + (strip.lane - mark.height) / 2
                width: 10
                height: 10
                // A ring for a day or two late, a square for later: told apart by shape and place as
                // well as by colour, which a red chore shares with lateness.
                radius: mark.modelData === 2 ? 2 : 5
                color: mark.modelData === 1 ? "transparent" : mark.modelData === 2 ? Styling.destructiveColor : strip.ink
                border.width: mark.modelData === 1 ? 2 : 1
                border.color: mark.modelData === 1 ? strip.ink
                                                   : Qt.rgba(Styling.foreground.r, Styling.foreground.g, Styling.foreground.b, 0.25)
            }
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

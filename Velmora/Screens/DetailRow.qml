import QtQuick
import QtQuick.Controls
import Velmora.Styling

// A label on the leading side and its value on the trailing side; the value may be any item.
Item {
    id: row
    property string label
    property string value
    default property alias trailing: trailingRow.data
    // What the trailing side may take beside the label on one line, for rows that fit their items to it.
    readonly property real room: width - Math.ceil(labelWidth.advanceWidth) - 12

    width: parent ? parent.width : 0
    implicitHeight: Math.max(labelText.implicitHeight, trailingRow.implicitHeight) + 12

    // The label's width on one line, measured apart: the label's own changes as it wraps.
    TextMetrics {
        id: labelWidth
        font: labelText.font
        text: row.label
    }
    // Its longest word, which the value leaves room for: squeezed narrower, the label broke inside words.
    TextMetrics {
        id: longestWord
        font: labelText.font
        text: row.label.split(/\s+/).reduce((a, b) => b.length > a.length ? b : a, "")
    }
    // What the trailing side holds beside the value.
    readonly property real others: {
        let sum = 0
        for (let i = 0; i < trailingRow.children.length; ++i) {
            const child = trailingRow.children[i]
            if (child !== valueText && child.visible)
                sum += child.width + trailingRow.spacing
        }
        return sum
    }
    Label {
        id: labelText
        Accessible.ignored: !visible
        anchors.left: parent.left
        anchors.verticalCenter: parent.verticalCenter
        // Wraps rather than lying under items that do not fit beside it in a narrow window.
        width: Math.min(Math.ceil(labelWidth.advanceWidth), row.width - trailingRow.width - 12)
        wrapMode: Text.Wrap
        text: row.label
        textFormat: Text.PlainText
        color: Styling.foreground
    }
    Row {
        id: trailingRow
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        spacing: 6
        Label {
            id: valueText
            visible: row.value.length > 0
            Accessible.ignored: !visible
            // A long value wraps beside the label rather than running over it.
            width: Math.max(0, Math.min(implicitWidth, row.width - labelWidth.advanceWidth - 16,
                                        row.width - row.others - Math.ceil(longestWord.advanceWidth) - 12))
            text: row.value
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignRight
            color: Styling.secondary
            anchors.verticalCenter: parent.verticalCenter
        }
    }
}

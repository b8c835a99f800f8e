import QtQuick
import Velmora.Styling
import QtQuick.Layouts

// A screen title: wide letter spacing on a condensed face, one line, leading-aligned.
Text {
    font: Typography.title
    color: Styling.foreground
    horizontalAlignment: Text.AlignLeft
    verticalAlignment: Text.AlignVCenter
    elide: Text.ElideRight
    maximumLineCount: 1
    Layout.fillWidth: true
    Layout.minimumWidth: 0
}

import QtQuick
import QtQuick.Layouts

// A screen title: wide letter spacing on a condensed face, one line, leading-aligned.
Text {
    font.pixelSize: 42
    font.weight: Font.Medium
    font.letterSpacing: 4
    font.stretch: Font.Condensed
    color: Styling.foreground
    horizontalAlignment: Text.AlignLeft
    verticalAlignment: Text.AlignVCenter
    elide: Text.ElideRight
    maximumLineCount: 1
    Layout.fillWidth: true
    Layout.minimumWidth: 0
}

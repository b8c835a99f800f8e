import QtQuick
import Velmora.Styling

// A screen title: wide letter spacing on a condensed face, one line, leading-aligned.
Text {
    font: Typography.title
    color: Styling.foreground
    horizontalAlignment: Text.AlignLeft
    verticalAlignment: Text.AlignVCenter
    // Where the face has no condensed width the title shrinks to fit before it is cut short.
    fontSizeMode: Text.HorizontalFit
    minimumPixelSize: 24
    elide: Text.ElideRight
    maximumLineCount: 1
}

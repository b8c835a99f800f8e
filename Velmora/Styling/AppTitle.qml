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
    // Left out rather than cut to a few letters where the shelf's buttons leave it too little room
    // (the main screen's four in a 300 pixel window); a screen reader still reads it.
    opacity: truncated ? 0 : 1
}

import QtQuick
import QtQuick.Window

// A named symbol tinted to `color`; `size` is the point size it is drawn at.
Image {
    id: root

    property string name
    property color color: Styling.foreground
    property real size: 17

    // A symbol fills a little more than its point size, like a glyph with its ascent and descent.
    readonly property real side: Math.max(0, Math.round(size * 1.3))

    implicitWidth: side
    implicitHeight: side
    source: name.length > 0 ? Symbols.source(name, color) : ""
    sourceSize: Qt.size(Math.ceil(side * Screen.devicePixelRatio), Math.ceil(side * Screen.devicePixelRatio))
    fillMode: Image.PreserveAspectFit
    smooth: true
    Accessible.ignored: true
}

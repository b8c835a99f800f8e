import QtQuick
import Velmora.Styling

// A named symbol tinted to `color`; `size` is the point size it is drawn at.
Item {
    id: root

    property string name
    property color color: Styling.foreground
    property real size: 17
    readonly property alias status: image.status

    // A symbol fills a little more than its point size, like a glyph with its ascent and descent.
    readonly property real side: Math.max(0, Math.round(size * 1.3))

    implicitWidth: side
    implicitHeight: side
    Accessible.ignored: true

    Image {
        id: image
        anchors.fill: parent
        source: root.name.length > 0 ? Symbols.source(root.name, root.color) : ""
        sourceSize.width: Math.ceil(root.width * Screen.devicePixelRatio)
        sourceSize.height: Math.ceil(root.height * Screen.devicePixelRatio)
        fillMode: Image.PreserveAspectFit
        smooth: true
    }
}

import QtQuick

// The shelf backdrop: solid at the outer edge, 80 % opaque where it meets the content.
Rectangle {
    id: root

    property int edge: Qt.TopEdge
    readonly property color solid: Styling.backdrop
    readonly property color faded: Qt.rgba(solid.r, solid.g, solid.b, solid.a * 0.8)

    gradient: Gradient {
        GradientStop {
            position: 0
            color: root.edge === Qt.BottomEdge ? root.faded : root.solid
        }
        GradientStop {
            position: 1
            color: root.edge === Qt.BottomEdge ? root.solid : root.faded
        }
    }
}

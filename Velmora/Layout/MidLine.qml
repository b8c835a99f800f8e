import QtQuick
import QtQuick.Shapes
import Velmora.Styling

// A dotted rule through the vertical middle, always drawn left to right.
Shape {
    id: root

    property color color: Styling.secondary

    implicitWidth: 10
    implicitHeight: 10

    ShapePath {
        strokeWidth: 1
        strokeColor: root.color
        fillColor: "transparent"
        capStyle: ShapePath.FlatCap
        joinStyle: ShapePath.MiterJoin
        miterLimit: 10
        strokeStyle: ShapePath.DashLine
        // In units of the stroke width, which is 1.
        dashPattern: [1, 5]
        dashOffset: 0
        startX: 0
        startY: root.height / 2

        PathLine {
            x: root.width
            y: root.height / 2
        }
    }
}

import QtQuick
import QtQuick.Controls

TextField {
    id: control

    padding: 12
    color: Styling.foreground
    placeholderTextColor: Styling.secondary
    clip: true
    Accessible.ignored: !visible

    background: Rectangle {
        radius: 4
        color: "transparent"
        border.width: 0.5
        border.color: Styling.secondary
    }
}

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// A capsule that takes the whole width offered to it.
Button {
    id: control

    property bool destructive: false

    leftPadding: 24
    rightPadding: 24
    topPadding: 12
    bottomPadding: 12
    focusPolicy: Qt.StrongFocus
    font.weight: Font.Medium
    Layout.fillWidth: true
    Accessible.name: text

    contentItem: Text {
        text: control.text
        font: control.font
        color: "white"
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }

    background: Item {
        Rectangle {
            anchors.fill: parent
            radius: height / 2
            color: control.destructive ? Styling.destructiveColor : Styling.accent
            opacity: control.down ? 0.5 : 1
        }
        Rectangle {
            anchors.fill: parent
            anchors.margins: -3
            radius: height / 2
            color: "transparent"
            border.width: 2
            border.color: Styling.accent
            visible: control.visualFocus
        }
    }
}

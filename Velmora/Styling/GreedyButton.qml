import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// A capsule that takes the whole width offered to it.
Button {
    id: control

    property bool destructive: false
    // Shown before the title when set: most capsule labels are the title alone.
    property string symbol

    leftPadding: 24
    rightPadding: 24
    topPadding: 12
    bottomPadding: 12
    focusPolicy: Qt.StrongFocus
    font.weight: Font.Medium
    Layout.fillWidth: true
    Accessible.name: text

    contentItem: Item {
        // The title's look, for whoever styles around the button.
        readonly property alias color: label.color
        readonly property alias font: label.font
        implicitWidth: label.implicitWidth + (icon.visible ? icon.width + 6 : 0)
        implicitHeight: Math.max(label.implicitHeight, icon.visible ? icon.height : 0)
        Row {
            anchors.centerIn: parent
            spacing: 6
            SymbolImage {
                id: icon
                visible: control.symbol.length > 0
                name: control.symbol
                color: "white"
                size: control.font.pointSize > 0 ? control.font.pointSize : 13
                anchors.verticalCenter: parent.verticalCenter
            }
            Text {
                id: label
                text: control.text
                font: control.font
                color: "white"
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                anchors.verticalCenter: parent.verticalCenter
            }
        }
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

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// A capsule that takes the whole width offered to it.
Button {
    id: control

    property bool destructive: false
    // Shown before the title when set: most capsule labels are the title alone.
    property string symbol
    // What pressing does, in a sentence, for a title that could be read as something else.
    property string explanation

    leftPadding: 24
    rightPadding: 24
    topPadding: 12
    bottomPadding: 12
    focusPolicy: Qt.StrongFocus
    font.weight: Font.Medium
    Layout.fillWidth: true
    Accessible.name: text
    Accessible.description: explanation
    ToolTip.text: explanation
    ToolTip.visible: explanation.length > 0 && (hovered || visualFocus)
    ToolTip.delay: 600
    // Qt 6.4 exposes hidden items and leaves a button's press action unhandled: both done here.
    Accessible.ignored: !visible
    Accessible.onPressAction: control.clicked()

    contentItem: Face {
        symbol: control.symbol
        text: control.text
        font: control.font
    }

    background: Item {
        Rectangle {
            anchors.fill: parent
            radius: height / 2
            color: control.destructive ? Styling.destructiveFill : Styling.accentFill
            opacity: control.down ? 0.5 : 1
        }
        FocusRing {
            innerRadius: control.height / 2
            visible: control.visualFocus
        }
    }

    // The symbol and the title, centred. A type of its own: ids inside a control's content
    // would stop Qt Quick Controls from deferring it.
    component Face: Item {
        id: face
        property string symbol
        property string text
        property font font
        // The title's look, for whoever styles around the button.
        readonly property alias color: label.color
        implicitWidth: label.implicitWidth + (icon.visible ? icon.width + 6 : 0)
        implicitHeight: Math.max(label.implicitHeight, icon.visible ? icon.height : 0)
        Row {
            anchors.centerIn: parent
            spacing: 6
            SymbolImage {
                id: icon
                visible: face.symbol.length > 0
                name: face.symbol
                color: "white"
                // As large as the shelf's round buttons draw theirs: at the title's point size it was a speck.
                size: 17
                anchors.verticalCenter: parent.verticalCenter
            }
            Text {
                id: label
                text: face.text
                font: face.font
                color: "white"
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                anchors.verticalCenter: parent.verticalCenter
            }
        }
    }
}

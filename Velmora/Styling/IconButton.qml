import QtQuick
import QtQuick.Controls

// A round button that shows only its symbol; the text stays as its accessible name.
Button {
    id: control

    property string symbol
    property bool destructive: false

    padding: 8
    display: AbstractButton.IconOnly
    focusPolicy: Qt.StrongFocus
    implicitWidth: Math.max(implicitContentWidth, implicitContentHeight) + leftPadding + rightPadding
    implicitHeight: implicitWidth
    Accessible.name: text
    // Qt 6.4 exposes hidden items and leaves a button's press action unhandled: both done here.
    Accessible.ignored: !visible
    Accessible.onPressAction: control.clicked()
    // The symbol's name in words, for the mouse and for the keyboard alike.
    // Beside the button, before it: the shelf's buttons sit at the window's top, where a tip below
    // them lay over the first tiles' titles.
    ToolTip {
        parent: control
        text: control.text
        visible: control.hovered || control.visualFocus
        delay: 600
        x: -width - 6
        y: (control.height - height) / 2
    }

    contentItem: SymbolImage {
        name: control.symbol
        color: "white"
        size: 17
    }

    background: Item {
        Rectangle {
            anchors.fill: parent
            radius: width / 2
            color: control.destructive ? Styling.destructiveFill : Styling.accentFill
            // Only the fill dims; the symbol stays white.
            opacity: control.down ? 0.5 : 1
        }
        // An accent ring vanished around the accent fill in the dark style.
        FocusRing {
            innerRadius: control.width / 2
            visible: control.visualFocus
        }
    }
}

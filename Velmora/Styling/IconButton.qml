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
    // The symbol's name in words, for the mouse and for the keyboard alike: made the first time
    // either comes to the button, not with every button of the window.
    // Beside the button, before it: the shelf's buttons sit at the window's top, where a tip below
    // them lay over the first tiles' titles. Shown for the keys, it goes after a while, as it covers
    // the buttons before this one.
    readonly property bool tipWanted: hovered || visualFocus
    onTipWantedChanged: if (tipWanted) tip.active = true
    // qmllint disable unqualified
    Loader {
        id: tip
        active: false
        sourceComponent: ToolTip {
            parent: control
            text: control.text
            visible: control.tipWanted
            delay: 600
            timeout: control.hovered ? -1 : 4000
            x: -width - 6
            y: (control.height - height) / 2
        }
    }
    // qmllint enable unqualified

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

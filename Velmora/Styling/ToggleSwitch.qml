import QtQuick
import QtQuick.Controls

// An on/off switch in the app's colours, readable in either style; a screen reader presses or
// toggles it as a click does.
Switch {
    id: toggle
    padding: 0
    spacing: 0
    Accessible.ignored: !visible
    function flip() {
        toggle.toggle()
        toggle.toggled()
    }
    Accessible.onPressAction: toggle.flip()
    Accessible.onToggleAction: toggle.flip()
    indicator: Rectangle {
        x: toggle.leftPadding
        y: (toggle.height - height) / 2
        implicitWidth: 44
        implicitHeight: 26
        radius: 13
        color: toggle.checked ? Styling.accentFill : Styling.secondary
        Rectangle {
            x: toggle.checked ? parent.width - width - 3 : 3
            y: 3
            width: 20
            height: 20
            radius: 10
            // Dark on the light grey a dark scheme draws the track in while off.
            color: toggle.checked ? "white" : Styling.backdrop
        }
        FocusRing {
            innerRadius: 13
            visible: toggle.visualFocus
        }
    }
}

import QtQuick

// The card of a dialog or popup. In the dark style a dimmed window behind is nearly as dark as
// the card: a lighter card and a light edge set it apart.
Rectangle {
    radius: 14
    color: Styling.dark ? "#363532" : "#FFFFFF"
    border.width: Styling.dark ? 1 : 0
    border.color: Qt.rgba(Styling.foreground.r, Styling.foreground.g, Styling.foreground.b, 0.35)
}

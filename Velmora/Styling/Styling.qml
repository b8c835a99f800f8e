pragma Singleton
import QtQuick
import Velmora.Styling

// The shared look: one margin, the named colours in their light and dark variants, the accent.
QtObject {
    readonly property real horizontalPadding: 32

    readonly property bool dark: ColorScheme.dark

    readonly property color backdrop: dark ? "#1A1917" : "#F2EEE6"
    // As text on the backdrop: at least 4.5:1 against it in either scheme.
    readonly property color destructiveColor: dark ? "#FF6A5C" : "#C53A2D"
    readonly property color accent: dark ? "#5C8DFF" : "#2F62D9"
    // Behind white text and symbols: the bright dark-scheme colours would leave white at 3:1.
    readonly property color destructiveFill: dark ? "#C8372B" : destructiveColor
    readonly property color accentFill: dark ? "#3A6EE8" : accent
    readonly property color foreground: dark ? "#F4F2EE" : "#1C1B19"
    // A button's fill on a dialog's card: in the dark scheme the window's button colour is the card's
    // own, and a button there showed only its text. Darker than the card, its text keeps 4.5:1.
    readonly property color cardButton: dark ? "#282724" : "#E3DED5"
    // The second level of emphasis of the foreground.
    readonly property color secondary: Qt.rgba(foreground.r, foreground.g, foreground.b, 0.6)
}

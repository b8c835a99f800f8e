pragma Singleton
import QtQuick
import Velmora.Styling

// The shared look: one margin, the named colours in their light and dark variants, the accent.
QtObject {
    readonly property real horizontalPadding: 32

    readonly property bool dark: ColorScheme.dark

    readonly property color backdrop: dark ? "#1A1917" : "#F2EEE6"
    readonly property color destructiveColor: dark ? "#FF6A5C" : "#D7372A"
    readonly property color accent: dark ? "#5C8DFF" : "#2F62D9"
    readonly property color foreground: dark ? "#F4F2EE" : "#1C1B19"
    // The second level of emphasis of the foreground.
    readonly property color secondary: Qt.rgba(foreground.r, foreground.g, foreground.b, 0.6)
}

import QtQuick

// The root of a screen that presents popups: its content plus a stack of its own.
StackView {
}

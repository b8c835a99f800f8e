import QtQuick

// A popup shown while `isPresented` is true.
Popup {
    id: root

    property bool isPresented: false

    value: isPresented
    dismissValue: false
    resetOnDismiss: false
    onDismissed: isPresented = false
}

import QtQuick

// A popup shown while `item` is set; its content gets the item as `popupValue` if it has one.
Popup {
    id: root

    property var item: null

    value: item
    dismissValue: null
    resetOnDismiss: false
    onDismissed: item = null
}

import QtQuick
import Ombrapop

// Presents `popup` while `value` differs from `dismissValue`. Closing it through Dismiss removes
// it from the stack, then puts the dismiss value back and emits dismissed().
Item {
    id: presenter

    property var value
    property var dismissValue: false
    property Component popup
    // Off when a wrapper keeps the value itself (a binding would break on reset).
    property bool resetOnDismiss: true
    readonly property string presenterId: Presentation.newId()

    signal dismissed()

    function isDismissValue(v) {
        const absent = x => x === undefined || x === null
        return absent(v) && absent(dismissValue) ? true : v === dismissValue
    }

    function present() {
        if (isDismissValue(value) || !popup)
            return
        const stack = Presentation.stackFor(presenter)
        if (stack)
            stack.push(presenterId, popup, value, function() { presenter.finishDismiss() })
    }

    function finishDismiss() {
        if (resetOnDismiss)
            value = dismissValue
        dismissed()
    }

    width: 0
    height: 0
    onValueChanged: present()
    Component.onCompleted: present()
}

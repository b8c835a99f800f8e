import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Velmora.Styling

// The one confirmation of the app: a question, a destructive confirm button and Cancel.
// open() shows it; confirming closes it and emits confirmed() once; Cancel only closes it.
Dialog {
    id: alert
    property string confirmText
    readonly property string cancelText: qsTr("Cancel")
    // What the question is about, for alerts shared by many tiles.
    property var chore: null
    // What the answer does, where the question alone does not say.
    property string message
    signal confirmed()

    function openFor(subject) {
        chore = subject
        open()
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    modal: true
    focus: true
    width: Math.min(300, parent ? parent.width - 48 : 300)
    closePolicy: Popup.CloseOnEscape
    padding: 20
    topPadding: 20
    // The safe answer has the focus, shown, so that Return or Space never deletes by accident.
    onOpened: cancelButton.forceActiveFocus(Qt.TabFocusReason)

    background: PopupBackground {}
    palette.button: Styling.cardButton
    // No button box: the buttons are the content's, and an empty box would still be in the tree.
    footer: null
    // The question may name a chore: its title stays plain text, cut short after a few lines.
    header: Label {
        objectName: "alertTitle"
        text: alert.title
        textFormat: Text.PlainText
        maximumLineCount: 4
        elide: Text.ElideRight
        padding: 20
        bottomPadding: 0
        font.bold: true
        font.pointSize: 14
        wrapMode: Text.Wrap
        horizontalAlignment: Text.AlignHCenter
        color: Styling.foreground
    }
    // A child rather than the contentItem, so the controls' content stays deferred.
    ColumnLayout {
        anchors.fill: parent
        spacing: 10
        Label {
            objectName: "alertMessage"
            visible: alert.message.length > 0
            Layout.fillWidth: true
            text: alert.message
            textFormat: Text.PlainText
            wrapMode: Text.Wrap
            horizontalAlignment: Text.AlignHCenter
            color: Styling.secondary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Accessible.ignored: !visible
        }
        Button {
            id: confirmButton
            objectName: "confirmButton"
            Layout.fillWidth: true
            text: alert.confirmText
            Accessible.name: alert.confirmText
            Accessible.onPressAction: confirmButton.clicked()
            contentItem: Label {
                text: alert.confirmText
                color: Styling.destructiveColor
                font.bold: true
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                Accessible.ignored: true
            }
            onClicked: {
                alert.close()
                alert.confirmed()
            }
        }
        Button {
            id: cancelButton
            objectName: "cancelButton"
            Layout.fillWidth: true
            text: alert.cancelText
            Accessible.name: alert.cancelText
            Accessible.onPressAction: cancelButton.clicked()
            contentItem: Label {
                text: alert.cancelText
                color: Styling.accent
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                Accessible.ignored: true
            }
            onClicked: alert.close()
        }
    }
}

pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import Velmora.Notifications
import Velmora.Styling

// The notice below the editor's reminder switch while no notification server answers, so no
// reminder could show; its button asks again. Shows nothing until that is known.
Item {
    id: root

    required property NotificationsManager notificationsManager

    readonly property bool noService: notificationsManager !== null && notificationsManager.hasSettings
                                      && notificationsManager.authorizationStatus === NotificationsManager.Denied
    // Where the keyboard goes should the notice go while its button has it since it was
    // pressed: the item before it.
    property Item focusAfterCheck: null

    implicitWidth: childrenRect.width
    implicitHeight: childrenRect.height

    Connections {
        target: root.notificationsManager
        function onSettingsChanged() {
            if (root.focusAfterCheck && root.notificationsManager.authorizationStatus !== NotificationsManager.Denied)
                root.focusAfterCheck.forceActiveFocus(Qt.BacktabFocusReason)
            root.focusAfterCheck = null
        }
    }

    // Made only while due (a Loader cannot make components bound to this file on Qt 6.4; a
    // Repeater of one can).
    Repeater {
        model: root.noService ? 1 : 0

        Rectangle {
            id: notice
            objectName: "noNotificationService"
            width: root.width
            implicitHeight: row.implicitHeight + 2 * padding
            radius: 4
            clip: true
            // The platform's red (#FF3B30) lightened: black text reads on it in either scheme.
            color: "#FF938D"

            readonly property real padding: 16
            readonly property real footnoteSize: 13
            readonly property string message: qsTr("No notification service is running, so reminders cannot be shown.")

            Row {
                id: row
                x: notice.padding
                y: notice.padding
                width: notice.width - 2 * notice.padding
                spacing: 8

                Item {
                    width: 30
                    height: icon.height + 4
                    SymbolImage {
                        id: icon
                        y: 4
                        width: 30
                        height: 30
                        size: 30
                        name: "exclamationmark.triangle.fill"
                        color: "#FF3B30"
                    }
                }

                Column {
                    width: row.width - 30 - row.spacing
                    spacing: 8

                    Label {
                        width: parent.width
                        text: notice.message
                        wrapMode: Text.Wrap
                        font.pixelSize: notice.footnoteSize
                        color: "black"
                    }

                    AbstractButton {
                        id: button
                        objectName: "noticeButton"
                        padding: 4
                        leftInset: -2
                        focusPolicy: Qt.StrongFocus
                        text: qsTr("Check again")
                        implicitWidth: implicitContentWidth + leftPadding + rightPadding
                        implicitHeight: implicitContentHeight + topPadding + bottomPadding
                        contentItem: Label {
                            text: button.text
                            font.pixelSize: notice.footnoteSize
                            font.underline: true
                            color: "black"
                        }
                        background: Rectangle {
                            radius: 4
                            color: button.down ? Qt.rgba(0, 0, 0, 0.1) : "transparent"
                            border.width: button.visualFocus ? 2 : 0
                            border.color: "black"
                        }
                        onClicked: {
                            root.focusAfterCheck = button.activeFocus ? button.nextItemInFocusChain(false) : null
                            root.notificationsManager.refreshSettings()
                        }
                        // The same answer again brings no signal, so the notice stays with the
                        // place remembered: moving on from the button forgets it.
                        onActiveFocusChanged: {
                            if (!button.activeFocus && root.noService)
                                root.focusAfterCheck = null
                        }
                        Accessible.name: text
                        Accessible.description: notice.message
                        Accessible.onPressAction: button.clicked()
                    }
                }
            }
        }
    }
}

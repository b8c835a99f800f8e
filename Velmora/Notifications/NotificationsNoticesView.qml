pragma ComponentBehavior: Bound

import QtQuick
import QtQuick.Controls
import Velmora.Notifications
import Velmora.Styling

// The notice below the editor's reminder switch while the app may not send notifications:
// asks for permission when the user was never asked, points to the settings when refused.
// Shows nothing until the settings are known, or once notifications are allowed.
Item {
    id: root

    required property NotificationsManager notificationsManager

    readonly property int notice: {
        if (!notificationsManager || !notificationsManager.hasSettings)
            return NotificationsNoticesView.Notice.None
        switch (notificationsManager.authorizationStatus) {
        case NotificationsManager.NotDetermined: return NotificationsNoticesView.Notice.Ask
        case NotificationsManager.Denied: return NotificationsNoticesView.Notice.Inform
        }
        return NotificationsNoticesView.Notice.None
    }

    enum Notice { None, Ask, Inform }

    // At most one notice is shown, at the top.
    implicitWidth: childrenRect.width
    implicitHeight: childrenRect.height

    // Each notice is made only while it is due (a Loader cannot make components bound to this
    // file on Qt 6.4; a Repeater of one can).
    Repeater {
        model: root.notice === NotificationsNoticesView.Notice.Ask ? 1 : 0
        AskForPermissionView {
            width: root.width
            notificationsManager: root.notificationsManager
        }
    }
    Repeater {
        model: root.notice === NotificationsNoticesView.Notice.Inform ? 1 : 0
        InformOfLackingPermissionsView { width: root.width }
    }

    // The platform's standard colours.
    readonly property color systemYellow: "#FFCC00"
    readonly property color systemRed: "#FF3B30"
    readonly property color systemBlue: "#007AFF"

    // Moves a colour towards white by amount (0 unchanged, 1 white).
    function brightened(c, amount) {
        return Qt.rgba(c.r + (1 - c.r) * amount, c.g + (1 - c.g) * amount, c.b + (1 - c.b) * amount, c.a)
    }

    component AskForPermissionView: NoticeBox {
        required property NotificationsManager notificationsManager
        objectName: "askForPermission"
        iconColor: root.systemYellow
        color: root.brightened(root.systemYellow, 0.6)
        message: qsTr("The app requires your permission to send notifications.")
        buttonTitle: qsTr("Allow notifications")
        onActivated: notificationsManager.requestAuthorization()
    }

    component InformOfLackingPermissionsView: NoticeBox {
        objectName: "informOfLackingPermissions"
        iconColor: root.systemRed
        color: root.brightened(root.systemRed, 0.45)
        message: qsTr("The app doesn't have permission to send notifications.")
        buttonTitle: qsTr("Open notification settings")
        onActivated: SystemSettings.openNotificationSettings()
    }

    // The layout both notices share.
    component NoticeBox: Rectangle {
        id: notice

        property color iconColor
        property string message
        property string buttonTitle
        signal activated()

        readonly property real padding: 16
        readonly property real footnoteSize: 13

        implicitWidth: row.implicitWidth + 2 * padding
        implicitHeight: row.implicitHeight + 2 * padding
        radius: 4
        clip: true

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
                    color: notice.iconColor
                }
            }

            Column {
                width: row.width - 30 - row.spacing
                spacing: 12

                Label {
                    width: parent.width
                    text: notice.message
                    wrapMode: Text.Wrap
                    horizontalAlignment: Text.AlignLeft
                    font.pixelSize: notice.footnoteSize
                    color: "black"
                }

                AbstractButton {
                    objectName: "noticeButton"
                    padding: 0
                    implicitWidth: implicitContentWidth + leftPadding + rightPadding
                    implicitHeight: implicitContentHeight + topPadding + bottomPadding
                    contentItem: Label {
                        text: notice.buttonTitle
                        font.pixelSize: notice.footnoteSize
                        color: root.systemBlue
                    }
                    background: null
                    onClicked: notice.activated()
                    Accessible.name: notice.buttonTitle
                }
            }
        }
    }
}

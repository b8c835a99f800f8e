import QtQuick
import QtQuick.Controls
import Velmora.App
import Velmora.Screens
import Velmora.Styling
import Velmora.Sync

// The calendar account the chores sync with: a form until one is connected, then the calendar
// chosen and how the last sync went.
DetailScreen {
    id: screen
    objectName: "syncAccount"
    readonly property SyncAccount account: App.sync
    // Over a connected account the form shows once the user said to replace it.
    readonly property bool connected: account.stage === SyncAccount.Connected && !account.replacing
    // Saving follows a choice: the choices stay, still.
    readonly property bool choosing: account.stage === SyncAccount.Choosing || account.stage === SyncAccount.Saving
    readonly property bool confirming: account.stage === SyncAccount.Confirming
    onConfirmingChanged: if (confirming) backButton.forceActiveFocus(Qt.TabFocusReason)
    readonly property bool form: !connected && !choosing && !confirming
    // The choices come first, before Back: the focus goes to the first of them once they are made.
    onChoosingChanged: if (choosing) focusChoices.start()
    Component.onCompleted: if (choosing) focusChoices.start()
    Timer {
        id: focusChoices
        interval: 0
        onTriggered: {
            if (!screen.choosing)
                return
            if (choices.count > 0)
                choices.itemAt(0).forceActiveFocus()
            else if (newCalendar.visible)
                newCalendar.forceActiveFocus()
            else
                backButton.forceActiveFocus()
        }
    }
    // The address and user typed outlive the screen; the password does not.
    function keepTyped() { screen.account.keepTyped(serverField.text, userField.text) }

    title: ScreenTexts.upper(qsTr("Sync"))
    onCloseRequested: App.router.pop()

    // The form.
    Label {
        visible: screen.form
        width: parent.width
        wrapMode: Text.Wrap
        text: qsTr("Keep your chores in the tasks of your calendar account (Nextcloud, Radicale, Fastmail and others), and so on your other devices.")
        color: Styling.secondary
        Accessible.ignored: !visible
    }
    FieldLabel { text: qsTr("Server address"); visible: screen.form }
    StyledTextField {
        id: serverField
        objectName: "serverField"
        visible: screen.form
        enabled: !screen.account.busy
        width: parent.width
        // The host alone is enough (the app finds the calendars from there), and fits a narrow window.
        placeholderText: "https://cloud.example.org"
        text: screen.account.offeredServer
        Accessible.name: qsTr("Server address")
        inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoAutoUppercase
        focus: true
        onTextEdited: screen.keepTyped()
    }
    FieldLabel { text: qsTr("User name"); visible: screen.form }
    StyledTextField {
        id: userField
        objectName: "userField"
        visible: screen.form
        enabled: !screen.account.busy
        width: parent.width
        Accessible.name: qsTr("User name")
        inputMethodHints: Qt.ImhNoAutoUppercase
        text: screen.account.offeredUser
        onTextEdited: screen.keepTyped()
    }
    // Qt 6.4 gives a password field no name on AT-SPI: screen readers take the label before it.
    FieldLabel { text: qsTr("App password"); visible: screen.form }
    StyledTextField {
        id: passwordField
        objectName: "passwordField"
        visible: screen.form
        enabled: !screen.account.busy
        width: parent.width
        Accessible.name: qsTr("App password")
        echoMode: TextInput.Password
        onAccepted: screen.account.discover(serverField.text, userField.text, passwordField.text)
    }
    Label {
        visible: screen.form
        width: parent.width
        wrapMode: Text.Wrap
        text: qsTr("The password is kept in the desktop's Secret Service, never in a file.")
        color: Styling.secondary
        font.pointSize: 10
        Accessible.ignored: !visible
    }

    // Asked before the password goes somewhere the user has not seen, with the address in full.
    Row {
        visible: screen.confirming
        width: parent.width
        spacing: 6
        SymbolImage {
            id: caution
            name: "exclamationmark.triangle.fill"
            color: Styling.destructiveColor
            size: 15
        }
        Label {
            objectName: "syncQuestion"
            width: parent.width - caution.width - parent.spacing
            wrapMode: Text.Wrap
            textFormat: Text.PlainText
            text: screen.account.question
            color: Styling.foreground
            font.weight: Font.Medium
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Accessible.ignored: !visible
        }
    }
    InfoRow {
        visible: screen.confirming
        label: qsTr("Address")
        value: screen.account.questionAddress
    }

    // Choosing the calendar.
    Label {
        visible: screen.choosing
        width: parent.width
        wrapMode: Text.Wrap
        text: screen.account.calendars.length > 0 ? qsTr("Which calendar holds your chores?")
                                                  : qsTr("The account has no calendar for tasks yet.")
        color: Styling.foreground
        Accessible.ignored: !visible
    }
    // qmllint disable unqualified
    Repeater {
        id: choices
        model: screen.choosing ? screen.account.calendars : []
        delegate: ChoiceButton {
            required property int index
            required property string modelData
            objectName: "calendarChoice"
            text: modelData
            symbol: "calendar"
            enabled: !screen.account.busy
            onClicked: screen.account.choose(index)
        }
    }
    // qmllint enable unqualified
    ChoiceButton {
        id: newCalendar
        objectName: "newCalendar"
        visible: screen.choosing && screen.account.canCreateCalendar
        text: qsTr("New calendar “%1”").arg(qsTr("Chores"))
        symbol: "plus"
        enabled: !screen.account.busy
        onClicked: screen.account.createCalendar()
    }

    // A calendar another user shares, given by its address when the server does not list it.
    FieldLabel { text: qsTr("Or the address of a calendar shared with you"); visible: screen.choosing }
    StyledTextField {
        id: addressField
        objectName: "calendarAddressField"
        visible: screen.choosing
        enabled: !screen.account.busy
        width: parent.width
        // Cut in its middle where the field is short: the address's start and end say the most.
        placeholderText: addressExample.elidedText
        TextMetrics {
            id: addressExample
            font: addressField.font
            text: "https://cloud.example.org/remote.php/dav/calendars/alice/chores/"
            elide: Text.ElideMiddle
            elideWidth: addressField.width - addressField.leftPadding - addressField.rightPadding
        }
        Accessible.name: qsTr("Address of a calendar shared with you")
        inputMethodHints: Qt.ImhUrlCharactersOnly | Qt.ImhNoAutoUppercase
        onAccepted: screen.account.chooseAddress(text)
    }
    ChoiceButton {
        objectName: "useCalendarAddress"
        visible: screen.choosing && addressField.text.trim().length > 0
        text: qsTr("Use the calendar at this address")
        symbol: "calendar"
        enabled: !screen.account.busy
        onClicked: screen.account.chooseAddress(addressField.text)
    }

    // The connected account.
    InfoRow {
        visible: screen.connected
        label: qsTr("Server")
        value: screen.account.server
        // Said once connected too: the password and the chores cross the network readable.
        note: screen.account.server.startsWith("http:") ? qsTr("Not encrypted") : ""
    }
    Separator { visible: screen.connected }
    InfoRow {
        visible: screen.connected
        label: qsTr("User")
        value: screen.account.user
    }
    Separator { visible: screen.connected }
    InfoRow {
        visible: screen.connected
        label: qsTr("Calendar")
        value: screen.account.calendarName
    }
    Separator { visible: screen.connected }
    Row {
        visible: screen.connected
        width: parent.width
        spacing: 6
        SymbolImage {
            id: warning
            visible: screen.account.failing
            name: "exclamationmark.triangle.fill"
            color: Styling.destructiveColor
            size: 15
        }
        Label {
            objectName: "syncStatus"
            width: parent.width - (warning.visible ? warning.width + parent.spacing : 0)
            wrapMode: Text.Wrap
            textFormat: Text.PlainText
            text: screen.account.status
            font.weight: Font.Medium
            color: screen.account.failing ? Styling.destructiveColor : Styling.foreground
            Accessible.role: Accessible.StaticText
            Accessible.name: text
            Accessible.ignored: !visible
        }
    }
    Label {
        objectName: "syncDetails"
        visible: screen.connected && text.length > 0
        width: parent.width
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
        text: screen.account.details
        color: Styling.secondary
        Accessible.ignored: !visible
    }

    // What went wrong while connecting, and what is going on.
    Label {
        objectName: "syncMessage"
        visible: text.length > 0
        width: parent.width
        wrapMode: Text.Wrap
        textFormat: Text.PlainText
        text: screen.account.message
        color: Styling.destructiveColor
        Accessible.role: Accessible.StaticText
        Accessible.name: text
        Accessible.ignored: !visible
    }
    Label {
        visible: screen.account.busy
        width: parent.width
        text: screen.account.stage === SyncAccount.Discovering ? qsTr("Looking for calendars…") : qsTr("Connecting…")
        color: Styling.secondary
        Accessible.ignored: !visible
    }

    // Who this computer's user is to the others sharing the calendar: their finishes carry it.
    Separator {}
    FieldLabel { text: qsTr("Your name in the household") }
    StyledTextField {
        id: memberField
        objectName: "memberField"
        width: parent.width
        text: App.household.me
        Accessible.name: qsTr("Your name in the household")
        onEditingFinished: if (text.trim().length > 0) App.household.me = text
    }

    actions: [
        GreedyButton {
            objectName: "connectButton"
            visible: screen.form
            enabled: !screen.account.busy
            text: qsTr("Connect")
            onClicked: screen.account.discover(serverField.text, userField.text, passwordField.text)
        },
        // The risky answer looks it; Back, the safe one, has the focus.
        GreedyButton {
            objectName: "confirmAddressButton"
            visible: screen.confirming
            destructive: true
            text: qsTr("Connect")
            onClicked: screen.account.confirm()
        },
        GreedyButton {
            id: backButton
            objectName: "backButton"
            visible: screen.choosing || screen.confirming || screen.account.replacing
            enabled: !screen.account.busy
            text: qsTr("Back")
            onClicked: screen.account.cancel()
        },
        GreedyButton {
            objectName: "syncNowButton"
            visible: screen.connected
            enabled: !screen.account.running
            symbol: "arrow.triangle.2.circlepath"
            text: qsTr("Sync now")
            onClicked: screen.account.syncNow()
        },
        GreedyButton {
            objectName: "disconnectButton"
            visible: screen.connected
            destructive: true
            text: qsTr("Disconnect")
            onClicked: forgetAlert.open()
        }
    ]

    ActionAlert {
        id: forgetAlert
        objectName: "forgetAlert"
        title: qsTr("Disconnect this account?")
        message: qsTr("Your chores stay on this computer and in the calendar on the server; they are no longer synced, and the password is removed from the keyring.")
        confirmText: qsTr("Disconnect")
        onConfirmed: {
            screen.account.forget()
            // Gone from the keyring, and from the form too.
            passwordField.text = ""
        }
    }

        // The name over a field of the form.
    component FieldLabel: Label {
        width: parent ? parent.width : 0
        topPadding: 4
        wrapMode: Text.Wrap
        color: Styling.secondary
        font.pointSize: 10
        Accessible.ignored: !visible
    }

    // A label and a value that may be long (an address): the value gives way, in the middle. A note
    // goes under the value, whole: cut with a long address, "Not encrypted" lost its "Not".
    component InfoRow: Item {
        id: row
        property string label
        property string value
        property string note
        width: parent ? parent.width : 0
        implicitHeight: Math.max(labelText.implicitHeight, values.implicitHeight) + 12
        Accessible.role: Accessible.StaticText
        Accessible.name: label + ": " + value + (note.length > 0 ? ", " + note : "")
        Accessible.ignored: !visible
        Label {
            id: labelText
            anchors.left: parent.left
            anchors.top: values.top
            text: row.label
            color: Styling.foreground
            Accessible.ignored: true
        }
        Column {
            id: values
            anchors.left: labelText.right
            anchors.leftMargin: 12
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            Label {
                width: parent.width
                horizontalAlignment: Text.AlignRight
                elide: Text.ElideMiddle
                textFormat: Text.PlainText
                text: row.value
                color: Styling.secondary
                Accessible.ignored: true
            }
            Label {
                objectName: "rowNote"
                visible: row.note.length > 0
                width: parent.width
                horizontalAlignment: Text.AlignRight
                wrapMode: Text.Wrap
                text: row.note
                color: Styling.destructiveColor
                Accessible.ignored: true
            }
        }
    }

    // One of the calendars to choose, or a new one.
    component ChoiceButton: Button {
        id: choice
        property string symbol
        width: parent ? parent.width : 0
        flat: true
        focusPolicy: Qt.StrongFocus
        Accessible.name: text
        Accessible.ignored: !visible
        Accessible.onPressAction: choice.clicked()
        contentItem: Row {
            spacing: 8
            SymbolImage {
                name: choice.symbol
                color: Styling.accent
                size: 17
                anchors.verticalCenter: parent.verticalCenter
            }
            Label {
                textFormat: Text.PlainText
                text: choice.text
                color: Styling.foreground
                Accessible.ignored: true
                elide: Text.ElideRight
                width: choice.availableWidth - 25
                anchors.verticalCenter: parent.verticalCenter
            }
        }
        background: Rectangle {
            radius: 8
            color: choice.down ? Qt.rgba(Styling.accent.r, Styling.accent.g, Styling.accent.b, 0.15) : "transparent"
            border.width: choice.visualFocus ? 2 : 0.5
            border.color: choice.visualFocus ? Styling.accent : Styling.secondary
        }
    }
}

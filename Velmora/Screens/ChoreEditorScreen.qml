import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import Velmora.App
import Velmora.Notifications
import Velmora.Screens
import Velmora.Styling

// Creating and changing chores. The form edits the editor's own copy; the bottom button saves.
DetailScreen {
    id: screen
    objectName: "choreEditor"
    property alias operation: editor.operation
    property alias chore: editor.chore
    readonly property alias editor: editor
    readonly property bool twelveHour: Qt.locale().timeFormat(Locale.ShortFormat).toLowerCase().indexOf("a") >= 0

    title: ScreenTexts.upper(qsTr("Chore"))
    backdrop: Qt.rgba(Styling.backdrop.r - 0.03, Styling.backdrop.g - 0.03, Styling.backdrop.b - 0.03, 1)
    onCloseRequested: App.router.pop()

    ChoreEditor {
        id: editor
        changes: App.changes
        router: App.router
        onDismissRequested: App.router.pop()
    }
    Component.onCompleted: editor.load()

    StyledTextField {
        id: titleField
        objectName: "titleField"
        width: parent.width
        placeholderText: qsTr("Title")
        Accessible.name: qsTr("Title")
        text: editor.title
        onTextEdited: editor.title = text
        focus: true
        KeyNavigation.tab: colorButton
    }
    Item { width: 1; height: 5 }

    DetailRow {
        label: qsTr("Color")
        // Delegates bound to this file (pragma ComponentBehavior: Bound) print a warning each on
        // Qt 6.4, so they stay unbound, and its qmllint takes this file's ids in them as unqualified.
        // qmllint disable unqualified
        Repeater {
            model: ["#FF3B30", "#FF9500", "#FFCC00", "#34C759", "#30B0C7", "#007AFF", "#5856D6", "#AF52DE"]
            delegate: Rectangle {
                required property string modelData
                width: 20
                height: 20
                radius: 10
                color: modelData
                border.width: Qt.colorEqual(editor.color, modelData) ? 2 : 0
                border.color: Styling.foreground
                anchors.verticalCenter: parent.verticalCenter
                TapHandler { onTapped: editor.color = parent.modelData }
            }
        }
        // qmllint enable unqualified
        RoundButton {
            id: colorButton
            objectName: "colorButton"
            width: 28
            height: 28
            anchors.verticalCenter: parent.verticalCenter
            Accessible.name: qsTr("Color")
            background: Rectangle {
                radius: width / 2
                color: editor.color
                border.width: 2
                border.color: Styling.secondary
            }
            onClicked: colorDialog.open()
            KeyNavigation.tab: minusButton
        }
    }
    ColorDialog {
        id: colorDialog
        title: qsTr("Color")
        selectedColor: editor.color
        onAccepted: editor.color = selectedColor
    }
    Separator {}

    DetailRow {
        id: plannedRow
        objectName: "plannedRow"
        label: editor.plannedText
        RoundButton {
            id: minusButton
            objectName: "fewerDays"
            text: "−"
            Accessible.name: qsTr("Fewer days")
            enabled: editor.plannedDays > 0
            onClicked: editor.plannedDays = Math.max(0, editor.plannedDays - 1)
            autoRepeat: true
            KeyNavigation.tab: plusButton
        }
        RoundButton {
            id: plusButton
            objectName: "moreDays"
            text: "+"
            Accessible.name: qsTr("More days")
            enabled: editor.plannedDays < editor.maxDays
            onClicked: editor.plannedDays = Math.min(editor.maxDays, Math.max(0, editor.plannedDays) + 1)
            autoRepeat: true
            KeyNavigation.tab: dueButton
        }
    }
    Separator {}

    DetailRow {
        label: qsTr("Due date")
        Button {
            id: dueButton
            objectName: "dueButton"
            flat: true
            text: ScreenTexts.datesText(editor.dueDate, editor.dueDate)
            Accessible.name: qsTr("Due date") + " " + text
            onClicked: duePicker.open()
            KeyNavigation.tab: notifyToggle
        }
    }
    // A QDate reaches QML as a JS date; Qt 6.4's qmllint alone knows no QDate type.
    DuePicker {
        id: duePicker
        selected: editor.dueDate
        firstDay: editor.firstPickableDay // qmllint disable type
        lastDay: editor.lastPickableDay // qmllint disable type
        onPicked: function (day) { editor.pickDueDay(day.getFullYear(), day.getMonth() + 1, day.getDate()) }
    }
    Separator {}

    DetailRow {
        id: notifyRow
        label: qsTr("Notify")
        Row {
            objectName: "timePicker"
            visible: editor.notify
            spacing: 2
            anchors.verticalCenter: parent.verticalCenter
            Accessible.name: qsTr("Notification time")
            Tumbler {
                id: hourTumbler
                objectName: "hourTumbler"
                height: 60
                width: 36
                visibleItemCount: 3
                model: screen.twelveHour ? Array.from({ length: 12 }, (_, i) => String(i + 1))
                                         : Array.from({ length: 24 }, (_, i) => String(i).padStart(2, "0"))
                currentIndex: screen.twelveHour ? (editor.reminderHour + 11) % 12 : editor.reminderHour
                delegate: Label {
                    // The wheel's attached properties need the index.
                    required property int index
                    required property string modelData
                    text: modelData
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    opacity: 1.0 - Math.abs(Tumbler.displacement) / 2
                    color: Styling.foreground
                }
                // Only what the user turns is written back, once the wheel has come to rest.
                onMovingChanged: if (!moving) {
                    editor.reminderHour = screen.twelveHour ? (currentIndex + 1) % 12 + (editor.reminderHour >= 12 ? 12 : 0)
                                                            : currentIndex
                }
            }
            Tumbler {
                id: minuteTumbler
                objectName: "minuteTumbler"
                height: 60
                width: 36
                visibleItemCount: 3
                model: 60
                currentIndex: editor.reminderMinute
                delegate: Label {
                    required property int index
                    text: String(index).padStart(2, "0")
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    opacity: 1.0 - Math.abs(Tumbler.displacement) / 2
                    color: Styling.foreground
                }
                onMovingChanged: if (!moving) editor.reminderMinute = currentIndex
            }
            Tumbler {
                visible: screen.twelveHour
                height: 60
                width: 40
                visibleItemCount: 3
                model: [Qt.locale().amText, Qt.locale().pmText]
                currentIndex: editor.reminderHour >= 12 ? 1 : 0
                delegate: Label {
                    required property var modelData
                    text: modelData
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    color: Styling.foreground
                }
                onMovingChanged: if (!moving) editor.reminderHour = editor.reminderHour % 12 + (currentIndex === 1 ? 12 : 0)
            }
        }
        AbstractButton {
            id: notifyToggle
            objectName: "notifyToggle"
            width: 34
            height: 34
            anchors.verticalCenter: parent.verticalCenter
            Accessible.name: qsTr("Toggle notification")
            Accessible.description: editor.notify ? qsTr("Turn off") : qsTr("Turn on")
            onClicked: editor.notify = !editor.notify
            KeyNavigation.tab: saveButton
            background: Rectangle {
                radius: width / 2
                color: editor.notify ? Styling.accent : Styling.secondary
                border.width: notifyToggle.visualFocus ? 2 : 0
                border.color: Styling.foreground
            }
            contentItem: SymbolImage {
                name: editor.notify ? "bell" : "bell.slash"
                color: "white"
                size: 17
            }
        }
    }
    NotificationsNoticesView {
        objectName: "notices"
        visible: editor.notify
        width: parent.width
        notificationsManager: App.notifications
    }

    Label {
        visible: editor.lastError.length > 0
        width: parent.width
        wrapMode: Text.Wrap
        text: editor.lastError
        color: Styling.destructiveColor
    }

    actions: [
        GreedyButton {
            id: saveButton
            objectName: "saveButton"
            text: editor.saveLabel
            onClicked: editor.save()
        }
    ]
}

import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import Velmora.App
import Velmora.Screens
import Velmora.Styling

// Creating and changing chores. The form edits the editor's own copy; the bottom button saves.
DetailScreen {
    id: screen
    objectName: "choreEditor"
    property alias operation: editor.operation
    property alias chore: editor.chore
    readonly property alias editor: editor
    readonly property var swatches: ["#FF3B30", "#FF9500", "#FFCC00", "#34C759", "#30B0C7", "#007AFF", "#5856D6", "#AF52DE"]
    // The rows of a rule the editor shows, once it repeats at all.
    readonly property bool repeating: !editor.repeatCustom && editor.repeatFrequency !== ChoreEditor.Never
    // A colour no swatch holds, chosen in the colour dialog.
    readonly property bool otherColor: !swatches.some(shade => Qt.colorEqual(shade, editor.color))
    // Swatches shrink to leave the "Color" label room in a narrow window.
    readonly property real swatchSide: Math.max(12, Math.min(20, Math.floor((colorRow.room - colorButton.width - 8 * 6) / 8)))
    readonly property bool twelveHour: Qt.locale().timeFormat(Locale.ShortFormat).toLowerCase().indexOf("a") >= 0

    title: ScreenTexts.upper(qsTr("Chore"))
    backdrop: Qt.rgba(Styling.backdrop.r - 0.03, Styling.backdrop.g - 0.03, Styling.backdrop.b - 0.03, 1)
    onCloseRequested: screen.leave()
    Keys.onEscapePressed: screen.leave()
    // What was typed or changed goes only once the user says so.
    function leave() {
        if (editor.hasChanges())
            discardAlert.open()
        else
            App.router.pop()
    }

    ChoreEditor {
        id: editor
        changes: App.changes
        router: App.router
        members: App.household.members
        onDismissRequested: App.router.pop()
    }
    Component.onCompleted: editor.load()
    Shortcut {
        sequences: ["Ctrl+Return", "Ctrl+Enter"]
        onActivated: editor.save()
    }

    StyledTextField {
        id: titleField
        objectName: "titleField"
        width: parent.width
        placeholderText: qsTr("Title")
        Accessible.name: qsTr("Title")
        text: editor.title
        onTextEdited: editor.title = text
        onAccepted: editor.save()
        focus: true
    }
    // 5 points more than the column's own spacing, not 5 in place of it.
    Item { width: 1; height: 5 - (parent as Column).spacing }

    DetailRow {
        id: colorRow
        label: qsTr("Color")
        // One Tab stop for the colours, as for the desktop's radio buttons: Tab reaches the chosen
        // one and the arrows move on, choosing each swatch they reach; the other colour comes last.
        Keys.onPressed: function (event) {
            const step = ({ [Qt.Key_Left]: -1, [Qt.Key_Up]: -1, [Qt.Key_Right]: 1, [Qt.Key_Down]: 1 })[event.key]
            const members = Array.from({ length: swatchSlots.count }, (_, i) => swatchSlots.itemAt(i)).concat([colorButton])
            const at = members.findIndex(member => member.activeFocus)
            if (step === undefined || at < 0)
                return
            members[(at + step + members.length) % members.length].forceActiveFocus(Qt.TabFocusReason)
            event.accepted = true
        }
        // Delegates bound to this file (pragma ComponentBehavior: Bound) print a warning each on
        // Qt 6.4, so they stay unbound, and its qmllint takes this file's ids in them as unqualified.
        // qmllint disable unqualified
        Repeater {
            id: swatchSlots
            model: [qsTr("Red"), qsTr("Orange"), qsTr("Yellow"), qsTr("Green"), qsTr("Teal"), qsTr("Blue"),
                qsTr("Indigo"), qsTr("Purple")]
            delegate: AbstractButton {
                id: swatch
                objectName: "swatch" + index
                required property int index
                required property string modelData
                readonly property color swatchColor: screen.swatches[index]
                width: screen.swatchSide
                height: screen.swatchSide
                focusPolicy: checked || activeFocus ? Qt.StrongFocus : Qt.ClickFocus
                anchors.verticalCenter: parent.verticalCenter
                Accessible.role: Accessible.RadioButton
                Accessible.name: modelData
                Accessible.ignored: !visible
                Accessible.onPressAction: swatch.clicked()
                checkable: true
                autoExclusive: true
                checked: Qt.colorEqual(editor.color, swatchColor)
                // A swatch that takes the focus is chosen, by click or by arrow alike.
                onActiveFocusChanged: if (activeFocus) editor.color = swatchColor
                onClicked: editor.color = swatchColor
                background: Rectangle {
                    radius: width / 2
                    color: swatch.swatchColor
                    border.width: swatch.checked ? 2 : 0
                    border.color: Styling.foreground
                    FocusRing {
                        innerRadius: swatch.width / 2
                        visible: swatch.visualFocus
                    }
                }
            }
        }
        // qmllint enable unqualified
        RoundButton {
            id: colorButton
            objectName: "colorButton"
            width: 28
            height: 28
            anchors.verticalCenter: parent.verticalCenter
            Accessible.name: qsTr("Other color")
            Accessible.ignored: !visible
            Accessible.onPressAction: colorButton.clicked()
            // The group's Tab stop while no swatch holds the colour.
            focusPolicy: activeFocus || screen.otherColor ? Qt.StrongFocus : Qt.ClickFocus
            // Filled only with a colour of its own: filled with a swatch's, it looked like a preview.
            contentItem: SymbolImage {
                name: screen.otherColor ? "" : "plus"
                color: Styling.secondary
                size: 11
            }
            background: Rectangle {
                radius: width / 2
                color: screen.otherColor ? editor.color : "transparent"
                border.width: 2
                border.color: screen.otherColor ? Styling.foreground : Styling.secondary
                FocusRing {
                    innerRadius: 14
                    visible: colorButton.visualFocus
                }
            }
            onClicked: colorDialog.open()
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
        // Named as the detail screen names it: the count alone, changed by a due day picked far
        // away, said nothing of what it was.
        label: qsTr("Planned (duration)")
        value: editor.plannedText
        RoundButton {
            id: minusButton
            objectName: "fewerDays"
            text: "−"
            Accessible.name: qsTr("Fewer days")
            Accessible.ignored: !visible
            Accessible.onPressAction: minusButton.clicked()
            enabled: editor.plannedDays > 0
            onClicked: editor.plannedDays = Math.max(0, editor.plannedDays - 1)
            autoRepeat: true
        }
        RoundButton {
            id: plusButton
            objectName: "moreDays"
            text: "+"
            Accessible.name: qsTr("More days")
            Accessible.ignored: !visible
            Accessible.onPressAction: plusButton.clicked()
            enabled: editor.plannedDays < editor.maxDays
            onClicked: editor.plannedDays = Math.min(editor.maxDays, Math.max(0, editor.plannedDays) + 1)
            autoRepeat: true
        }
    }
    Separator {}

    DetailRow {
        label: qsTr("Due date")
        Button {
            id: dueButton
            objectName: "dueButton"
            flat: true
            // Flat buttons of the Basic style draw no background, and so no focus, at rest.
            background: Rectangle {
                radius: 4
                color: "transparent"
                border.width: dueButton.visualFocus ? 2 : 0
                border.color: Styling.accent
            }
            text: ScreenTexts.datesText(editor.dueDate, editor.dueDate)
            // With the duration it sets, which a screen reader would not hear change otherwise.
            Accessible.name: qsTr("Due date") + " " + text
            Accessible.description: qsTr("Planned (duration)") + " " + editor.plannedText
            Accessible.ignored: !visible
            Accessible.onPressAction: dueButton.clicked()
            onClicked: duePicker.open()
        }
    }
    DuePicker {
        id: duePicker
        editor: editor
    }
    Separator {}

    // How the chore comes back once finished. A rule of another app that these rows cannot show
    // stays as it is, in words, until the user changes it.
    // "Repeat" is the detail screen's action that starts a chore again once; the rule is named apart.
    DetailRow {
        label: qsTr("Comes back")
        ChoiceBox {
            id: repeatBox
            objectName: "repeatFrequency"
            visible: !editor.repeatCustom
            model: [qsTr("Never"), qsTr("Daily"), qsTr("Weekly"), qsTr("Monthly"), qsTr("Yearly")]
            currentIndex: editor.repeatFrequency
            onActivated: function (index) { editor.repeatFrequency = index }
            Accessible.name: qsTr("Comes back")
        }
        Button {
            id: changeRepeatButton
            objectName: "changeRepeat"
            visible: editor.repeatCustom
            flat: true
            background: Rectangle {
                radius: 4
                color: "transparent"
                border.width: changeRepeatButton.visualFocus ? 2 : 0
                border.color: Styling.accent
            }
            text: qsTr("Change")
            Accessible.name: qsTr("Change how it comes back")
            Accessible.description: editor.repeatText
            Accessible.ignored: !visible
            Accessible.onPressAction: changeRepeatButton.clicked()
            onClicked: {
                editor.changeRepeat()
                // On to the choice that replaces the rule; the focus shows if the keys brought it.
                repeatBox.forceActiveFocus()
            }
        }
    }
    Label {
        visible: editor.repeatCustom
        width: parent.width
        text: editor.repeatText
        textFormat: Text.PlainText
        wrapMode: Text.Wrap
        color: Styling.secondary
        Accessible.ignored: !visible
    }
    DetailRow {
        visible: screen.repeating
        label: editor.repeatEveryText
        // Typed, or stepped by the arrow keys and by round buttons like those of the days row above.
        SpinBox {
            id: intervalBox
            objectName: "repeatInterval"
            anchors.verticalCenter: parent.verticalCenter
            leftPadding: 46
            rightPadding: 46
            from: 1
            to: editor.maxRepeatInterval
            editable: true
            value: editor.repeatInterval
            onValueModified: editor.repeatInterval = value
            Accessible.name: qsTr("Repeat every")
            Accessible.description: editor.repeatText
            Accessible.ignored: !visible
            // Room for three digits between the buttons.
            background: Item { implicitWidth: 132 }
            // The keys go to the text inside: it is what a screen reader finds focused.
            contentItem: TextInput {
                objectName: "repeatIntervalField"
                text: intervalBox.displayText
                font: intervalBox.font
                color: Styling.foreground
                selectionColor: Styling.accent
                selectedTextColor: "white"
                horizontalAlignment: Qt.AlignHCenter
                verticalAlignment: Qt.AlignVCenter
                readOnly: !intervalBox.editable
                validator: intervalBox.validator
                inputMethodHints: Qt.ImhDigitsOnly
                // Taken as typed, not only once the field is left: Ctrl+Return saves without leaving it.
                onTextEdited: if (acceptableInput) editor.repeatInterval = intervalBox.valueFromText(text, Qt.locale())
                Accessible.role: Accessible.EditableText
                Accessible.name: intervalBox.Accessible.name
                Accessible.description: intervalBox.Accessible.description
                Accessible.ignored: !intervalBox.visible
                Rectangle {
                    anchors.fill: parent
                    anchors.margins: -4
                    radius: 4
                    color: "transparent"
                    border.width: 2
                    border.color: Styling.accent
                    visible: intervalBox.activeFocus
                }
            }
            down.indicator: Step {
                x: 0
                text: "−"
                pressed: intervalBox.down.pressed
                fill: intervalBox.palette.button
            }
            up.indicator: Step {
                x: intervalBox.width - width
                text: "+"
                pressed: intervalBox.up.pressed
                fill: intervalBox.palette.button
            }
        }
    }
    DetailRow {
        id: weekdaysRow
        visible: screen.repeating && editor.repeatFrequency === ChoreEditor.Weekly
        label: qsTr("On")
        // One Tab stop for the seven days, at first on a chosen one: the arrows move between them
        // and Space turns the focused one on or off.
        property int stop: editor.repeatWeekdays[0] ?? 0
        Keys.onPressed: function (event) {
            const step = ({ [Qt.Key_Left]: -1, [Qt.Key_Up]: -1, [Qt.Key_Right]: 1, [Qt.Key_Down]: 1 })[event.key]
            const at = Array.from({ length: 7 }, (_, i) => weekdaySlots.itemAt(i)).findIndex(day => day.activeFocus)
            if (step === undefined || at < 0)
                return
            weekdaySlots.itemAt((at + step + 7) % 7).forceActiveFocus(Qt.TabFocusReason)
            event.accepted = true
        }
        Row {
            spacing: 4
            anchors.verticalCenter: parent.verticalCenter
            Accessible.role: Accessible.Grouping
            Accessible.name: qsTr("Weekdays")
            Accessible.ignored: !weekdaysRow.visible
            // qmllint disable unqualified
            Repeater {
                id: weekdaySlots
                model: editor.weekOrder
                delegate: AbstractButton {
                    id: weekday
                    required property int modelData
                    readonly property bool chosen: editor.repeatWeekdays.indexOf(modelData) >= 0
                    // Narrower in a narrow window, so that the row keeps its "On".
                    width: Math.min(Math.max(30, implicitContentWidth + 10), Math.floor((weekdaysRow.room - 6 * 4) / 7))
                    height: 30
                    checkable: true
                    checked: chosen
                    focusPolicy: activeFocus || modelData === weekdaysRow.stop ? Qt.StrongFocus : Qt.ClickFocus
                    onActiveFocusChanged: if (activeFocus) weekdaysRow.stop = modelData
                    onClicked: editor.toggleRepeatWeekday(modelData)
                    Accessible.role: Accessible.CheckBox
                    // QML counts the week's days from Sunday = 0.
                    Accessible.name: Qt.locale().dayName(modelData % 7, Locale.LongFormat)
                    Accessible.ignored: !weekdaysRow.visible
                    Accessible.onPressAction: weekday.clicked()
                    Accessible.onToggleAction: weekday.clicked()
                    contentItem: Text {
                        text: Qt.locale().dayName(weekday.modelData % 7, Locale.ShortFormat)
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                        font.pixelSize: 11
                        color: weekday.chosen ? "white" : Styling.foreground
                    }
                    background: Rectangle {
                        radius: 15
                        color: weekday.chosen ? Styling.accentFill : weekday.palette.button
                        FocusRing {
                            innerRadius: 15
                            visible: weekday.visualFocus
                        }
                    }
                }
            }
            // qmllint enable unqualified
        }
    }
    DetailRow {
        visible: screen.repeating
        label: qsTr("After finishing")
        ToggleSwitch {
            id: afterFinishingSwitch
            objectName: "afterFinishing"
            anchors.verticalCenter: parent.verticalCenter
            checked: editor.repeatAfterFinishing
            onToggled: editor.repeatAfterFinishing = checked
            Accessible.name: qsTr("After finishing")
            Accessible.description: afterFinishingText.text
        }
    }
    Label {
        id: afterFinishingText
        visible: screen.repeating
        width: parent.width
        wrapMode: Text.Wrap
        font.pixelSize: 12
        color: Styling.secondary
        text: (editor.repeatAfterFinishing ? qsTr("The next due day counts from the day the chore is finished.")
                                           : qsTr("The next due day counts from the due day."))
              + (editor.nextDueText.length > 0 ? " " + editor.nextDueText : "")
        Accessible.ignored: true
    }
    Separator {}

    // Who does it: anyone, one member, or members taking turns in an order moved by Alt+Up and
    // Alt+Down, by the arrows beside each, or by dragging.
    DetailRow {
        id: whoRow
        label: qsTr("Who")
        ChoiceBox {
            id: whoBox
            objectName: "whoBox"
            // A long member's name is cut short rather than pushing "Who" out of the row.
            width: Math.min(implicitWidth, whoRow.room)
            // A repeated run stays with whoever it was for; it is changed by editing the chore.
            enabled: screen.operation !== ChoreEditor.Repeat
            model: editor.whoOptions
            currentIndex: editor.whoIndex
            onActivated: function (index) { editor.chooseWho(index) }
            Accessible.name: qsTr("Who")
            Accessible.description: enabled ? "" : whoKept.text
        }
    }
    // Said, rather than a greyed choice left unexplained.
    Label {
        id: whoKept
        objectName: "whoKept"
        visible: !whoBox.enabled
        width: parent.width
        wrapMode: Text.Wrap
        font.pixelSize: 12
        color: Styling.secondary
        text: qsTr("A repeated run stays with whoever it was for; edit the chore to change who.")
        Accessible.ignored: true
    }
    Column {
        id: turnOrder
        objectName: "turnOrder"
        visible: editor.who === ChoreEditor.Turns
        enabled: whoBox.enabled
        width: parent.width
        readonly property real rowHeight: 34
        // The member whose row takes the focus once the rows are made again.
        property string follow
        function focusMember(name) {
            for (let i = 0; i < turnSlots.count; ++i) {
                const slot = turnSlots.itemAt(i)
                if (slot && slot.name === name)
                    slot.take()
            }
        }
        Label {
            width: parent.width
            wrapMode: Text.Wrap
            font.pixelSize: 12
            color: Styling.secondary
            text: qsTr("Tick who takes turns; finishing it gives the next time to the one after whose turn it was.")
            Accessible.ignored: true
        }
        // qmllint disable unqualified
        Repeater {
            id: turnSlots
            model: editor.turnRows
            onItemAdded: function (index, item) { if (item.name === turnOrder.follow) Qt.callLater(item.take) }
            delegate: Item {
                id: slot
                required property int index
                required property var modelData
                readonly property string name: modelData.name
                readonly property int place: modelData.place
                function take() { member.forceActiveFocus(Qt.TabFocusReason) }
                // Once the key or click is over: the change makes the rows anew, this one too.
                function move(to) {
                    turnOrder.follow = slot.name
                    Qt.callLater(editor.moveTurn, slot.place - 1, to - 1)
                }
                width: turnOrder.width
                height: turnOrder.rowHeight
                // Lifted out of the column while dragged; dropped, it goes to the place it is over.
                Rectangle {
                    id: face
                    width: parent.width
                    height: parent.height
                    radius: 6
                    color: drag.active ? slot.palette.button : "transparent"
                    z: drag.active ? 1 : 0
                    DragHandler {
                        id: drag
                        enabled: slot.place > 0
                        xAxis.enabled: false
                        onActiveChanged: if (!active) {
                            const to = Math.round(slot.place + face.y / turnOrder.rowHeight)
                            face.y = 0
                            slot.move(Math.max(1, Math.min(editor.turns.length, to)))
                        }
                    }
                    Text {
                        id: grip
                        x: 2
                        anchors.verticalCenter: parent.verticalCenter
                        text: "≡"
                        color: Styling.secondary
                        visible: slot.place > 0
                        Accessible.ignored: true
                    }
                    CheckBox {
                        id: member
                        x: 18
                        anchors.verticalCenter: parent.verticalCenter
                        width: parent.width - x - moves.width - 4
                        text: slot.name
                        checked: slot.place > 0
                        onClicked: {
                            turnOrder.follow = slot.name
                            Qt.callLater(editor.toggleTurn, slot.name)
                        }
                        contentItem: Label {
                            leftPadding: member.indicator.width + member.spacing
                            verticalAlignment: Text.AlignVCenter
                            elide: Text.ElideRight
                            textFormat: Text.PlainText
                            text: slot.modelData.now ? qsTr("%1 · now").arg(slot.name) : slot.name
                            font.weight: slot.modelData.now ? Font.DemiBold : Font.Normal
                            color: Styling.foreground
                            Accessible.ignored: true
                        }
                        Accessible.name: slot.place <= 0 ? slot.name
                            : slot.modelData.now ? qsTr("%1, %2 of %3, whose turn it is").arg(slot.name).arg(slot.place).arg(editor.turns.length)
                                                 : qsTr("%1, %2 of %3").arg(slot.name).arg(slot.place).arg(editor.turns.length)
                        Accessible.description: slot.place > 0 ? qsTr("Alt+Up and Alt+Down move it in the order") : ""
                        Accessible.ignored: !turnOrder.visible
                        Keys.onPressed: function (event) {
                            if (!(event.modifiers & Qt.AltModifier) || slot.place <= 0)
                                return
                            if (event.key === Qt.Key_Up)
                                slot.move(slot.place - 1)
                            else if (event.key === Qt.Key_Down)
                                slot.move(slot.place + 1)
                            else
                                return
                            event.accepted = true
                        }
                    }
                    // The mouse's way and a screen reader's, beside Alt and the arrows.
                    Row {
                        id: moves
                        anchors.right: parent.right
                        anchors.verticalCenter: parent.verticalCenter
                        visible: slot.place > 0
                        spacing: 2
                        Mover {
                            text: "▲"
                            enabled: slot.place > 1
                            Accessible.name: qsTr("Move %1 up").arg(slot.name)
                            onClicked: slot.move(slot.place - 1)
                        }
                        Mover {
                            text: "▼"
                            enabled: slot.place < editor.turns.length
                            Accessible.name: qsTr("Move %1 down").arg(slot.name)
                            onClicked: slot.move(slot.place + 1)
                        }
                    }
                }
            }
        }
        // qmllint enable unqualified
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
            Accessible.ignored: !visible
            Wheel {
                id: hourTumbler
                objectName: "hourTumbler"
                Accessible.name: qsTr("Hour")
                typedNext: minuteTumbler
                model: screen.twelveHour ? Array.from({ length: 12 }, (_, i) => String(i + 1))
                                         : Array.from({ length: 24 }, (_, i) => String(i).padStart(2, "0"))
                currentIndex: screen.twelveHour ? (editor.reminderHour + 11) % 12 : editor.reminderHour
                onPicked: function (index) {
                    editor.reminderHour = screen.twelveHour ? (index + 1) % 12 + (editor.reminderHour >= 12 ? 12 : 0) : index
                }
            }
            Wheel {
                id: minuteTumbler
                objectName: "minuteTumbler"
                Accessible.name: qsTr("Minute")
                model: Array.from({ length: 60 }, (_, i) => String(i).padStart(2, "0"))
                currentIndex: editor.reminderMinute
                onPicked: function (index) { editor.reminderMinute = index }
            }
            Wheel {
                visible: screen.twelveHour
                width: 40
                Accessible.name: qsTr("Before or after noon")
                model: [Qt.locale().amText, Qt.locale().pmText]
                currentIndex: editor.reminderHour >= 12 ? 1 : 0
                onPicked: function (index) { editor.reminderHour = editor.reminderHour % 12 + (index === 1 ? 12 : 0) }
            }
        }
        AbstractButton {
            id: notifyToggle
            objectName: "notifyToggle"
            width: 34
            height: 34
            anchors.verticalCenter: parent.verticalCenter
            Accessible.name: qsTr("Toggle notification")
            Accessible.ignored: !visible
            Accessible.onPressAction: notifyToggle.clicked()
            Accessible.description: editor.notify ? qsTr("Turn off") : qsTr("Turn on")
            onClicked: editor.notify = !editor.notify
            background: Rectangle {
                radius: width / 2
                color: editor.notify ? Styling.accentFill : Styling.secondary
                // Outside the bell: a dark ring on its grey went unseen in the light style.
                FocusRing {
                    innerRadius: notifyToggle.width / 2
                    visible: notifyToggle.visualFocus
                }
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
        Accessible.ignored: !visible
        color: Styling.destructiveColor
    }

    ActionAlert {
        id: discardAlert
        objectName: "discardAlert"
        // The chore itself stays: only what was typed or changed here goes.
        title: qsTr("Discard your changes?")
        confirmText: qsTr("Discard")
        onConfirmed: App.router.pop()
    }

    actions: [
        GreedyButton {
            id: saveButton
            objectName: "saveButton"
            text: editor.saveLabel
            onClicked: editor.save()
        }
    ]

    // A choice of a few, drawn in the app's colours and said to a screen reader with its value.
    component ChoiceBox: ComboBox {
        id: box
        anchors.verticalCenter: parent ? parent.verticalCenter : undefined
        implicitContentWidthPolicy: ComboBox.WidestText
        // The style draws its arrows in this colour, black in either scheme.
        palette.dark: Styling.foreground
        // The style's highlighted line is white in either scheme: here it is the accent's. Member
        // names among the choices are shown as they are.
        // qmllint disable unqualified
        // Written out as a component: the inline type does not make one of it on Qt 6.4.
        delegate: Component {
            ItemDelegate {
                id: choice
                required property int index
                required property string modelData
                width: ListView.view.width
                text: modelData
                highlighted: box.highlightedIndex === index
                // Said by name: with a content item of its own, the line is left unnamed.
                Accessible.name: modelData
                palette.light: Styling.accentFill
                palette.midlight: Qt.darker(Styling.accentFill, 1.15)
                contentItem: Label {
                    text: choice.modelData
                    textFormat: Text.PlainText
                    elide: Text.ElideRight
                    font.weight: box.currentIndex === choice.index ? Font.DemiBold : Font.Normal
                    color: choice.highlighted ? "white" : Styling.foreground
                }
            }
        }
        // qmllint enable unqualified
        // Qt 6.4 gives a screen reader no value of a combo box: the choice is said here.
        Accessible.description: displayText
        Accessible.ignored: !visible
        // The style's, a read-only field, is listed by a screen reader as an unnamed text field.
        // A text input still, so that the widest choice sets the width in any language.
        contentItem: TextInput {
            leftPadding: 12
            text: box.displayText
            font: box.font
            color: Styling.foreground
            verticalAlignment: Text.AlignVCenter
            readOnly: true
            enabled: false
            Accessible.ignored: true
        }
        background: Rectangle {
            implicitWidth: 140
            implicitHeight: 40
            radius: 6
            color: box.down ? Qt.darker(box.palette.button, 1.15) : box.palette.button
            FocusRing {
                innerRadius: 6
                visible: box.visualFocus
            }
        }
    }

    // A small arrow that moves a member in the turn order; the keys do it with Alt on the member.
    component Mover: AbstractButton {
        id: mover
        width: 26
        height: 26
        focusPolicy: Qt.NoFocus
        Accessible.role: Accessible.Button
        Accessible.ignored: !visible
        Accessible.onPressAction: mover.clicked()
        contentItem: Text {
            text: mover.text
            font.pixelSize: 10
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            color: mover.enabled ? Styling.foreground : Styling.secondary
        }
        background: Rectangle {
            radius: 13
            color: mover.down ? Qt.darker(mover.palette.button, 1.15) : mover.palette.button
        }
    }

    // A step button of the repeat count, drawn as the round buttons of the days row.
    component Step: Rectangle {
        property alias text: sign.text
        property bool pressed
        property color fill
        y: ((parent as Item).height - height) / 2
        implicitWidth: 40
        implicitHeight: 40
        radius: 20
        color: pressed ? Qt.darker(fill, 1.15) : fill
        Label {
            id: sign
            anchors.centerIn: parent
            color: Styling.foreground
            // The spin box itself is what a screen reader steps.
            Accessible.ignored: true
        }
    }

    // A wheel of the reminder time. It never moves on its own: a turn by drag, mouse wheel or
    // arrow key is reported with picked(), and the wheel then shows what the editor holds.
    // Digits type its value ("1", "2" is 12), and once no further digit could change it the keys
    // go on to typedNext, so that a time is typed as it is written.
    component Wheel: Tumbler {
        id: wheel
        signal picked(int index)
        property Item typedNext
        property string typed
        function step(delta) {
            wheel.typed = ""
            wheel.picked((wheel.currentIndex + delta + wheel.count) % wheel.count)
        }

        height: 60
        width: 36
        visibleItemCount: 3
        focusPolicy: Qt.StrongFocus
        Accessible.ignored: !visible
        onMovingChanged: if (!moving) wheel.picked(wheel.currentIndex)
        // Up raises the value, as a spin box does, though the wheel's list runs downwards.
        Keys.onUpPressed: wheel.step(1)
        Keys.onDownPressed: wheel.step(-1)
        Keys.onPressed: function (event) {
            if (!/^[0-9]$/.test(event.text))
                return
            event.accepted = true
            const typing = ScreenTexts.typeOnWheel(wheel.model, wheel.typed + event.text)
            wheel.typed = typing.pending
            typingPause.restart()
            if (typing.index >= 0)
                wheel.picked(typing.index)
            if (typing.pending.length === 0 && wheel.typedNext)
                wheel.typedNext.forceActiveFocus(Qt.TabFocusReason)
        }
        // A digit typed after a pause starts anew.
        Timer {
            id: typingPause
            interval: 1500
            onTriggered: wheel.typed = ""
        }
        onActiveFocusChanged: wheel.typed = ""
        WheelHandler {
            acceptedDevices: PointerDevice.Mouse | PointerDevice.TouchPad
            onWheel: function (event) { if (event.angleDelta.y !== 0) wheel.step(event.angleDelta.y > 0 ? -1 : 1) }
        }
        background: Rectangle {
            radius: 4
            color: "transparent"
            border.width: wheel.visualFocus ? 2 : 0
            border.color: Styling.accent
        }
        // Written out as a component: the inline type does not make one of it on Qt 6.4.
        delegate: Component {
            Label {
                required property int index
                required property var modelData
                text: modelData
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                opacity: 1.0 - Math.abs(Tumbler.displacement) / 2
                color: Styling.foreground
                Accessible.ignored: true
            }
        }
    }
}

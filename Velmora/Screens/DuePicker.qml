import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Velmora.Screens
import Velmora.Styling

// A month calendar offering the editor's pickable days, by mouse or by keys: the arrows, Page
// Up and Down, Home and End move the focused day, Enter or Space picks it. It only reports what
// the user picks: a due day outside the range (an overdue chore) stays as it is until then.
Popup {
    id: picker
    required property ChoreEditor editor

    parent: Overlay.overlay
    anchors.centerIn: parent
    modal: true
    focus: true
    padding: 12
    width: Math.min(340, parent ? parent.width - 32 : 340)
    background: PopupBackground { radius: 12 }
    palette.button: Styling.cardButton
    onAboutToShow: calendar.reset()

    DueCalendar {
        id: calendar
        editor: picker.editor
    }
    function pick(day) {
        if (calendar.pick(day))
            picker.close()
    }

    // A child rather than the contentItem, so the controls' content stays deferred.
    ColumnLayout {
        anchors.fill: parent
        spacing: 8
        RowLayout {
            Layout.fillWidth: true
            Button {
                text: "‹"
                Accessible.name: qsTr("Previous month")
                Accessible.onPressAction: if (enabled) calendar.stepMonths(-1)
                enabled: calendar.earlierMonth
                onClicked: calendar.stepMonths(-1)
            }
            Label {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: Qt.locale().standaloneMonthName(calendar.month) + " " + calendar.year
                font.bold: true
                color: Styling.foreground
            }
            Button {
                text: "›"
                Accessible.name: qsTr("Next month")
                Accessible.onPressAction: if (enabled) calendar.stepMonths(1)
                enabled: calendar.laterMonth
                onClicked: calendar.stepMonths(1)
            }
        }
        DayOfWeekRow {
            Layout.fillWidth: true
            // The style's own label is black in either scheme.
            delegate: Label {
                required property string shortName
                text: shortName
                font.bold: true
                color: Styling.foreground
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
        }
        // The days are one Tab stop; a control is a focus scope, and the focused day holds its focus.
        MonthGrid {
            id: grid
            objectName: "monthGrid"
            Layout.fillWidth: true
            month: calendar.month
            year: calendar.year
            focus: true
            focusPolicy: Qt.TabFocus
            Keys.onPressed: function (event) {
                if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space)
                    picker.pick(calendar.focused)
                else if (!calendar.press(event.key, event.modifiers))
                    return
                event.accepted = true
            }
            // Delegates bound to this file (pragma ComponentBehavior: Bound) print a warning each on
            // Qt 6.4, so they stay unbound, and its qmllint takes this file's ids in them as unqualified.
            // qmllint disable unqualified
            delegate: Label {
                id: cell
                required property var model
                readonly property int day: Date.UTC(model.year, model.month, model.day) / 86400000
                readonly property bool pickable: model.month === grid.month && day >= calendar.first && day <= calendar.last
                readonly property bool chosen: day === calendar.due
                focus: day === calendar.focused
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: model.day
                opacity: pickable ? 1 : 0.3
                color: chosen ? "white" : Styling.foreground
                // Read out as the whole date, not as a bare number.
                Accessible.role: Accessible.Button
                Accessible.name: new Date(model.year, model.month, model.day).toLocaleDateString(Qt.locale(), Locale.LongFormat)
                Accessible.onPressAction: picker.pick(day)
                background: Rectangle {
                    visible: cell.chosen
                    radius: height / 2
                    color: Styling.accentFill
                }
                FocusRing {
                    innerRadius: cell.height / 2
                    visible: cell.activeFocus
                }
            }
            // qmllint enable unqualified
            // A QDate reaches QML as the start of its day in UTC.
            onClicked: function (date) { picker.pick(Math.round(date.getTime() / 86400000)) }
        }
    }
}

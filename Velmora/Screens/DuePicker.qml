import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Velmora.Styling

// A month calendar offering the days from firstDay to lastDay. It only reports what the user
// picks: a chosen date outside the range (an overdue chore) is shown as it is, never moved.
Popup {
    id: picker
    property date selected
    property date firstDay
    property date lastDay
    property int month: selected.getMonth()
    property int year: selected.getFullYear()
    signal picked(date day)

    parent: Overlay.overlay
    anchors.centerIn: parent
    modal: true
    focus: true
    padding: 12
    width: Math.min(340, parent ? parent.width - 32 : 340)
    background: Rectangle { radius: 12; color: (Styling.dark ? "#2C2B29" : "#FFFFFF") }

    function dayNumber(d) { return Math.floor(new Date(d.getFullYear(), d.getMonth(), d.getDate()).getTime() / 86400000) }
    function inRange(d) { return dayNumber(d) >= dayNumber(firstDay) && dayNumber(d) <= dayNumber(lastDay) }
    function step(delta) {
        const m = new Date(year, month + delta, 1)
        month = m.getMonth()
        year = m.getFullYear()
    }
    onAboutToShow: {
        const shown = isNaN(selected.getTime()) ? firstDay : selected
        month = shown.getMonth()
        year = shown.getFullYear()
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
                Accessible.onPressAction: if (enabled) picker.step(-1)
                enabled: new Date(picker.year, picker.month, 1) > picker.firstDay
                onClicked: picker.step(-1)
            }
            Label {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: Qt.locale().standaloneMonthName(picker.month) + " " + picker.year
                font.bold: true
                color: Styling.foreground
            }
            Button {
                text: "›"
                Accessible.name: qsTr("Next month")
                Accessible.onPressAction: if (enabled) picker.step(1)
                enabled: new Date(picker.year, picker.month + 1, 1) <= picker.lastDay
                onClicked: picker.step(1)
            }
        }
        DayOfWeekRow {
            Layout.fillWidth: true
        }
        MonthGrid {
            id: grid
            objectName: "monthGrid"
            Layout.fillWidth: true
            month: picker.month
            year: picker.year
            // Delegates bound to this file (pragma ComponentBehavior: Bound) print a warning each on
            // Qt 6.4, so they stay unbound, and its qmllint takes this file's ids in them as unqualified.
            // qmllint disable unqualified
            delegate: Label {
                id: cell
                required property var model
                readonly property bool pickable: model.month === grid.month && picker.inRange(model.date)
                readonly property bool chosen: picker.dayNumber(model.date) === picker.dayNumber(picker.selected)
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
                text: model.day
                opacity: pickable ? 1 : 0.3
                color: chosen ? "white" : Styling.foreground
                background: Rectangle {
                    visible: cell.chosen
                    radius: height / 2
                    color: Styling.accentFill
                }
            }
            // qmllint enable unqualified
            onClicked: function (day) {
                if (picker.inRange(day) && day.getMonth() === grid.month) {
                    picker.picked(day)
                    picker.close()
                }
            }
        }
    }
}

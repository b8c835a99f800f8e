import QtQuick
import QtQuick.Controls
import Velmora.Screens
import Velmora.Styling

// The last twelve months as small squares, a column per week, each day as dark as the chores
// that ended on it, under this month's and last month's counts. The days are one Tab stop: the
// arrows move a focused day (up and down by day, left and right by week), Enter or Space picks
// it, as a click does. A narrow window scrolls the weeks sideways, the latest in view.
Column {
    id: year
    required property JournalCalendar calendar
    // A day with chores was picked (days since 1970-01-01).
    signal picked(int day)
    readonly property alias dayFocused: cursor.activeFocus

    spacing: 6

    // What picking an empty day answered, under the calendar, until the focus moves on.
    property string note

    function pick(row) {
        year.calendar.focused = row
        if (year.calendar.countAt(row) > 0)
            year.picked(year.calendar.dayOf(row))
        else
            year.note = year.calendar.nothingText(row)
    }
    Connections {
        target: year.calendar
        function onFocusedChanged() { year.note = "" }
    }

    Label {
        objectName: "monthCounts"
        width: parent.width
        wrapMode: Text.Wrap
        color: Styling.foreground
        // Member names as they are written.
        textFormat: Text.PlainText
        text: year.calendar.monthLine
    }

    Row {
        spacing: 4
        width: parent.width

        // Every other weekday named, from the locale's first.
        Item {
            id: weekdays
            width: 28
            height: strip.height
            // Delegates bound to this file (pragma ComponentBehavior: Bound) print a warning each on
            // Qt 6.4, so they stay unbound, and its qmllint takes this file's ids in them as unqualified.
            // qmllint disable unqualified
            Repeater {
                model: 4
                delegate: Label {
                    required property int index
                    y: grid.header + 2 * index * grid.step
                    height: grid.cell
                    verticalAlignment: Text.AlignVCenter
                    font.pixelSize: 9
                    color: Styling.secondary
                    text: Qt.locale().dayName((Qt.locale().firstDayOfWeek + 2 * index) % 7, Locale.ShortFormat)
                    Accessible.ignored: true
                }
            }
            // qmllint enable unqualified
        }

        Flickable {
            id: strip
            // Room around the days for the focus ring, which the clip would cut at the edges.
            readonly property real margin: 4
            width: parent.width - weekdays.width - parent.spacing
            height: grid.height + margin
            contentWidth: grid.width + 2 * margin
            contentHeight: height
            clip: true
            flickableDirection: Flickable.HorizontalFlick
            boundsBehavior: Flickable.StopAtBounds
            interactive: contentWidth > width
            // The latest whole weeks in view; flicking moves it until the width changes.
            contentX: Math.max(0, contentWidth - Math.floor((width - 2 * margin) / grid.step) * grid.step - 2 * margin)

            Item {
                id: grid
                x: strip.margin
                // Squares of 8 to 12 pixels with a gap of 2; below 8 the weeks scroll instead.
                readonly property real step: Math.max(10, Math.min(14, Math.floor((strip.width - 2 * strip.margin) / Math.max(1, year.calendar.weeks))))
                readonly property real cell: step - 2
                readonly property real header: 14
                width: year.calendar.weeks * step
                height: header + 7 * step

                // qmllint disable unqualified
                Repeater {
                    model: year.calendar.months
                    delegate: Label {
                        required property var modelData
                        x: modelData.week * grid.step
                        // A month's name the strip's edge would cut is left out, not shown in part.
                        visible: grid.x + x >= strip.contentX && grid.x + x + width <= strip.contentX + strip.width
                        font.pixelSize: 9
                        color: Styling.secondary
                        text: modelData.name
                        Accessible.ignored: true
                    }
                }
                // qmllint enable unqualified
                JournalDays {
                    y: grid.header
                    width: parent.width
                    height: 7 * grid.step
                    calendar: year.calendar
                    step: grid.step
                    gap: 2
                    // The text's own neutral tone, readable on either backdrop.
                    tone: Styling.foreground
                    emptyOpacity: Styling.dark ? 0.1 : 0.07
                }

                // The focused day: it alone takes the keys and speaks for the calendar.
                Item {
                    id: cursor
                    readonly property int row: year.calendar.focused
                    x: year.calendar.focusedWeek * grid.step
                    y: grid.header + year.calendar.focusedWeekday * grid.step
                    width: grid.cell
                    height: grid.cell
                    activeFocusOnTab: true
                    Accessible.role: Accessible.Button
                    Accessible.name: year.calendar.focusedText
                    Accessible.description: qsTr("Up and down move by day, left and right by week; Enter shows the day in the journal")
                    Accessible.onPressAction: year.pick(cursor.row)
                    Keys.onPressed: function (event) {
                        if (event.key === Qt.Key_Return || event.key === Qt.Key_Enter || event.key === Qt.Key_Space)
                            year.pick(cursor.row)
                        else if (!year.calendar.press(event.key))
                            return
                        event.accepted = true
                    }
                    // The focused day stays in view when the weeks scroll.
                    onXChanged: if (activeFocus) strip.contentX = Math.min(Math.max(strip.contentX, grid.x + x + width + strip.margin - strip.width), Math.max(0, grid.x + x - strip.margin))
                    FocusRing {
                        visible: cursor.activeFocus
                        anchors.margins: -3
                        innerRadius: 2
                    }
                }

                function rowAt(position) {
                    return year.calendar.rowAt(Math.floor(position.x / grid.step), Math.floor((position.y - grid.header) / grid.step))
                }
                TapHandler {
                    onTapped: function (point) {
                        const row = grid.rowAt(point.position)
                        if (row >= 0)
                            year.pick(row)
                    }
                }
                // The day under the pointer, told in full beside it.
                HoverHandler {
                    id: hover
                    readonly property int row: hovered ? grid.rowAt(point.position) : -1
                }
                ToolTip {
                    id: tip
                    readonly property int row: hover.row
                    visible: row >= 0
                    delay: 400
                    text: row >= 0 ? year.calendar.dayLine(row) : ""
                    x: Math.min(year.calendar.weekOf(Math.max(0, row)) * grid.step, grid.width - width)
                    y: grid.header + (year.calendar.weekdayOf(Math.max(0, row)) + 1) * grid.step + 2
                }
            }
        }
    }

    // The focused day, which the keys move, in words; after an empty day is picked, that nothing is there.
    Label {
        objectName: "journalDayLine"
        width: parent.width
        wrapMode: Text.Wrap
        color: year.note.length > 0 ? Styling.foreground : Styling.secondary
        text: year.note.length > 0 ? year.note : year.calendar.focusedLine
        // A screen reader hears the day from the focused day itself, and the answer to a pick as an alert.
        Accessible.role: year.note.length > 0 ? Accessible.AlertMessage : Accessible.StaticText
        Accessible.name: text
        Accessible.ignored: year.note.length === 0
    }
}

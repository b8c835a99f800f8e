import QtQuick
import Velmora.Screens
import Velmora.Styling

// "Notify": the reminder time with a bell, or a struck-out bell when there is no reminder.
DetailRow {
    id: row
    property var chore
    label: qsTr("Notify")
    value: chore && chore.notify ? ScreenTexts.reminderTimeText(chore.notificationTime) : ""

    SymbolImage {
        name: row.chore && row.chore.notify ? "bell" : "bell.slash"
        color: Styling.secondary
        size: 17
        anchors.verticalCenter: parent.verticalCenter
    }
}

import QtQuick
import Velmora.App
import Velmora.Screens
import Velmora.Styling

// "Notify": the reminder time with a bell, or a struck-out bell when there is no reminder. A
// snoozed reminder says until when, so a snooze is not forgotten behind the planned time.
DetailRow {
    id: row
    objectName: "notifyRow"
    property var chore
    // Seconds into the day the snooze rings at; -1 when not snoozed.
    readonly property int snoozedUntil: {
        const until = chore ? App.reminders.snoozed[String(chore.persistentId)] : undefined
        return until === undefined ? -1 : until
    }
    label: qsTr("Notify")
    value: !chore || !chore.notify ? ""
        : snoozedUntil < 0 ? ScreenTexts.reminderTimeText(chore.notificationTime)
        //: The reminder's planned time, then the time a snooze moved it to.
        : qsTr("%1, snoozed until %2").arg(ScreenTexts.reminderTimeText(chore.notificationTime))
                                       .arg(ScreenTexts.reminderTimeText(snoozedUntil))

    SymbolImage {
        name: row.chore && row.chore.notify ? "bell" : "bell.slash"
        color: Styling.secondary
        size: 17
        anchors.verticalCenter: parent.verticalCenter
    }
}

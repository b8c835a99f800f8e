import QtQuick
import Velmora.App
import Velmora.Screens

// One active chore as a tile: a dot per day left and the time left, as the list counts them
// from the day clock.
Tile {
    id: thumb
    required property int daysLeft
    required property string timeLeft
    days: daysLeft
    caption: timeLeft
    symbol: chore && chore.repeats ? "arrow.clockwise" : ""
    badge: chore ? chore.assigneeInitial : ""
    // The snooze lives with the reminders, not in the chore: a screen reader hears it here.
    readonly property var snoozedUntil: ScreenTexts.spoken && chore && chore.notify
                                        ? App.reminders.snoozed[String(chore.persistentId)] : undefined
    // Said for one member alone too: it is theirs to do next either way.
    Accessible.description: !ScreenTexts.spoken ? ""
        : [chore && chore.assignee.length > 0 ? qsTr("%1's turn").arg(chore.assignee) : "",
           chore && chore.repeats ? qsTr("Repeats: %1").arg(chore.recurrenceText) : "",
           snoozedUntil === undefined ? "" : qsTr("Snoozed until %1").arg(ScreenTexts.reminderTimeText(snoozedUntil))]
          .filter(part => part.length > 0).join(", ")
    Accessible.onPressAction: App.router.push(Router.ViewChore, thumb.chore)
}

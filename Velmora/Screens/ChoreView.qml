import QtQuick
import QtQuick.Layouts
import Velmora.App
import Velmora.Model
import Velmora.Screens
import Velmora.Styling

// One active chore: its card, dates, durations and reminder, and what can be done with it.
DetailScreen {
    id: view
    objectName: "choreView"
    required property var chore

    readonly property alias deleteAlert: deleteAlert
    readonly property alias finishAlert: finishAlert
    title: ScreenTexts.upper(qsTr("Chore"))
    onCloseRequested: App.router.pop()

    ChoreCountdown {
        id: countdown
        chore: view.chore
        today: App.refreshDay.date
    }
    HeaderCard {
        chore: view.chore
        days: countdown.daysLeft
        caption: countdown.timeLeftText
    }
    // 5 points more than the column's own spacing, not 5 in place of it.
    Item { width: 1; height: 5 - (parent as Column).spacing }
    DetailRow {
        label: qsTr("Dates")
        value: view.chore ? ScreenTexts.datesText(view.chore.startDate, view.chore.dueDate) : ""
    }
    Separator {}
    DetailRow {
        objectName: "repeatsRow"
        visible: view.chore ? view.chore.repeats : false
        label: qsTr("Repeats")
        value: view.chore ? view.chore.recurrenceText : ""
    }
    Separator { visible: view.chore ? view.chore.repeats : false }
    DetailRow {
        objectName: "whoRow"
        label: qsTr("Who")
        value: !view.chore ? "" : view.chore.turns.length > 0 ? qsTr("%1's turn · %2").arg(view.chore.assignee).arg(view.chore.turns.join(", "))
                              : view.chore.assignee.length > 0 ? view.chore.assignee : qsTr("Anyone")
    }
    Separator {}
    ChoreHistory {
        id: history
        store: App.store
        chore: view.chore
        today: App.refreshDay.date
    }
    HistoryStrip {
        visible: marks.length > 0
        marks: history.marks
        summary: history.summary
        tint: view.chore ? view.chore.color : Styling.accent
    }
    Separator { visible: history.marks.length > 0 }
    DetailRow {
        label: qsTr("Planned (duration)")
        value: view.chore ? Days.durationText(view.chore.plannedDays) : ""
    }
    Separator {}
    DetailRow {
        label: qsTr("Passed (duration)")
        value: view.chore ? Days.durationText(countdown.daysSinceStart) : ""
    }
    Separator {}
    NotifyRow {
        chore: view.chore
    }

    actions: [
        GreedyButton {
            text: qsTr("Edit")
            onClicked: App.router.push(Router.UpdateChore, view.chore)
        },
        GreedyButton {
            objectName: "finishButton"
            text: qsTr("Finish")
            onClicked: {
                finishAlert.member = ""
                finishAlert.open()
            }
        },
        GreedyButton {
            id: finishedByButton
            objectName: "finishedByButton"
            text: qsTr("Finished by…")
            onClicked: {
                // Read before the menu takes the focus away from the button.
                const byKeys = finishedByButton.visualFocus
                finishedByMenu.popup(finishedByButton, 0, finishedByButton.height)
                if (byKeys)
                    finishedByMenu.currentIndex = 0
            }
        },
        GreedyButton {
            objectName: "repeatButton"
            text: qsTr("Repeat")
            explanation: ScreenTexts.repeatExplanation
            onClicked: App.router.push(Router.RepeatChore, view.chore)
        },
        Item { Layout.preferredHeight: 24 },
        GreedyButton {
            objectName: "deleteButton"
            text: qsTr("Delete")
            symbol: "xmark.bin"
            destructive: true
            onClicked: deleteAlert.open()
        }
    ]

    ActionAlert {
        id: deleteAlert
        objectName: "deleteAlert"
        title: qsTr("Delete “%1”?").arg(view.chore ? view.chore.shownTitle : "")
        confirmText: qsTr("Delete")
        onConfirmed: {
            const chore = view.chore
            App.router.pop()
            App.changes.remove(chore)
        }
    }
    MembersMenu {
        id: finishedByMenu
        objectName: "finishedByMenu"
        onChosen: function (name) {
            finishAlert.member = name
            finishAlert.open()
        }
    }
    ActionAlert {
        id: finishAlert
        objectName: "finishAlert"
        // Who it is recorded for; this computer's member when empty.
        property string member
        title: member.length > 0 ? qsTr("Finished by %1?").arg(member) : qsTr("Finish this chore?")
        confirmText: qsTr("Finish")
        onConfirmed: {
            const chore = view.chore
            App.router.pop()
            if (member.length > 0)
                App.changes.finishBy(chore, member)
            else
                App.changes.finish(chore)
        }
    }
}

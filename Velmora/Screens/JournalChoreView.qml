import QtQuick
import QtQuick.Layouts
import Velmora.App
import Velmora.Model
import Velmora.Screens
import Velmora.Styling

// One finished chore: how long it took, what was planned, and a way to start it anew.
DetailScreen {
    id: view
    objectName: "journalChoreView"
    required property var chore
    readonly property int took: chore ? Math.max(0, chore.daysToFinish) : 0

    readonly property alias deleteAlert: deleteAlert
    title: ScreenTexts.upper(qsTr("Journal"))
    onCloseRequested: App.router.pop()

    HeaderCard {
        chore: view.chore
        days: view.took
        caption: Days.durationText(view.took)
    }
    // 5 points more than the column's own spacing, not 5 in place of it.
    Item { width: 1; height: 5 - (parent as Column).spacing }
    DetailRow {
        label: qsTr("Dates")
        value: view.chore ? ScreenTexts.datesText(view.chore.startDate, view.chore.endDate) : ""
    }
    Separator {}
    DetailRow {
        objectName: "finishedByRow"
        visible: view.chore ? view.chore.finishedBy.length > 0 : false
        label: qsTr("Finished by")
        value: view.chore ? view.chore.finishedBy : ""
    }
    Separator { visible: view.chore ? view.chore.finishedBy.length > 0 : false }
    DetailRow {
        label: qsTr("Planned (duration)")
        value: view.chore ? Days.durationText(view.chore.plannedDays) : ""
    }
    Separator {}
    DetailRow {
        label: qsTr("Passed (duration)")
        value: Days.durationText(view.took)
    }
    Separator {}
    NotifyRow {
        chore: view.chore
    }

    actions: [
        GreedyButton {
            objectName: "repeatButton"
            text: qsTr("Repeat")
            explanation: ScreenTexts.copyExplanation
            onClicked: App.router.push(Router.CopyChore, view.chore)
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
}

import QtQuick
import QtQuick.Controls
import Velmora.App
import Velmora.Screens
import Velmora.Styling

// The people who share the chores: this computer's member, then everyone with how many chores are
// theirs and how many they finished; members are added, renamed and removed here.
DetailScreen {
    id: screen
    objectName: "householdScreen"
    // The member whose row is a field while being renamed.
    property string renaming
    // The member whose row takes the focus when the rows are made again, after a rename or a
    // removal took the focused one away.
    property string follow

    title: ScreenTexts.upper(qsTr("Household"))
    onCloseRequested: App.router.pop()
    function add() {
        if (App.household.add(newMember.text))
            newMember.clear()
    }

    Label {
        width: parent.width
        wrapMode: Text.Wrap
        color: Styling.secondary
        text: qsTr("Everyone who shares these chores. A chore is for anyone, for one member, or taken in turns; finishing one records who did it.")
    }
    FieldLabel { text: qsTr("Your name on this computer") }
    StyledTextField {
        id: meField
        objectName: "meField"
        width: parent.width
        text: App.household.me
        Accessible.name: qsTr("Your name on this computer")
        focus: true
        onEditingFinished: if (text.trim().length > 0) App.household.me = text
    }
    DetailRow {
        label: qsTr("Reminders only for your chores")
        ToggleSwitch {
            objectName: "remindMineOnly"
            anchors.verticalCenter: parent.verticalCenter
            checked: App.household.remindMineOnly
            onToggled: App.household.remindMineOnly = checked
            Accessible.name: qsTr("Reminders only for your chores")
            Accessible.description: qsTr("This computer rings for chores of yours and those for anyone, not for the others' chores.")
        }
    }
    Separator {}

    FieldLabel { text: qsTr("Members") }
    // qmllint disable unqualified
    Repeater {
        id: rows
        model: App.household.model
        delegate: Item {
            id: row
            required property string name
            required property int assignedCount
            required property int finishedCount
            required property bool isMe
            readonly property bool renamed: screen.renaming === name
            Component.onCompleted: if (name === screen.follow) {
                screen.follow = ""
                Qt.callLater(renameButton.forceActiveFocus, Qt.TabFocusReason)
            }
            width: parent ? parent.width : 0
            height: 44
            Accessible.role: Accessible.StaticText
            Accessible.name: counts.text.length > 0 ? shownName.text + ", " + counts.text : shownName.text
            Accessible.ignored: renamed

            Column {
                visible: !row.renamed
                anchors.left: parent.left
                anchors.right: buttons.left
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                Label {
                    id: shownName
                    width: parent.width
                    elide: Text.ElideRight
                    textFormat: Text.PlainText
                    text: row.isMe ? qsTr("%1 (you)").arg(row.name) : row.name
                    color: Styling.foreground
                    Accessible.ignored: true
                }
                Label {
                    id: counts
                    width: parent.width
                    elide: Text.ElideRight
                    font.pixelSize: 12
                    color: Styling.secondary
                    text: qsTr("%n chores", "", row.assignedCount) + " · " + qsTr("%n finished", "", row.finishedCount)
                    Accessible.ignored: true
                }
            }
            StyledTextField {
                id: renameField
                objectName: "renameField"
                visible: row.renamed
                anchors.left: parent.left
                anchors.right: buttons.left
                anchors.rightMargin: 8
                anchors.verticalCenter: parent.verticalCenter
                Accessible.name: qsTr("New name for %1").arg(row.name)
                Accessible.ignored: !visible
                onVisibleChanged: if (visible) {
                    text = row.name
                    selectAll()
                    forceActiveFocus(Qt.TabFocusReason)
                }
                onAccepted: {
                    const to = text.trim()
                    screen.renaming = ""
                    screen.follow = to
                    if (to === row.name || !App.household.rename(row.name, to))
                        renameButton.forceActiveFocus(Qt.TabFocusReason)
                }
                Keys.onEscapePressed: function (event) {
                    screen.renaming = ""
                    renameButton.forceActiveFocus(Qt.TabFocusReason)
                    event.accepted = true
                }
            }
            Row {
                id: buttons
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 6
                IconButton {
                    id: renameButton
                    text: qsTr("Rename %1").arg(row.name)
                    symbol: "square.and.pencil"
                    onClicked: screen.renaming = row.renamed ? "" : row.name
                }
                IconButton {
                    // This computer's member stays: the name is changed above.
                    visible: !row.isMe
                    destructive: true
                    text: qsTr("Remove %1").arg(row.name)
                    symbol: "trash"
                    onClicked: removeAlert.openFor(row.name)
                }
            }
        }
    }
    // qmllint enable unqualified
    Separator {}

    // The hint over the field: as its placeholder it was cut short in a narrow window.
    FieldLabel { text: qsTr("Add a member, such as a child without a computer") }
    Row {
        width: parent.width
        spacing: 8
        StyledTextField {
            id: newMember
            objectName: "newMemberField"
            width: parent.width - addButton.width - parent.spacing
            placeholderText: qsTr("Name")
            Accessible.name: qsTr("Add a member")
            onAccepted: screen.add()
        }
        IconButton {
            id: addButton
            objectName: "addMemberButton"
            text: qsTr("Add member")
            symbol: "plus"
            enabled: newMember.text.trim().length > 0
            onClicked: screen.add()
        }
    }

    ActionAlert {
        id: removeAlert
        objectName: "removeMemberAlert"
        // The member asked about, where the shared alert keeps its subject.
        readonly property string member: chore ?? ""
        title: qsTr("Remove %1 from the household?").arg(member)
        message: qsTr("Their chores become anyone's and they leave every turn order; what they finished stays in the journal.")
        confirmText: qsTr("Remove")
        // The focus goes on to the member after, else the one before.
        onConfirmed: {
            const names = App.household.members
            const at = names.indexOf(member)
            screen.follow = names[at + 1] ?? names[at - 1] ?? ""
            App.household.remove(member)
        }
    }

    // The name over a field.
    component FieldLabel: Label {
        width: parent ? parent.width : 0
        topPadding: 4
        wrapMode: Text.Wrap
        color: Styling.secondary
        font.pointSize: 10
        Accessible.ignored: true
    }
}

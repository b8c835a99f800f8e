import QtQuick
import QtQuick.Controls
import Velmora.App
import Velmora.Screens
import Velmora.Styling

ApplicationWindow {
    id: window
    width: 390
    height: 844
    visible: true
    title: qsTr("Taskarello")
    color: Styling.backdrop
    // The controls' own colours follow the app's scheme, which the desktop's portal may have made
    // dark while the toolkit's palette stayed light.
    palette.window: Styling.backdrop
    palette.windowText: Styling.foreground
    palette.base: Styling.backdrop
    palette.text: Styling.foreground
    palette.button: Styling.dark ? "#3A3936" : "#E3DED5"
    palette.buttonText: Styling.foreground
    palette.highlight: Styling.accent
    // A highlighted or pressed menu item, a pressed box, a box's arrows, Qt's own file dialog's
    // shelves: the style's colours for them are made for a light window, and left the foreground
    // unreadable, or themselves unseen, in the dark scheme. The light one keeps the style's.
    palette.light: Styling.dark ? "#403F3B" : "#F6F6F6"
    palette.midlight: Styling.dark ? "#4A4945" : "#E4E4E4"
    palette.mid: Styling.dark ? "#55544F" : "#BDBDBD"
    palette.dark: Styling.dark ? "#8A8883" : "#353637"
    // The buttons' tips: a white slab over the dark window otherwise.
    palette.toolTipBase: Styling.dark ? "#363532" : "#FFFFFF"
    palette.toolTipText: Styling.dark ? Styling.foreground : "#000000"
    palette.placeholderText: Styling.secondary

    // Closing the window leaves the app running in the background; this ends it.
    Shortcut {
        sequence: "Ctrl+Q"
        onActivated: App.quit()
    }
    // Adding and the journal from wherever the user is, but never the same screen twice on top.
    Shortcut {
        sequence: "Ctrl+N"
        enabled: App.router.kindAt(App.router.depth - 1) !== Router.AddChore
        onActivated: App.router.push(Router.AddChore, null)
    }
    // Everyone's chores or only this computer's member's and those for anyone.
    Shortcut {
        sequence: "Ctrl+M"
        onActivated: App.household.mineOnly = !App.household.mineOnly
    }
    Shortcut {
        sequence: "Ctrl+J"
        enabled: App.router.kindAt(App.router.depth - 1) !== Router.Journal
        onActivated: App.router.push(Router.Journal, null)
    }

    // Narrower than 600 points counts as a phone held upright.
    readonly property bool compact: width < 600

    // A change that did not happen says why below every screen but the editor, which says it
    // beside its Save; it stays until dismissed or the next change goes through.
    FailureLine {
        id: failure
        objectName: "failureLine"
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        // Over the screens: a long list's last tiles, scrolled past the screen's edge, drew over it.
        z: 1
        height: visible ? implicitHeight : 0
        text: App.changes.failure
        visible: text.length > 0 && !window.editing
        onDismissed: App.changes.dismissFailure()
    }
    readonly property bool editing: {
        const top = App.router.kindAt(App.router.depth - 1)
        return top === Router.AddChore || top === Router.UpdateChore || top === Router.RepeatChore
            || top === Router.CopyChore
    }

    StackView {
        id: stack
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: failure.top
        focus: true
        initialItem: ContentView {
            compact: window.compact
        }

        // Screens by URL, not by type: a screen, and the modules only it imports, load when
        // first opened rather than with the window.
        readonly property string screens: "qrc:/qt/qml/Velmora/Screens/"
        function screenFor(index) {
            const kind = App.router.kindAt(index)
            const chore = App.router.choreAt(index)
            const editor = screens + "ChoreEditorScreen.qml"
            switch (kind) {
            case Router.ViewChore: return [screens + "ChoreView.qml", { chore: chore }]
            case Router.AddChore: return [editor, { operation: ChoreEditor.Add, chore: null }]
            case Router.UpdateChore: return [editor, { operation: ChoreEditor.Update, chore: chore }]
            case Router.RepeatChore: return [editor, { operation: ChoreEditor.Repeat, chore: chore }]
            case Router.CopyChore: return [editor, { operation: ChoreEditor.Copy, chore: chore }]
            case Router.Journal: return [screens + "JournalView.qml", { compact: window.compact }]
            case Router.JournalChore: return [screens + "JournalChoreView.qml", { chore: chore }]
            case Router.SyncAccount: return [screens + "SyncAccountScreen.qml", {}]
            case Router.Household: return [screens + "HouseholdScreen.qml", {}]
            }
            return [screens + "JournalView.qml", {}]
        }

        // Pages opened before the window first shows (from the command line) appear at once.
        property bool animated: false
        Timer {
            interval: 300
            running: true
            onTriggered: stack.animated = true
        }

        // The stack shows one screen per page of the router's path: pushes and pops follow it.
        function follow() {
            const depth = App.router.depth
            if (stack.depth - 1 > depth)
                stack.pop(stack.get(depth), stack.animated ? StackView.PopTransition : StackView.Immediate)
            while (stack.depth - 1 < depth) {
                const screen = screenFor(stack.depth - 1)
                stack.push(screen[0], screen[1], stack.animated ? StackView.PushTransition : StackView.Immediate)
            }
        }

        Connections {
            target: App.router
            function onPathChanged() { stack.follow() }
        }
        Component.onCompleted: follow()

        Keys.onEscapePressed: if (App.router.depth > 0) App.router.pop()
        Keys.onBackPressed: if (App.router.depth > 0) App.router.pop()
    }
}

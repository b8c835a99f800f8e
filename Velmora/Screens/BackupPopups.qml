import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtQuick.Layouts
import Velmora.Model
import Velmora.Screens
import Velmora.Styling

// The sync and backup button's menu, the file dialogs behind it and the dialog that tells the outcome.
// The button loads them when first used: QtQuick.Dialogs alone costs more to load than the main
// screen, and most starts use none of them.
Item {
    id: dialogs
    readonly property alias resultShown: resultDialog.opened
    signal backUpChosen(url file)
    signal restoreChosen(url file)
    signal calendarChosen(url file)
    signal syncChosen()
    signal householdChosen()

    // From the keyboard the first item is highlighted, so the focus shows at once.
    function openMenu(button, byKeyboard) {
        menu.popup(button, 0, button.height)
        if (byKeyboard)
            menu.currentIndex = 0
    }
    function showResult(ok, message) {
        resultDialog.ok = ok
        resultDialog.message = message
        resultDialog.open()
    }

    // Only for where the dialogs open and the name they offer; the menu's button does the work.
    Backup {
        id: places
    }

    Menu {
        id: menu
        objectName: "backupMenu"
        // As wide as its longest item, German's too, within the window: the style's width cut them.
        width: {
            let widest = implicitWidth
            for (let i = 0; i < count; ++i)
                widest = Math.max(widest, itemAt(i).implicitWidth + leftPadding + rightPadding)
            return Math.min(widest, dialogs.Window.width > 0 ? dialogs.Window.width : widest)
        }
        PressableMenuItem {
            objectName: "menuSync"
            text: qsTr("Sync…")
            icon.source: Symbols.source("arrow.triangle.2.circlepath", Styling.foreground)
            onTriggered: dialogs.syncChosen()
        }
        PressableMenuItem {
            objectName: "menuHousehold"
            text: qsTr("Household…")
            icon.source: Symbols.source("person.2", Styling.foreground)
            onTriggered: dialogs.householdChosen()
        }
        MenuSeparator {}
        PressableMenuItem {
            objectName: "menuBackUp"
            text: qsTr("Back up chores")
            icon.source: Symbols.source("square.and.arrow.up", Styling.foreground)
            onTriggered: {
                // Today's name, in case the app has run since yesterday.
                backupDialog.currentFile = places.suggestedBackupFile()
                backupDialog.open()
                fit.fit()
            }
        }
        PressableMenuItem {
            objectName: "menuRestore"
            text: qsTr("Restore chores")
            icon.source: Symbols.source("square.and.arrow.down", Styling.foreground)
            onTriggered: {
                restoreDialog.open()
                fit.fit()
            }
        }
        MenuSeparator {}
        PressableMenuItem {
            objectName: "menuCalendar"
            text: qsTr("Export to calendar")
            icon.source: Symbols.source("calendar", Styling.foreground)
            onTriggered: {
                calendarDialog.currentFile = places.suggestedCalendarFile()
                calendarDialog.open()
                fit.fit()
            }
        }
    }

    FileDialogFit {
        id: fit
        window: dialogs.Window.window
    }

    FileDialog {
        id: backupDialog
        title: qsTr("Back up chores")
        fileMode: FileDialog.SaveFile
        defaultSuffix: "json"
        // A save dialog of Qt's own says "Open" otherwise.
        acceptLabel: qsTr("Save")
        nameFilters: [qsTr("Taskarello backups (*.json)")]
        currentFolder: places.saveFolder()
        onAccepted: dialogs.backUpChosen(selectedFile)
    }

    FileDialog {
        id: restoreDialog
        title: qsTr("Restore chores")
        fileMode: FileDialog.OpenFile
        nameFilters: [qsTr("Taskarello backups (*.json)"), qsTr("All files (*)")]
        currentFolder: places.saveFolder()
        onAccepted: dialogs.restoreChosen(selectedFile)
    }

    FileDialog {
        id: calendarDialog
        title: qsTr("Export to calendar")
        fileMode: FileDialog.SaveFile
        defaultSuffix: "ics"
        acceptLabel: qsTr("Save")
        nameFilters: [qsTr("Calendar files (*.ics)")]
        currentFolder: places.saveFolder()
        onAccepted: dialogs.calendarChosen(selectedFile)
    }

    Dialog {
        id: resultDialog
        objectName: "backupResult"
        property bool ok: true
        property string message
        readonly property string okText: qsTr("OK")

        parent: Overlay.overlay
        anchors.centerIn: parent
        modal: true
        focus: true
        width: Math.min(300, parent ? parent.width - 48 : 300)
        closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
        padding: 20

        background: PopupBackground {}
        palette.button: Styling.cardButton
        contentItem: ColumnLayout {
            spacing: 14
            Label {
                objectName: "backupResultMessage"
                Layout.fillWidth: true
                textFormat: Text.PlainText
                text: resultDialog.message
                wrapMode: Text.Wrap
                horizontalAlignment: Text.AlignHCenter
                color: resultDialog.ok ? Styling.foreground : Styling.destructiveColor
            }
            Button {
                objectName: "backupResultOk"
                Layout.fillWidth: true
                text: resultDialog.okText
                Accessible.name: resultDialog.okText
                Accessible.onPressAction: resultDialog.close()
                contentItem: Label {
                    text: resultDialog.okText
                    color: Styling.accent
                    font.bold: true
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    Accessible.ignored: true
                }
                onClicked: resultDialog.close()
            }
        }
    }
}

import QtQuick
import QtQuick.Controls
import Velmora.App

// The household's members, each name as it is written; picking one says who.
Menu {
    id: members
    signal chosen(string name)
    // Delegates bound to this file print a warning each on Qt 6.4, so they stay unbound, and the
    // linter takes this file's ids in them as unqualified.
    // qmllint disable unqualified
    Instantiator {
        model: App.household.members
        delegate: PressableMenuItem {
            id: item
            required property string modelData
            text: modelData
            // Said by name: with a content item of its own, the item is left unnamed.
            Accessible.name: modelData
            contentItem: Label {
                leftPadding: item.indicator ? item.indicator.width : 0
                text: item.modelData
                textFormat: Text.PlainText
                elide: Text.ElideRight
                verticalAlignment: Text.AlignVCenter
                color: item.palette.windowText
            }
            onTriggered: members.chosen(item.modelData)
        }
        onObjectAdded: function (index, object) { members.insertItem(index, object) }
        onObjectRemoved: function (index, object) { members.removeItem(object) }
    }
    // qmllint enable unqualified
}

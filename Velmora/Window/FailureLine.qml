import QtQuick
import QtQuick.Controls
import Velmora.Styling

// A change that did not happen, in one sentence, under the screen the user is on. A screen
// reader reads an alert out as it shows.
Rectangle {
    id: line

    property string text
    signal dismissed()

    implicitHeight: content.item ? (content.item as Item).implicitHeight + 16 : 0
    color: Qt.tint(Styling.backdrop, Qt.rgba(Styling.destructiveColor.r, Styling.destructiveColor.g,
                                             Styling.destructiveColor.b, 0.16))
    Accessible.role: Accessible.AlertMessage
    Accessible.name: text
    Accessible.ignored: !visible

    // Made when a failure first shows: most starts never need its symbol and button.
    // qmllint disable unqualified
    Loader {
        id: content
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 8
        active: line.visible
        sourceComponent: Item {
            implicitHeight: Math.max(sentence.implicitHeight, dismiss.implicitHeight)

            SymbolImage {
                id: symbol
                anchors.left: parent.left
                anchors.verticalCenter: parent.verticalCenter
                name: "exclamationmark.triangle.fill"
                color: Styling.destructiveColor
            }
            Label {
                id: sentence
                objectName: "failureText"
                anchors.left: symbol.right
                anchors.right: dismiss.left
                anchors.leftMargin: 10
                anchors.rightMargin: 10
                anchors.verticalCenter: parent.verticalCenter
                text: line.text
                wrapMode: Text.Wrap
                textFormat: Text.PlainText
                color: Styling.foreground
                Accessible.ignored: true
            }
            IconButton {
                id: dismiss
                objectName: "dismissFailure"
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Dismiss")
                symbol: "xmark"
                destructive: true
                padding: 6
                onClicked: line.dismissed()
            }
        }
    }
    // qmllint enable unqualified
}

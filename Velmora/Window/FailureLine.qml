import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Velmora.Styling

// A change that did not happen, in one sentence, under the screen the user is on. A screen
// reader reads an alert out as it shows.
Rectangle {
    id: line

    property alias text: sentence.text
    signal dismissed()

    implicitHeight: row.implicitHeight + 16
    color: Qt.tint(Styling.backdrop, Qt.rgba(Styling.destructiveColor.r, Styling.destructiveColor.g,
                                             Styling.destructiveColor.b, 0.16))
    Accessible.role: Accessible.AlertMessage
    Accessible.name: text
    Accessible.ignored: !visible

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: 16
        anchors.rightMargin: 8
        spacing: 10

        SymbolImage {
            name: "exclamationmark.triangle.fill"
            color: Styling.destructiveColor
        }
        Label {
            id: sentence
            objectName: "failureText"
            Layout.fillWidth: true
            wrapMode: Text.Wrap
            textFormat: Text.PlainText
            color: Styling.foreground
            Accessible.ignored: true
        }
        IconButton {
            objectName: "dismissFailure"
            text: qsTr("Dismiss")
            symbol: "xmark"
            destructive: true
            padding: 6
            onClicked: line.dismissed()
        }
    }
}

import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// Three popups over some content; each one can open the next and close itself.
ApplicationWindow {
    id: window

    width: 390
    height: 844
    visible: true
    title: qsTr("Popups")

    PopupProvider {
        id: provider
        anchors.fill: parent

        Rectangle {
            anchors.fill: parent
            color: "#F2EEE6"

            ColumnLayout {
                anchors.centerIn: parent
                width: parent.width - 64
                spacing: 12

                Label {
                    text: qsTr("Stacked popups")
                    font.pixelSize: 28
                    Layout.fillWidth: true
                }
                Repeater {
                    model: 6
                    Rectangle {
                        required property int index
                        Layout.fillWidth: true
                        Layout.preferredHeight: 40
                        radius: 8
                        color: Qt.hsla(index / 6, 0.55, 0.55, 1)
                    }
                }
                Button {
                    text: qsTr("Open the first popup")
                    Layout.fillWidth: true
                    onClicked: first.isPresented = true
                }
            }

            // The popups' contents stay unbound to this file: a Repeater's delegates bound to it print
            // a warning each on Qt 6.4. Its qmllint then takes this file's ids in them as unqualified.
            // qmllint disable unqualified
            FlagPopup {
                id: first
                popup: DemoCard {
                    title: qsTr("First popup")
                    cardColor: "#FFFFFF"
                    nextText: qsTr("Open the second")
                    onNext: second.isPresented = true
                }
            }
            FlagPopup {
                id: second
                popup: DemoCard {
                    title: qsTr("Second popup")
                    cardColor: "#FFF6D8"
                    nextText: qsTr("Open the third")
                    onNext: third.isPresented = true
                }
            }
            FlagPopup {
                id: third
                popup: DemoCard {
                    title: qsTr("Third popup")
                    cardColor: "#E1F1FF"
                }
            }
            // qmllint enable unqualified
        }
    }

    component DemoCard: Rectangle {
        id: card

        property string title
        property string nextText
        property color cardColor
        signal next()

        width: 280
        height: column.implicitHeight + 48
        radius: 16
        color: cardColor

        ColumnLayout {
            id: column
            anchors.fill: parent
            anchors.margins: 24
            spacing: 12

            Label {
                text: card.title
                font.pixelSize: 22
                Layout.fillWidth: true
            }
            Button {
                visible: card.nextText.length > 0
                text: card.nextText
                Layout.fillWidth: true
                onClicked: card.next()
            }
            Button {
                text: qsTr("Close")
                Layout.fillWidth: true
                onClicked: Dismiss.callback()
            }
        }
    }
}

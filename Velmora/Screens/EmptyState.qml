import QtQuick
import QtQuick.Controls
import Velmora.Styling

// What a list shows when it has nothing to show: a dashed square, a title and one sentence.
Column {
    id: root
    property alias title: titleLabel.text
    property alias description: descriptionLabel.text
    property alias descriptionFormat: descriptionLabel.textFormat
    // What a screen reader says for the description: plain words, never markup.
    property string spokenDescription: description
    // The main list's placeholder is padded and its symbol large; the journal's is neither.
    property bool padded: true
    property real symbolSize: 34

    anchors.centerIn: parent
    width: parent.width - (padded ? 2 * Styling.horizontalPadding : 0)
    spacing: 8

    SymbolImage {
        anchors.horizontalCenter: parent.horizontalCenter
        name: "square.dashed"
        color: Styling.secondary
        size: root.symbolSize
    }
    Label {
        id: titleLabel
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        font.pointSize: 20
        font.weight: Font.Bold
        color: Styling.foreground
        Accessible.ignored: !root.visible
    }
    Label {
        id: descriptionLabel
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
        color: Styling.secondary
        Accessible.name: root.spokenDescription
        Accessible.ignored: !root.visible
    }
}

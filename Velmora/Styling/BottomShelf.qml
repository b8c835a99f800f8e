import QtQuick
import QtQuick.Layouts

// The action area at the bottom of a screen; its height follows its content.
Item {
    id: root

    default property alias content: column.data
    property alias spacing: column.spacing
    property real verticalPadding: 16
    property real outerInset: 0

    implicitWidth: column.implicitWidth + 2 * Styling.horizontalPadding
    implicitHeight: column.implicitHeight + 2 * verticalPadding

    BackgroundGradientBottom {
        anchors.fill: parent
        anchors.bottomMargin: -root.outerInset
    }

    ColumnLayout {
        id: column
        anchors.fill: parent
        anchors.leftMargin: Styling.horizontalPadding
        anchors.rightMargin: Styling.horizontalPadding
        anchors.topMargin: root.verticalPadding
        anchors.bottomMargin: root.verticalPadding
        spacing: 8
    }
}

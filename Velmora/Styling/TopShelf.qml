import QtQuick
import QtQuick.Layouts

// The row at the top of a screen, over the scrolling content. `outerInset` lets the gradient
// reach up under a status bar.
Item {
    id: root

    default property alias content: row.data
    property alias spacing: row.spacing
    property real outerInset: 0

    implicitWidth: row.implicitWidth + 2 * Styling.horizontalPadding
    implicitHeight: 80

    BackgroundGradientTop {
        anchors.fill: parent
        anchors.topMargin: -root.outerInset
    }

    RowLayout {
        id: row
        anchors.fill: parent
        anchors.leftMargin: Styling.horizontalPadding
        anchors.rightMargin: Styling.horizontalPadding
        spacing: 12
    }
}

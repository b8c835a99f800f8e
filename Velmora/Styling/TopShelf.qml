import QtQuick

// The row at the top of a screen, over the scrolling content: the screen's title, then its
// buttons at the far end. `outerInset` lets the gradient reach up under a status bar.
Item {
    id: root

    property alias title: heading.text
    // Where the face has no condensed width the title shrinks down to this before it is cut short.
    property alias titleMinimumPixelSize: heading.minimumPixelSize
    default property alias content: buttons.data
    property alias spacing: buttons.spacing
    property real outerInset: 0

    implicitWidth: heading.implicitWidth + buttons.spacing + buttons.implicitWidth + 2 * Styling.horizontalPadding
    implicitHeight: 80

    BackgroundGradientTop {
        anchors.fill: parent
        anchors.topMargin: -root.outerInset
    }

    AppTitle {
        id: heading
        anchors.left: parent.left
        anchors.right: buttons.left
        anchors.leftMargin: Styling.horizontalPadding
        anchors.rightMargin: buttons.spacing
        anchors.verticalCenter: parent.verticalCenter
    }
    Row {
        id: buttons
        anchors.right: parent.right
        anchors.rightMargin: Styling.horizontalPadding
        anchors.verticalCenter: parent.verticalCenter
        spacing: 12
    }
}

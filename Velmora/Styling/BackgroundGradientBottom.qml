import QtQuick

BackgroundGradient {
    edge: Qt.BottomEdge
}

import QtQuick

BackgroundGradient {
    edge: Qt.TopEdge
}

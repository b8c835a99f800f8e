import QtQuick

// The keyboard focus around a shape of any colour: a ring of the foreground with one of the
// backdrop inside it, so one of the two stands out against the shape, whatever its colour.
Rectangle {
    id: ring
    // The corner radius of the shape it surrounds.
    property real innerRadius: 0
    anchors.fill: parent
    anchors.margins: -4
    radius: innerRadius + 4
    color: "transparent"
    border.width: 2
    border.color: Styling.foreground

    Rectangle {
        anchors.fill: parent
        anchors.margins: 2
        radius: ring.radius - 2
        color: "transparent"
        border.width: 2
        border.color: Styling.backdrop
    }
}

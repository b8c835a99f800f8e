import QtQuick
import Ombrapop
import Qt5Compat.GraphicalEffects

// Draws its content with the popups of its stack over it. Popup content and presenters below
// it find the stack through `ombrapopStack`.
Item {
    id: root

    property Stack stack: Stack {}
    default property alias content: contentLayer.data
    readonly property Stack ombrapopStack: stack
    readonly property int count: stack ? stack.count : 0
    readonly property Item dimmingLayer: dimming
    readonly property real contentBlurRadius: blurRadius
    // Shader effects need a hardware scene graph; with the software one the layers stay sharp.
    readonly property bool canBlur: GraphicsInfo.api !== GraphicsInfo.Software

    property var wrappers: ({})

    function popupItem(id) {
        return wrappers[id] || null
    }

    function sync() {
        const ids = stack ? stack.ids : []
        for (const id of Object.keys(wrappers)) {
            if (ids.indexOf(id) < 0) {
                const leaving = wrappers[id]
                delete wrappers[id]
                leaving.leave()
            }
        }
        for (const id of ids) {
            if (wrappers[id])
                continue
            wrappers[id] = wrapperComponent.createObject(popupLayer, {
                ombrapopStack: stack,
                ombrapopId: id,
                popup: stack.componentOf(id),
                value: stack.valueOf(id),
                canBlur: root.canBlur
            })
        }
    }

    // The whole stack follows a change of count with a critically damped 0.3 s spring.
    property real blurRadius: Presentation.contentBlur(count)
    Behavior on blurRadius {
        SpringAnimation {
            spring: Presentation.springStiffness(0.3)
            damping: Presentation.springDamping(0.3, 1.0)
            epsilon: 0.01
        }
    }

    Connections {
        target: root.stack
        function onPopupsChanged() { root.sync() }
    }
    Component.onCompleted: sync()

    Item {
        id: contentLayer
        anchors.fill: parent
    }

    FastBlur {
        anchors.fill: contentLayer
        source: contentLayer
        radius: root.blurRadius
        transparentBorder: true
        visible: root.canBlur && radius > 0.05
    }

    Item {
        id: popupLayer
        anchors.fill: parent

        // Stands in for a white-0.7 multiply layer, which Qt Quick cannot blend: black at 0.3
        // darkens what is below to the same 70 %.
        Rectangle {
            id: dimming
            anchors.fill: parent
            color: "black"
            z: Presentation.dimmingZ(root.count)
            opacity: 0.3 * Presentation.dimmingOpacity(root.count)
            Behavior on opacity {
                NumberAnimation {
                    duration: 300
                    easing.type: root.count > 0 ? Easing.InQuad : Easing.OutQuad
                }
            }

            // The dimmed screen takes taps but does nothing with them.
            MouseArea {
                anchors.fill: parent
                enabled: root.count > 0
            }
        }
    }

    Component {
        id: wrapperComponent
        PopupWrapper {}
    }
}

import QtQuick
import Ombrapop
import Qt5Compat.GraphicalEffects

// One popup as the stack draws it: sharp and full size on top, blurred and shrunk below.
Item {
    id: wrapper

    required property Stack ombrapopStack
    required property string ombrapopId
    property Component popup
    property var value
    property bool canBlur: true
    property bool leaving: false
    readonly property Item contentItem: body.children.length > 0 ? body.children[0] : null

    readonly property int index: {
        const i = ombrapopStack ? ombrapopStack.ids.indexOf(ombrapopId) : -1
        return i < 0 ? Presentation.absentIndex : i
    }
    readonly property int count: ombrapopStack ? ombrapopStack.count : 0

    property real blur: Presentation.popupBlur(index, count)
    property real shrink: Presentation.popupScale(index, count)

    // Entry and exit run from and to just below the bottom edge.
    readonly property real travel: Math.max(height, 1)

    function leave() {
        leaving = true
        enter.stop()
        exit.to = travel
        exit.start()
    }

    anchors.fill: parent
    z: Presentation.popupZ(index)

    Behavior on blur {
        SpringAnimation {
            spring: Presentation.springStiffness(0.5)
            damping: Presentation.springDamping(0.5, 1.0)
            epsilon: 0.01
        }
    }
    Behavior on shrink {
        SpringAnimation {
            spring: Presentation.springStiffness(0.5)
            damping: Presentation.springDamping(0.5, 1.0)
            epsilon: 0.0005
        }
    }

    transform: [
        Scale {
            origin.x: wrapper.width / 2
            origin.y: wrapper.height / 2
            xScale: wrapper.shrink
            yScale: wrapper.shrink
        },
        Translate {
            id: slide
        }
    ]

    SpringAnimation {
        id: enter
        target: slide
        property: "y"
        to: 0
        spring: Presentation.springStiffness(0.3)
        damping: Presentation.springDamping(0.3, 0.85)
        epsilon: 0.25
    }

    SpringAnimation {
        id: exit
        target: slide
        property: "y"
        spring: Presentation.springStiffness(0.3)
        damping: Presentation.springDamping(0.3, 0.85)
        epsilon: 0.25
        onFinished: wrapper.destroy()
    }

    Item {
        id: body
        anchors.fill: parent
    }

    FastBlur {
        anchors.fill: body
        source: body
        radius: wrapper.blur
        transparentBorder: true
        visible: wrapper.canBlur && radius > 0.05
    }

    Component.onCompleted: {
        if (popup) {
            const item = popup.createObject(body)
            if (item) {
                if ("popupValue" in item)
                    item.popupValue = value
                if (item.anchors)
                    item.anchors.centerIn = body
            }
        }
        slide.y = travel
        enter.start()
    }
}

import QtQuick
import QtTest
import Ombrapop

Item {
    id: root
    width: 390
    height: 700

    PopupProvider {
        id: provider
        anchors.fill: parent

        Rectangle {
            id: content
            anchors.fill: parent
            color: "lightsteelblue"

            FlagPopup {
                id: first
                popup: card
            }
            FlagPopup {
                id: second
                popup: card
            }
            FlagPopup {
                id: third
                popup: card
            }
            ItemPopup {
                id: picked
                popup: Rectangle {
                    property var popupValue
                    width: 100
                    height: 50
                }
            }
        }
    }

    Component {
        id: card
        Rectangle {
            width: 200
            height: 120
            color: "white"
            function close() { Dismiss.callback() }
        }
    }

    TestCase {
        name: "Popups"
        when: windowShown

        function cleanup() {
            for (const p of [first, second, third])
                p.isPresented = false
            picked.item = null
            for (const id of provider.stack.ids.slice())
                provider.stack.remove(id)
            tryVerify(() => provider.popupItem(first.presenterId) === null)
        }

        function wrapper(p) {
            return provider.popupItem(p.presenterId)
        }

        function test_threePopupsThenTheMiddleCloses() {
            compare(provider.count, 0)
            compare(provider.dimmingLayer.opacity, 0)
            first.isPresented = true
            // Shown already: not pushed again, and it keeps its value.
            verify(!provider.stack.push(first.presenterId, card, 2))
            compare(provider.stack.valueOf(first.presenterId), true)
            second.isPresented = true
            third.isPresented = true
            compare(provider.stack.ids, [first.presenterId, second.presenterId, third.presenterId])
            compare(wrapper(first).z, 100)
            compare(wrapper(second).z, 200)
            compare(wrapper(third).z, 300)
            compare(provider.dimmingLayer.z, 299)
            tryCompare(wrapper(first), "shrink", 0.9)
            tryCompare(wrapper(second), "blur", 2)
            compare(wrapper(third).shrink, 1)
            compare(wrapper(third).blur, 0)
            tryCompare(provider, "contentBlurRadius", 3)
            tryVerify(() => provider.dimmingLayer.opacity > 0.29)

            const leaving = wrapper(second)
            leaving.contentItem.close()
            compare(second.isPresented, false)
            compare(provider.stack.ids, [first.presenterId, third.presenterId])
            compare(wrapper(third).z, 200)
            compare(provider.dimmingLayer.z, 199)
            // It leaves on top of everything, then goes.
            verify(leaving.z > 1000)
            tryVerify(() => !leaving || !leaving.leaving || leaving.parent === null, 3000)

            third.isPresented = false
            // Setting the flag from outside does not take a shown popup away.
            compare(provider.count, 2)
            wrapper(third).contentItem.close()
            tryCompare(wrapper(first), "shrink", 1)
            compare(wrapper(first).z, 100)
            // Dismissed, it can be presented again.
            wrapper(first).contentItem.close()
            compare(provider.count, 0)
            first.isPresented = true
            compare(provider.count, 1)
        }

        function test_itemPopupKeepsThePushedValue() {
            picked.item = { name: "one" }
            compare(wrapper(picked).contentItem.popupValue.name, "one")
            picked.item = { name: "two" }
            compare(provider.count, 1)
            compare(wrapper(picked).contentItem.popupValue.name, "one")
            Dismiss.callback() // outside any popup: nothing to close
            compare(provider.count, 1)
        }
    }
}

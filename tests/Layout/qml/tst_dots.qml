import QtQuick
import QtTest
import Velmora.Layout

Item {
    width: 400
    height: 200

    DayDotsView {
        id: dots
        width: 100
        height: 2
        days: 1095
        dot: 2
        gap: 1
        weekGap: 2
    }

    MidLine {
        id: line
        width: 120
    }

    TestCase {
        name: "DayDotsAndMidLine"
        when: windowShown

        function test_dotsCountFollowsWidthAndDays() {
            compare(dots.drawnCount, 32)
            dots.width = 4000
            compare(dots.drawnCount, 1095)
            dots.days = 0
            compare(dots.drawnCount, 0)
            dots.days = -8
            compare(dots.drawnCount, 0)
        }

        function test_midLineUnsizedIsTenHigh() {
            compare(line.implicitHeight, 10)
            const path = line.data[0]
            compare(path.startY, 5)
            compare(path.pathElements[0].x, 120)
            compare(path.dashPattern, [1, 5])
            compare(path.strokeWidth, 1)
        }
    }
}

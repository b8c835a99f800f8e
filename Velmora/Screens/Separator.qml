import QtQuick
import Velmora.Layout

// The dotted rule between groups of rows.
MidLine {
    width: parent ? parent.width : 0
    height: 10
}

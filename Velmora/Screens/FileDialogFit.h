#pragma once

#include <QObject>
#include <QPointer>
#include <QQuickWindow>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// Qt's own file dialog, which opens where the desktop offers none of its own, is laid out for a
// window of 600 pixels or more: in this narrow one its buttons left the file name field a small
// square, and it lay flush with the window's edges over an undimmed screen. fit() lays out those
// of the window after one opens: a margin inside the window, the buttons in a row of their own, the
// window behind dimmed, the folder's path on the window's colour; the size follows the window's
// while they are open.
class FileDialogFit : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QQuickWindow *window READ window WRITE setWindow NOTIFY windowChanged)

public:
    using QObject::QObject;

    QQuickWindow *window() const { return m_window; }
    void setWindow(QQuickWindow *window);

    Q_INVOKABLE void fit();

signals:
    void windowChanged();

private:
    void place();

    QPointer<QQuickWindow> m_window;
};

} // namespace Velmora

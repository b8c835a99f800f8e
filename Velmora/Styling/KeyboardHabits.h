#pragma once

#include <QPointer>
#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// Two desktop habits Qt Quick Controls 6.4 lacks, for the whole window this item is in:
// Enter and Return press the focused button as Space does, and a control that the focus reaches
// while the keyboard is in use shows it, however it came there (a popup closed by Escape, a
// screen left, a deleted neighbour), not only by Tab.
class KeyboardHabits : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT

public:
    explicit KeyboardHabits(QQuickItem *parent = nullptr);

protected:
    void itemChange(ItemChange change, const ItemChangeData &data) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showFocus();

    QPointer<QQuickWindow> m_window;
    bool m_keyboard = false;
    bool m_pressing = false; // a Return or Enter went to a button as Space, and its release will too
};

} // namespace Velmora

#include "Velmora/Styling/KeyboardHabits.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QQuickWindow>

#include <utility>

namespace Velmora {

KeyboardHabits::KeyboardHabits(QQuickItem *parent) : QQuickItem(parent) {}

void KeyboardHabits::itemChange(ItemChange change, const ItemChangeData &data)
{
    QQuickItem::itemChange(change, data);
    if (change != ItemSceneChange || data.window == m_window)
        return;
    if (m_window) {
        m_window->removeEventFilter(this);
        disconnect(m_window, nullptr, this, nullptr);
    }
    m_window = data.window;
    if (m_window) {
        m_window->installEventFilter(this);
        // Queued: the control takes its focus reason from the focus event, which comes later.
        connect(m_window, &QQuickWindow::activeFocusItemChanged, this, &KeyboardHabits::showFocus, Qt::QueuedConnection);
    }
}

bool KeyboardHabits::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
        m_keyboard = false;
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool press = event->type() == QEvent::KeyPress;
        m_keyboard = m_keyboard || press;
        const QQuickItem *focused = m_window ? m_window->activeFocusItem() : nullptr;
        const bool enter = (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (!enter || (press ? !focused || !focused->inherits("QQuickAbstractButton") : !std::exchange(m_pressing, false)))
            break;
        m_pressing = press;
        QKeyEvent space(event->type(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), key->isAutoRepeat());
        QCoreApplication::sendEvent(watched, &space);
        return true;
    }
    default:
        break;
    }
    return QQuickItem::eventFilter(watched, event);
}

void KeyboardHabits::showFocus()
{
    QQuickItem *focused = m_window ? m_window->activeFocusItem() : nullptr;
    if (!m_keyboard || !focused || !focused->inherits("QQuickControl") || focused->property("visualFocus").toBool())
        return;
    focused->setProperty("focusReason", Qt::TabFocusReason);
}

} // namespace Velmora

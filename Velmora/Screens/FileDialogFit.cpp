#include "Velmora/Screens/FileDialogFit.h"

#include <QQmlContext>
#include <QQmlProperty>
#include <QQuickItem>

namespace Velmora {

namespace {

// Qt's dialog's own words, which Qt 6.4's catalogues leave English (or are not installed): the
// app's catalogue answers for them, under the names Qt looks them up by.
[[maybe_unused]] constexpr const char *qtDialogWords[] = {
    QT_TRANSLATE_NOOP("FileDialog", "File name"), QT_TRANSLATE_NOOP("FileDialog", "Filter"),
    QT_TRANSLATE_NOOP("QPlatformTheme", "Open"), QT_TRANSLATE_NOOP("QPlatformTheme", "Cancel")};

QList<QObject *> qtFileDialogs(QQuickWindow *window)
{
    QList<QObject *> out;
    // Qt parents its dialog to the window it opens in.
    for (QObject *child : window ? window->children() : QObjectList())
        if (child->inherits("QQuickFileDialogImpl"))
            out << child;
    return out;
}

QQuickItem *findInherits(QQuickItem *item, const char *className)
{
    if (!item || item->inherits(className))
        return item;
    for (QQuickItem *child : item->childItems())
        if (QQuickItem *found = findInherits(child, className))
            return found;
    return nullptr;
}

// The folder's path on the window's colour: Qt's white under the scheme's text left it unread in the dark.
void pathOnWindowColour(QObject *dialog, const QColor &colour)
{
    QQuickItem *path = findInherits(dialog->property("header").value<QQuickItem *>(), "QQuickFolderBreadcrumbBar");
    if (QQuickItem *background = path ? path->property("background").value<QQuickItem *>() : nullptr)
        background->setProperty("color", colour);
}

// Under the name and filter fields, at the right, rather than beside them.
void buttonsOnTheirOwnRow(QObject *dialog)
{
    QQuickItem *buttons = findInherits(dialog->property("footer").value<QQuickItem *>(), "QQuickDialogButtonBox");
    if (!buttons)
        return;
    QQmlContext *context = qmlContext(buttons);
    QQmlProperty(buttons, QStringLiteral("Layout.row"), context).write(2);
    QQmlProperty(buttons, QStringLiteral("Layout.column"), context).write(0);
    QQmlProperty(buttons, QStringLiteral("Layout.columnSpan"), context).write(3);
    QQmlProperty(buttons, QStringLiteral("Layout.alignment"), context).write(int(Qt::AlignRight | Qt::AlignVCenter));
}

// Qt's size where the window has room for it, else the window's less a margin; taller than Qt's
// in a tall window, for more of the folder at once.
QSizeF sizeFor(QSizeF implicit, QSizeF window)
{
    constexpr qreal margin = 12;
    const QSizeF room = window - QSizeF(2 * margin, 2 * margin);
    return {std::min(implicit.width(), room.width()), std::min(std::max(implicit.height(), window.height() * 0.6), room.height())};
}

} // namespace

void FileDialogFit::setWindow(QQuickWindow *window)
{
    if (window == m_window)
        return;
    if (m_window)
        disconnect(m_window, nullptr, this, nullptr);
    m_window = window;
    if (m_window) {
        connect(m_window, &QWindow::widthChanged, this, &FileDialogFit::place);
        connect(m_window, &QWindow::heightChanged, this, &FileDialogFit::place);
    }
    emit windowChanged();
}

void FileDialogFit::fit()
{
    for (QObject *dialog : qtFileDialogs(m_window)) {
        if (!dialog->property("velmoraFitted").toBool()) {
            dialog->setProperty("velmoraFitted", true);
            buttonsOnTheirOwnRow(dialog);
            dialog->setProperty("modal", true);
        }
        pathOnWindowColour(dialog, m_window->color());
    }
    place();
}

void FileDialogFit::place()
{
    for (QObject *dialog : qtFileDialogs(m_window)) {
        if (!dialog->property("visible").toBool())
            continue;
        const QSizeF size = sizeFor({dialog->property("implicitWidth").toReal(), dialog->property("implicitHeight").toReal()},
                                    m_window->size());
        dialog->setProperty("width", size.width());
        dialog->setProperty("height", size.height());
    }
}

} // namespace Velmora

#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QPalette>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

class AppearancePortal;

// Light or dark: the desktop's preference from its Settings portal, else the application palette
// (Qt 6.4 has no colour-scheme hint of its own, and its default theme ignores the portal).
class ColorScheme : public QObject
{
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(bool dark READ dark NOTIFY darkChanged)

public:
    explicit ColorScheme(QObject *parent = nullptr);
    // Asks the portal on this bus rather than on the session bus.
    explicit ColorScheme(const QDBusConnection &bus, QObject *parent = nullptr);

    bool dark() const { return m_dark; }

    // A palette is dark when its window colour is darker than mid grey.
    static bool isDark(const QPalette &palette);

signals:
    void darkChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();

    AppearancePortal *m_portal = nullptr;
    bool m_dark = false;
};

} // namespace Velmora

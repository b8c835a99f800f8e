#pragma once

#include <QDBusConnection>
#include <QDBusVariant>
#include <QObject>
#include <QString>

namespace Velmora {

// The desktop's light or dark preference, as the freedesktop Settings portal tells it
// (org.freedesktop.appearance color-scheme), followed while it changes.
class AppearancePortal : public QObject {
    Q_OBJECT
public:
    // The portal's values: 0 no preference, 1 dark, 2 light; Unknown also when there is no portal.
    enum class Scheme { Unknown, Dark, Light };

    explicit AppearancePortal(QDBusConnection bus, QObject *parent = nullptr);
    Scheme scheme() const { return m_scheme; }

    // The portal's answer, wrapped in as many variants as it came in; Unknown for anything odd.
    static Scheme schemeFromValue(const QVariant &value);

signals:
    void schemeChanged();

private slots:
    void settingChanged(const QString &group, const QString &key, const QDBusVariant &value);

private:
    void setScheme(Scheme scheme);

    QDBusConnection m_bus;
    Scheme m_scheme = Scheme::Unknown;
};

} // namespace Velmora

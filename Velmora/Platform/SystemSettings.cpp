#include "Velmora/Platform/SystemSettings.h"

#include <QDBusArgument>
#include <QDBusMessage>

namespace Velmora {

namespace {
const QString portalService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString portalPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString settingsInterface = QStringLiteral("org.freedesktop.portal.Settings");
const QString appearance = QStringLiteral("org.freedesktop.appearance");
const QString colorScheme = QStringLiteral("color-scheme");
} // namespace

AppearancePortal::AppearancePortal(QDBusConnection bus, QObject *parent) : QObject(parent), m_bus(std::move(bus))
{
    if (!m_bus.isConnected())
        return;
    m_bus.connect(portalService, portalPath, settingsInterface, QStringLiteral("SettingChanged"), this,
                  SLOT(settingChanged(QString, QString, QDBusVariant)));
    // Asked once, at once: the first frame is then drawn in the right colours. A portal that
    // does not answer soon is taken as no preference.
    QDBusMessage read = QDBusMessage::createMethodCall(portalService, portalPath, settingsInterface, QStringLiteral("Read"));
    read << appearance << colorScheme;
    const QDBusMessage reply = m_bus.call(read, QDBus::Block, 500);
    if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
        setScheme(schemeFromValue(reply.arguments().constFirst()));
}

AppearancePortal::Scheme AppearancePortal::schemeFromValue(const QVariant &value)
{
    QVariant inner = value;
    // Read() answers a variant holding a variant; a signal's value is one variant deep.
    for (int depth = 0; depth < 4; ++depth) {
        if (inner.canConvert<QDBusVariant>() && inner.metaType() == QMetaType::fromType<QDBusVariant>())
            inner = inner.value<QDBusVariant>().variant();
        else if (inner.metaType() == QMetaType::fromType<QDBusArgument>())
            inner = qdbus_cast<QDBusVariant>(inner.value<QDBusArgument>()).variant();
        else
            break;
    }
    if (inner.metaType() != QMetaType::fromType<uint>() && inner.metaType() != QMetaType::fromType<int>())
        return Scheme::Unknown;
    switch (inner.toUInt()) {
    case 1: return Scheme::Dark;
    case 2: return Scheme::Light;
    default: return Scheme::Unknown;
    }
}

void AppearancePortal::settingChanged(const QString &group, const QString &key, const QDBusVariant &value)
{
    if (group == appearance && key == colorScheme)
        setScheme(schemeFromValue(value.variant()));
}

void AppearancePortal::setScheme(Scheme scheme)
{
    if (scheme == m_scheme)
        return;
    m_scheme = scheme;
    emit schemeChanged();
}

} // namespace Velmora

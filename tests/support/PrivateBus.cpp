#include "tests/support/PrivateBus.h"

#include "tests/support/TestSupport.h"

#include <QDBusConnectionInterface>
#include <QProcessEnvironment>

namespace VelmoraTest {

PrivateBus::PrivateBus()
{
    m_daemon.setStandardErrorFile(QProcess::nullDevice());
    m_daemon.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"),
                                                   QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    if (!m_daemon.waitForStarted(5000) || !m_daemon.waitForReadyRead(5000))
        return;
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
}

PrivateBus::~PrivateBus()
{
    for (const QString &name : std::as_const(m_names))
        QDBusConnection::disconnectFromBus(name);
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(3000))
        m_daemon.kill();
    m_daemon.waitForFinished(1000);
}

QDBusConnection PrivateBus::connect(const QString &name)
{
    if (!m_names.contains(name))
        m_names.append(name);
    return QDBusConnection::connectToBus(m_address, name);
}

void PrivateBus::becomeSessionBus() const
{
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
}

std::unique_ptr<QProcess> PrivateBus::startMock(const QString &templateName, const QString &parameters,
                                                const QString &busName)
{
    auto mock = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
    mock->setProcessEnvironment(env);
    mock->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Debian's python3, which has the dbusmock package, whatever python3 comes first on PATH.
    mock->start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-m"), QStringLiteral("dbusmock"),
                                                      QStringLiteral("--template"), templateName,
                                                      QStringLiteral("-p"), parameters});
    QDBusConnection watcher = connect(QStringLiteral("mock-watch-%1").arg(busName));
    const bool up = mock->waitForStarted(5000) && waitFor([&] {
        return watcher.interface()->isServiceRegistered(busName).value();
    }, 10000);
    QDBusConnection::disconnectFromBus(QStringLiteral("mock-watch-%1").arg(busName));
    if (!up) {
        mock->kill();
        mock->waitForFinished(1000);
        return nullptr;
    }
    return mock;
}

} // namespace VelmoraTest

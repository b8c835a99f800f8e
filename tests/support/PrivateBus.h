#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

namespace VelmoraTest {

// A session bus of the test's own, started by dbus-daemon and stopped with the object.
class PrivateBus {
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus &) = delete;
    PrivateBus &operator=(const PrivateBus &) = delete;

    bool isRunning() const { return !m_address.isEmpty(); }
    QString address() const { return m_address; }
    // A connection of its own to the bus, closed before the bus stops.
    QDBusConnection connect(const QString &name);
    // Makes this bus the process's session bus; call before anything asks for the session bus.
    void becomeSessionBus() const;

    // A python3-dbusmock template serving busName on this bus; empty when it did not come up.
    std::unique_ptr<QProcess> startMock(const QString &templateName, const QString &parameters,
                                        const QString &busName);

private:
    QProcess m_daemon;
    QString m_address;
    QStringList m_names;
};

} // namespace VelmoraTest

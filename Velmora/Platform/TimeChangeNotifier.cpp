#include "Velmora/Platform/TimeChangeNotifier.h"

#include "Velmora/Platform/Clock.h"

#include <QFile>
#include <QTimeZone>

#include <algorithm>
#include <cstdlib>

namespace Velmora {

namespace {
// Lands the midnight timer just past the boundary, so the check sees the new day.
constexpr qint64 midnightSlackMs = 500;
// The poll catches anything the single shot misses; no need to aim further ahead.
constexpr qint64 longestMidnightWaitMs = 6 * 3600 * 1000;
} // namespace

QDBusConnection SystemTimeChangeNotifier::systemBusIfAny()
{
    // Without a system bus (a container) Qt would only warn; there is just no resume signal.
    if (qEnvironmentVariableIsEmpty("DBUS_SYSTEM_BUS_ADDRESS") && !QFile::exists(QStringLiteral("/run/dbus/system_bus_socket")))
        return QDBusConnection(QStringLiteral("no-system-bus"));
    return QDBusConnection::systemBus();
}

SystemTimeChangeNotifier::SystemTimeChangeNotifier(QObject *parent, int pollIntervalMs, QDBusConnection sleepBus)
    : TimeChangeNotifier(parent)
{
    if (sleepBus.isConnected())
        sleepBus.connect(QString(), QStringLiteral("/org/freedesktop/login1"), QStringLiteral("org.freedesktop.login1.Manager"),
                         QStringLiteral("PrepareForSleep"), this, SLOT(onPrepareForSleep(bool)));
    m_poll.setInterval(std::max(1000, pollIntervalMs));
    m_poll.setTimerType(Qt::CoarseTimer);
    connect(&m_poll, &QTimer::timeout, this, &SystemTimeChangeNotifier::check);
    m_midnight.setSingleShot(true);
    m_midnight.setTimerType(Qt::PreciseTimer);
    connect(&m_midnight, &QTimer::timeout, this, &SystemTimeChangeNotifier::check);
    takeBaseline();
    armMidnight();
    m_poll.start();
}

void SystemTimeChangeNotifier::check()
{
    const Clock &clock = Clock::current();
    const QDateTime wall = clock.now();
    const qint64 monotonic = clock.monotonicMs();
    const QTimeZone zone = clock.timeZone();

    const bool zoneChanged = zone.id() != m_zoneId;
    const bool dayChanged = wall.toTimeZone(zone).date() != m_day;
    bool jumped = false;
    if (m_wall.isValid() && wall.isValid()) {
        const qint64 wallElapsed = m_wall.msecsTo(wall);
        const qint64 monotonicElapsed = monotonic - m_monotonicMs;
        jumped = std::llabs(wallElapsed - monotonicElapsed) > jumpToleranceMs;
    }

    takeBaseline();
    armMidnight();
    if (zoneChanged || dayChanged || jumped)
        emit significantTimeChange();
}

void SystemTimeChangeNotifier::onPrepareForSleep(bool sleeping)
{
    if (sleeping)
        return;
    // However short the sleep, whoever plans by the wall clock looks again.
    takeBaseline();
    armMidnight();
    emit significantTimeChange();
}

void SystemTimeChangeNotifier::takeBaseline()
{
    const Clock &clock = Clock::current();
    m_wall = clock.now();
    m_monotonicMs = clock.monotonicMs();
    const QTimeZone zone = clock.timeZone();
    m_zoneId = zone.id();
    m_day = m_wall.toTimeZone(zone).date();
}

void SystemTimeChangeNotifier::armMidnight()
{
    const Clock &clock = Clock::current();
    const QTimeZone zone = clock.timeZone();
    // startOfDay gives the first moment that exists, also when midnight itself is skipped.
    const QDateTime next = m_day.addDays(1).startOfDay(zone);
    qint64 wait = next.isValid() ? clock.now().msecsTo(next) + midnightSlackMs : longestMidnightWaitMs;
    wait = std::clamp<qint64>(wait, midnightSlackMs, longestMidnightWaitMs);
    m_midnight.start(int(wait));
}

} // namespace Velmora

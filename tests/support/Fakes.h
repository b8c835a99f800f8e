#pragma once

// Stand-ins for the platform services, for tests only.

#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/NotificationBus.h"
#include "Velmora/Platform/TimeChangeNotifier.h"
#include "Velmora/Platform/WallClockAlarm.h"
#include "Velmora/Platform/WidgetCenter.h"

#include <functional>
#include <optional>

namespace Velmora {

class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime now = QDateTime::currentDateTime(),
                       QTimeZone zone = QTimeZone::systemTimeZone())
        : m_now(std::move(now)), m_zone(std::move(zone)) {}

    QDateTime now() const override { return m_now.toTimeZone(m_zone); }
    QTimeZone timeZone() const override { return m_zone; }
    qint64 monotonicMs() const override { return m_monotonicMs; }

    void setNow(const QDateTime &now) { m_now = now; }
    void setTimeZone(const QTimeZone &zone) { m_zone = zone; }
    // Time passes on both clocks.
    void advance(qint64 ms) { m_now = m_now.addMSecs(ms); m_monotonicMs += ms; }
    // The wall clock is set without time passing.
    void jumpWallClock(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
    QTimeZone m_zone;
    qint64 m_monotonicMs = 0;
};

// Installs a clock for the lifetime of the guard.
class ScopedClock {
public:
    explicit ScopedClock(const Clock &clock) { Clock::install(&clock); }
    ~ScopedClock() { Clock::install(nullptr); }
    Q_DISABLE_COPY_MOVE(ScopedClock)
};

// A notification server that shows everything, silently, and is there while serverPresent.
class FakeNotificationBus final : public NotificationBus {
public:
    bool serverPresent = true;
    int probes = 0;

    void probeServer(std::function<void(bool)> done) override;
    void notify(const QString &title, const QString &body, bool defaultSound, bool resident, const Actions &actions,
                std::function<void(bool, uint)> done) override;
    void closeNotification(uint) override {}
    void fetchCapabilities(std::function<void(QStringList)> done) override;
    void watchActions(std::function<void(uint, const QString &)>) override {}
    void watchServer(std::function<void()>) override {}

private:
    uint m_lastId = 0;
};

// An alarm on Clock::current(): it rings when ringIfDue() finds the fake clock at or past it.
class FakeWallClockAlarm final : public WallClockAlarm {
    Q_OBJECT
public:
    void arm(const QDateTime &at) override { armedAt = at; }
    void disarm() override { armedAt.reset(); }
    bool ringIfDue()
    {
        if (!armedAt || Clock::current().now() < *armedAt)
            return false;
        armedAt.reset();
        emit rang();
        return true;
    }
    std::optional<QDateTime> armedAt;
};

// Fires only when told to.
class FakeTimeChangeNotifier final : public TimeChangeNotifier {
    Q_OBJECT
public:
    using TimeChangeNotifier::TimeChangeNotifier;
    void fire() { emit significantTimeChange(); }
};

// Counts the reloads it was asked for.
class FakeWidgetCenter final : public WidgetCenter {
public:
    void reloadAllTimelines() override { ++m_reloads; }
    int reloadCount() const { return m_reloads; }

private:
    int m_reloads = 0;
};

} // namespace Velmora

#pragma once

#include <QDateTime>
#include <QTimeZone>

namespace Velmora {

// The wall clock, the user's time zone and a monotonic clock, behind one seam so that
// everything that counts days can be driven by a fake in tests.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual QTimeZone timeZone() const = 0;
    // Milliseconds on a clock that never jumps; used to notice wall-clock jumps.
    virtual qint64 monotonicMs() const = 0;

    // The process-wide clock (the system's unless a test installed another). Main thread only.
    static const Clock &current();
    // Installs clock for the whole process; nullptr restores the system clock. Not owned.
    static void install(const Clock *clock);
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    QTimeZone timeZone() const override;
    qint64 monotonicMs() const override;
};

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

// Installs a clock for the lifetime of the guard (tests).
class ScopedClock {
public:
    explicit ScopedClock(const Clock &clock) { Clock::install(&clock); }
    ~ScopedClock() { Clock::install(nullptr); }
    ScopedClock(const ScopedClock &) = delete;
    ScopedClock &operator=(const ScopedClock &) = delete;
};

} // namespace Velmora

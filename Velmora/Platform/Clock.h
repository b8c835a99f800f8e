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

} // namespace Velmora

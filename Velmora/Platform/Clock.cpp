#include "Velmora/Platform/Clock.h"

#include <QElapsedTimer>

namespace Velmora {

namespace {
const Clock *g_installed = nullptr;
} // namespace

const Clock &Clock::current()
{
    static const SystemClock system;
    return g_installed ? *g_installed : system;
}

void Clock::install(const Clock *clock)
{
    g_installed = clock;
}

QDateTime SystemClock::now() const
{
    return QDateTime::currentDateTimeUtc();
}

QTimeZone SystemClock::timeZone() const
{
    // Asking the system reads files; every tile asks twice per drawing. A second-old answer is
    // fresh enough: a change of zone is also announced as a significant time change.
    static QTimeZone zone;
    static QElapsedTimer age;
    if (!age.isValid() || age.elapsed() > 1000) {
        zone = QTimeZone::systemTimeZone();
        age.start();
    }
    return zone;
}

qint64 SystemClock::monotonicMs() const
{
    static QElapsedTimer started = [] { QElapsedTimer t; t.start(); return t; }();
    return started.elapsed();
}

} // namespace Velmora

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
    return QDateTime::currentDateTime();
}

QTimeZone SystemClock::timeZone() const
{
    return QTimeZone::systemTimeZone();
}

qint64 SystemClock::monotonicMs() const
{
    static QElapsedTimer started = [] { QElapsedTimer t; t.start(); return t; }();
    return started.elapsed();
}

} // namespace Velmora

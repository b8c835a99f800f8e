#include "Velmora/Platform/WallClockAlarm.h"

#include <QSocketNotifier>
#include <QTimer>

#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace Velmora {

TimerFdWallClockAlarm::TimerFdWallClockAlarm(QObject *parent) : WallClockAlarm(parent)
{
    m_fd = timerfd_create(CLOCK_REALTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (m_fd < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TimerFdWallClockAlarm::onReadable);
}

TimerFdWallClockAlarm::~TimerFdWallClockAlarm()
{
    m_notifier.reset();
    if (m_fd >= 0)
        ::close(m_fd);
}

void TimerFdWallClockAlarm::arm(const QDateTime &at)
{
    if (!at.isValid())
        return disarm();
    if (m_fd < 0) {
        // No timerfd (not Linux, or out of descriptors): a plain timer is late after a suspend,
        // but still rings.
        const qint64 wait = std::max<qint64>(0, QDateTime::currentDateTimeUtc().msecsTo(at));
        QTimer::singleShot(int(std::min<qint64>(wait, 3600 * 1000)), this, &WallClockAlarm::rang);
        return;
    }
    const qint64 ms = std::max<qint64>(at.toMSecsSinceEpoch(), 1);
    itimerspec spec{};
    spec.it_value.tv_sec = time_t(ms / 1000);
    spec.it_value.tv_nsec = long(ms % 1000) * 1000000L;
    if (timerfd_settime(m_fd, TFD_TIMER_ABSTIME | TFD_TIMER_CANCEL_ON_SET, &spec, nullptr) != 0 && errno == ECANCELED) {
        // The clock was set before we armed: plan anew from the new clock.
        QTimer::singleShot(0, this, &WallClockAlarm::clockSet);
    }
}

void TimerFdWallClockAlarm::disarm()
{
    if (m_fd < 0)
        return;
    itimerspec spec{};
    timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &spec, nullptr);
}

void TimerFdWallClockAlarm::onReadable()
{
    std::uint64_t expirations = 0;
    const ssize_t n = ::read(m_fd, &expirations, sizeof expirations);
    if (n < 0 && errno == ECANCELED) {
        emit clockSet();
        return;
    }
    if (n == ssize_t(sizeof expirations) && expirations > 0)
        emit rang();
}

} // namespace Velmora

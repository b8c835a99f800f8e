#pragma once

#include <QByteArray>
#include <QDate>
#include <QDBusConnection>
#include <QDateTime>
#include <QObject>
#include <QTimer>

namespace Velmora {

// Our stand-in for the platform's significant-time-change notice: local midnight, a change of
// the time zone, or a change of the wall clock. Delivered on the thread that owns the object.
class TimeChangeNotifier : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    void significantTimeChange();
};

// Watches Clock::current(). A single-shot timer aims at the next local midnight and a coarse
// poll catches zone changes and wall-clock jumps (including resume from suspend, during which
// the monotonic clock stands still while the wall clock moves on). logind's resume signal is
// announced at once, so nothing waits for the next poll after a suspend.
class SystemTimeChangeNotifier final : public TimeChangeNotifier {
    Q_OBJECT
public:
    // Once a minute: an idle app wakes no more often than that.
    static constexpr int defaultPollIntervalMs = 60000;
    // Wall and monotonic time may drift apart this much between two checks without a notice.
    static constexpr qint64 jumpToleranceMs = 2000;

    // sleepBus carries org.freedesktop.login1's PrepareForSleep (the system bus, when there is one).
    explicit SystemTimeChangeNotifier(QObject *parent = nullptr, int pollIntervalMs = defaultPollIntervalMs,
                                      QDBusConnection sleepBus = systemBusIfAny());

    static QDBusConnection systemBusIfAny();

    // Compares the clock with what the last check saw; emits at most once. Safe to call at
    // any time: nothing is emitted when nothing significant happened.
    void check();

    // Milliseconds the midnight timer currently waits (tests).
    int midnightTimerIntervalMs() const { return m_midnight.interval(); }

private slots:
    void onPrepareForSleep(bool sleeping);

private:
    void takeBaseline();
    void armMidnight();

    QTimer m_poll;
    QTimer m_midnight;
    QDateTime m_wall;
    qint64 m_monotonicMs = 0;
    QByteArray m_zoneId;
    QDate m_day;
};

} // namespace Velmora

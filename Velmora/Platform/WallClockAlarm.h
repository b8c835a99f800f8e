#pragma once

#include <QDateTime>
#include <QObject>

#include <memory>

class QSocketNotifier;

namespace Velmora {

// Rings once when the wall clock reaches an instant. Unlike a QTimer it keeps to the wall
// clock across suspend, and it says when the clock is set, so the caller can plan again.
class WallClockAlarm : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Replaces any earlier instant; an instant already past rings at once.
    virtual void arm(const QDateTime &at) = 0;
    virtual void disarm() = 0;

signals:
    void rang();
    // The wall clock was set while the alarm was armed; it is no longer armed.
    void clockSet();
};

// A timerfd on CLOCK_REALTIME: an absolute timer rings on resume when its instant passed
// during sleep, and TFD_TIMER_CANCEL_ON_SET tells of clock changes.
class TimerFdWallClockAlarm final : public WallClockAlarm {
    Q_OBJECT
public:
    explicit TimerFdWallClockAlarm(QObject *parent = nullptr);
    ~TimerFdWallClockAlarm() override;

    void arm(const QDateTime &at) override;
    void disarm() override;

private:
    void onReadable();

    int m_fd = -1;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace Velmora

#pragma once

#include <QDateTime>
#include <QObject>
#include <QPointer>

namespace Velmora {

class TimeChangeNotifier;

// The app's "today": the start of the current day in the user's time zone. It notifies when
// that changes: a new day, or the same day in another zone.
class RefreshDay : public QObject {
    Q_OBJECT
    Q_PROPERTY(QDateTime date READ date NOTIFY dateChanged)
    Q_PROPERTY(bool observesTimeChanges READ observesTimeChanges NOTIFY observerChanged)

public:
    // With a notifier, each of its notices refreshes the day with the current instant; without
    // one the day changes only through refresh(). The notifier is not owned.
    explicit RefreshDay(TimeChangeNotifier *timeChanges = nullptr, QObject *parent = nullptr);

    QDateTime date() const { return m_date; }
    bool observesTimeChanges() const { return !m_observer.isNull(); }

    // Returns at once; the start of instant's day is taken once the event loop runs, in call
    // order. An invalid instant counts as now.
    Q_INVOKABLE void refresh(const QDateTime &instant);

signals:
    void dateChanged();
    void observerChanged();

private:
    void assign(const QDateTime &date);

    QDateTime m_date;
    QPointer<TimeChangeNotifier> m_observer;
};

} // namespace Velmora

#pragma once

#include "Velmora/Model/Chore.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QString>

namespace Velmora {

// The counts the detail screen of one chore shows from a given today: its dots, its time-left
// line and the days since its start. They notify when today is assigned and when the chore's
// dates change, so a screen left open across midnight or an edit shows them anew.
class ChoreCountdown : public QObject {
    Q_OBJECT
    Q_PROPERTY(Velmora::Chore *chore READ chore WRITE setChore NOTIFY choreChanged)
    // The start of today until set.
    Q_PROPERTY(QDateTime today READ today WRITE setToday NOTIFY todayChanged)
    // Negative counts are clamped: an overdue chore has no dots and reads "today".
    Q_PROPERTY(int daysLeft READ daysLeft NOTIFY countsChanged)
    Q_PROPERTY(QString timeLeftText READ timeLeftText NOTIFY countsChanged)
    Q_PROPERTY(int daysSinceStart READ daysSinceStart NOTIFY countsChanged)

public:
    explicit ChoreCountdown(QObject *parent = nullptr);

    Chore *chore() const { return m_chore; }
    void setChore(Chore *chore);
    QDateTime today() const { return m_today; }
    // Every assignment recounts, also for the same day: the texts also count from the clock.
    void setToday(const QDateTime &today);

    // 0 and an empty text without a chore.
    int daysLeft() const;
    QString timeLeftText() const;
    int daysSinceStart() const;

signals:
    void choreChanged();
    void todayChanged();
    void countsChanged();

private:
    QPointer<Chore> m_chore;
    QDateTime m_today;
};

} // namespace Velmora

#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

namespace Velmora {

class Chore;
class ChoreQueryModel;
class RefreshDay;

// The active chores due soonest, each with its time left counted from the app's day: what the
// tray lists and the home-screen widget shows. It follows the active query and the day, and
// tells once after a burst of changes to them (a restore, a sync).
class NearestChores : public QObject {
    Q_OBJECT
public:
    struct Entry {
        Chore *chore;
        int daysLeft; // negative once overdue
        QString timeLeft;
    };

    NearestChores(const ChoreQueryModel &active, const RefreshDay &day, QObject *parent = nullptr);

    // At most count of them, nearest first.
    QList<Entry> first(int count) const;

signals:
    void changed();

private:
    const ChoreQueryModel &m_active;
    const RefreshDay &m_day;
    QTimer m_later;
};

} // namespace Velmora

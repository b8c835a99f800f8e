#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Model/StoreFollower.h"

#include <QObject>
#include <QPointer>
#include <QTimeZone>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace Velmora {

// How a repeating chore went lately: its last finished occurrences, each by how late it was
// finished, and one line of figures. Follows the store, so a finish shows at once.
class ChoreHistory : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Velmora::ChoreStore *store READ store WRITE setStore NOTIFY storeChanged)
    Q_PROPERTY(Velmora::Chore *chore READ chore WRITE setChore NOTIFY choreChanged)
    // Assigned at each new day or zone, so lateness is counted in the zone of the moment.
    Q_PROPERTY(QDateTime today READ today WRITE setToday NOTIFY todayChanged)
    // Each occurrence, oldest first, as {lateness, place, stacked, text}: its Lateness; where its
    // finishing day lies from the oldest (0) to the newest (1); how many finishes before it share
    // its day; "Finished by Bob on Tuesday, 8 December 2026, on time". Empty without history.
    Q_PROPERTY(QVariantList marks READ marks NOTIFY figuresChanged)
    Q_PROPERTY(QString summary READ summary NOTIFY figuresChanged)

public:
    static constexpr int shown = 12;
    enum Lateness { OnTime, SlightlyLate, Late };
    Q_ENUM(Lateness)

    struct Mark {
        Lateness lateness = OnTime;
        QDate finished;
        qint64 daysLate = 0; // below 0 for early
        QString finishedBy; // empty when nobody was recorded
    };
    struct Figures {
        QList<Mark> marks; // oldest first
        int onTime = 0;
        // Mean whole days between consecutive finishing days; none below two occurrences.
        std::optional<double> averageDays;
    };
    // The occurrences newest first, as the store gives them; those without a sound due day or
    // finish are left out.
    static Figures figuresOf(const QList<ChoreStore::Occurrence> &occurrences, const QTimeZone &zone);
    // "Done 9 of the last 12 on time, on average every 8 days (planned: 7)"; empty without history.
    static QString summaryOf(const Figures &figures, const Recurrence &recurrence, const QDate &due);
    static QString markText(const Mark &mark, const QLocale &locale);

    explicit ChoreHistory(QObject *parent = nullptr);

    ChoreStore *store() const { return m_follower.store(); }
    void setStore(ChoreStore *store);
    Chore *chore() const { return m_chore; }
    void setChore(Chore *chore);
    QDateTime today() const { return m_today; }
    void setToday(const QDateTime &today);
    QVariantList marks() const;
    QString summary() const { return m_summary; }

signals:
    void storeChanged();
    void choreChanged();
    void todayChanged();
    void figuresChanged();

private:
    void read();

    QPointer<Chore> m_chore;
    QDateTime m_today;
    Figures m_figures;
    QString m_summary;
    // Read once the store's transaction is over: a finish inserts the copy before linking it.
    // A copy comes or goes with every finish, repeat, delete and sync; a moved end or due day
    // changes the figures.
    StoreFollower m_follower;
};

} // namespace Velmora

#pragma once

#include "Velmora/Model/Chore.h"

#include <QAbstractListModel>
#include <QCollator>
#include <QPointer>

#include <functional>
#include <vector>

namespace Velmora {

class ChoreStore;

// A live query over the store: a filter, a sort order and a fetch limit. It follows every
// change of the store with row inserts, removals, moves and data changes, never a reset.
class ChoreQueryModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
    // The day the daysLeft and timeLeft roles count from; the start of today until set.
    Q_PROPERTY(QDateTime today READ today WRITE setToday NOTIFY todayChanged)

public:
    enum class Kind {
        // endDate absent; dueDate, then startDate ascending, then title.
        Active,
        // endDate present; endDate descending, then startDate ascending, then title; at most 300.
        Journal,
    };
    Q_ENUM(Kind)

    // DaysLeftRole: whole days from today to the due day, 0 once it has passed (the tile's dots).
    // TimeLeftRole: the tile's time-left text from today, "overdue" once the due day has passed.
    enum Role { ChoreRole = Qt::UserRole + 1, TitleRole, ColorRole, PersistentIdRole, DaysLeftRole, TimeLeftRole };
    Q_ENUM(Role)

    static constexpr int journalFetchLimit = 300;

    ChoreQueryModel(ChoreStore *store, Kind kind, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    Kind kind() const { return m_kind; }
    QDateTime today() const { return m_today; }
    // Every assignment recounts the day roles of every row, also for the same day: the texts
    // also count from the clock, which may have moved on.
    void setToday(const QDateTime &today);
    int fetchLimit() const { return m_kind == Kind::Journal ? journalFetchLimit : -1; }
    Chore *at(int row) const { return m_all.at(size_t(row)).chore; }
    Q_INVOKABLE Velmora::Chore *choreAt(int row) const;
    // The rows shown, in order.
    std::vector<Chore *> rows() const;

    // Only chores the filter keeps (the household's "mine"), besides the kind's own rule; none
    // keeps every one. Rows come and go one by one, as for any change.
    void setFilter(std::function<bool(const Chore *)> keeps);
    // The filter's answers changed (whose the chores are): every chore asked again.
    void refilter();

    // Whether a sorts before b in this query's order.
    bool lessThan(const Chore *a, const Chore *b) const;

    // A chore with its sort keys, computed once per change instead of once per comparison.
    struct Entry {
        Chore *chore;
        qint64 first;  // dueDate, or the negated endDate for the journal
        qint64 start;
        // Plain when it holds only ASCII letters, digits (no leading zero) and spaces, and the
        // locale orders those as the root collation does: then it compares without the collator.
        QString title;
        bool plain;
    };

signals:
    void countChanged();
    void todayChanged();

private:
    bool matches(const Chore *chore) const;
    void rebuild();
    void onInserted(Chore *chore);
    void onAboutToRemove(Chore *chore);
    void onChanged(Chore *chore, Chore::Field field);
    Entry entry(Chore *chore) const;
    bool entryLess(const Entry &a, const Entry &b) const;
    int compareTitles(const Entry &a, const Entry &b) const;
    std::vector<Entry>::iterator find(const Chore *chore);
    void insertSorted(Chore *chore);
    void removeAt(size_t position);
    size_t sortedPosition(const Entry &entry) const;
    int shown(size_t size) const;

    QPointer<ChoreStore> m_store;
    Kind m_kind;
    QCollator m_collator;
    // Whether the locale's collation orders plain titles as the root collation does.
    bool m_rootOrder = false;
    // Every matching chore in memory, in order; the model shows the first fetchLimit of them.
    // The store keeps enough finished chores in memory for that page to be the query's.
    std::vector<Entry> m_all;
    int m_shown = 0;
    QDateTime m_today;
    std::function<bool(const Chore *)> m_keeps;
};

} // namespace Velmora

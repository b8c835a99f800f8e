#pragma once

#include "Velmora/Model/Chore.h"
#include "Velmora/Model/ChoreQueryModel.h"

#include <QAbstractListModel>
#include <QPointer>
#include <QTimeZone>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// The journal query cut into runs of chores finished on the same calendar day, newest day
// first. Groups follow the query live: a group appears, changes or disappears with row
// signals, and all of them are cut again when the day clock moves (a new day or a new zone).
class JournalGroups : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(Velmora::ChoreQueryModel *query READ query WRITE setQuery NOTIFY queryChanged)
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)

public:
    enum Role { HeaderRole = Qt::UserRole + 1, EndDateRole, ChoresRole, DayRole };
    Q_ENUM(Role)

    struct Group {
        qint64 day = 0; // local calendar day of the first chore's end, days since 1970-01-01
        QDateTime endDate;
        QList<Chore *> chores;
    };

    explicit JournalGroups(QObject *parent = nullptr);

    ChoreQueryModel *query() const { return m_query; }
    void setQuery(ChoreQueryModel *query);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    const QList<Group> &groups() const { return m_groups; }
    // The row of a day's group (days since 1970-01-01), else of the nearest older day listed,
    // else the last row: the list holds only the newest finished chores. -1 when empty.
    Q_INVOKABLE int rowOfDay(int day) const;
    // The long date of a group's header, without weekday or time, in the user's locale.
    static QString headerText(const QDateTime &endDate, const QTimeZone &zone, const QLocale &locale);

public slots:
    // Cuts the groups again from the query in the current zone.
    void regroup();

signals:
    void queryChanged();
    void countChanged();

private:
    QList<Group> cut() const;

    QPointer<ChoreQueryModel> m_query;
    QList<Group> m_groups;
};

} // namespace Velmora

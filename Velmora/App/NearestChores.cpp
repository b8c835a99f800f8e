#include "Velmora/App/NearestChores.h"

#include "Velmora/App/RefreshDay.h"
#include "Velmora/Model/ChoreQueryModel.h"

#include <algorithm>

namespace Velmora {

NearestChores::NearestChores(const ChoreQueryModel &active, const RefreshDay &day, QObject *parent)
    : QObject(parent)
    , m_active(active)
    , m_day(day)
{
    m_later.setSingleShot(true);
    m_later.setInterval(200);
    connect(&m_later, &QTimer::timeout, this, &NearestChores::changed);
    const auto later = [this] { m_later.start(); };
    connect(&active, &QAbstractItemModel::rowsInserted, this, later);
    connect(&active, &QAbstractItemModel::rowsRemoved, this, later);
    connect(&active, &QAbstractItemModel::rowsMoved, this, later);
    connect(&active, &QAbstractItemModel::dataChanged, this, later);
    connect(&active, &QAbstractItemModel::modelReset, this, later);
    connect(&day, &RefreshDay::dateChanged, this, later);
}

QList<NearestChores::Entry> NearestChores::first(int count) const
{
    const QDateTime today = m_day.date();
    QList<Entry> entries;
    for (int row = 0; row < std::min(count, m_active.rowCount()); ++row) {
        Chore *chore = m_active.at(row);
        entries.append({chore, chore->daysUntilDue(today, true), chore->timeLeftText(today, true, false)});
    }
    return entries;
}

} // namespace Velmora

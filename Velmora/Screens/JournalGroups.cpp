#include "Velmora/Screens/JournalGroups.h"

#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Model/ChoreQueryModel.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ScreenTexts.h"

#include <QLocale>

#include <algorithm>
#include <limits>

namespace Velmora {

JournalGroups::JournalGroups(QObject *parent) : QAbstractListModel(parent) {}

void JournalGroups::setQuery(ChoreQueryModel *query)
{
    if (m_query == query)
        return;
    if (m_query)
        disconnect(m_query, nullptr, this, nullptr);
    m_query = query;
    if (query) {
        connect(query, &QAbstractItemModel::rowsInserted, this, &JournalGroups::regroup);
        connect(query, &QAbstractItemModel::rowsRemoved, this, &JournalGroups::regroup);
        connect(query, &QAbstractItemModel::rowsMoved, this, &JournalGroups::regroup);
        connect(query, &QAbstractItemModel::dataChanged, this, &JournalGroups::regroup);
        connect(query, &QAbstractItemModel::modelReset, this, &JournalGroups::regroup);
    }
    regroup();
    emit queryChanged();
}

QList<JournalGroups::Group> JournalGroups::cut() const
{
    QList<Group> groups;
    if (!m_query)
        return groups;
    const QTimeZone zone = Clock::current().timeZone();
    for (Chore *chore : m_query->rows()) {
        // Chores without a readable end (odd stored values) share one run, last.
        const qint64 day = ChoreDates::localDay(chore->endDateOrInvalid(), zone).value_or(std::numeric_limits<qint64>::min());
        if (groups.isEmpty() || groups.constLast().day != day)
            groups.append({day, chore->endDateOrInvalid(), {}});
        groups.last().chores.append(chore);
    }
    return groups;
}

void JournalGroups::regroup()
{
    const QList<Group> next = cut();
    const int before = int(m_groups.size());
    // Both lists run newest day first with one group per day, so a merge finds what came and went.
    int i = 0;
    int j = 0;
    while (i < m_groups.size() || j < next.size()) {
        if (j == next.size() || (i < m_groups.size() && m_groups[i].day > next[j].day)) {
            beginRemoveRows({}, i, i);
            m_groups.removeAt(i);
            endRemoveRows();
        } else if (i == m_groups.size() || m_groups[i].day < next[j].day) {
            beginInsertRows({}, i, i);
            m_groups.insert(i, next[j]);
            endInsertRows();
            ++i;
            ++j;
        } else {
            if (m_groups[i].chores != next[j].chores || m_groups[i].endDate != next[j].endDate) {
                m_groups[i] = next[j];
                emit dataChanged(index(i), index(i));
            }
            ++i;
            ++j;
        }
    }
    if (before != m_groups.size())
        emit countChanged();
}

int JournalGroups::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_groups.size());
}

int JournalGroups::rowOfDay(int day) const
{
    const auto at = std::find_if(m_groups.cbegin(), m_groups.cend(), [day](const Group &group) { return group.day <= day; });
    return at != m_groups.cend() ? int(at - m_groups.cbegin()) : int(m_groups.size()) - 1;
}

QString JournalGroups::headerText(const QDateTime &endDate, const QTimeZone &zone, const QLocale &locale)
{
    if (!endDate.isValid())
        return {};
    return locale.toString(endDate.toTimeZone(zone).date(), ScreenTexts::longDateFormat(locale, false));
}

QVariant JournalGroups::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_groups.size())
        return {};
    const Group &group = m_groups.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case HeaderRole: return headerText(group.endDate, Clock::current().timeZone(), QLocale());
    case EndDateRole: return group.endDate;
    case DayRole: return group.day;
    case ChoresRole: {
        QVariantList chores;
        for (Chore *chore : group.chores)
            chores.append(QVariant::fromValue(static_cast<QObject *>(chore)));
        return chores;
    }
    default: return {};
    }
}

QHash<int, QByteArray> JournalGroups::roleNames() const
{
    return {{HeaderRole, "header"}, {EndDateRole, "endDate"}, {ChoresRole, "chores"}, {DayRole, "day"}};
}

} // namespace Velmora

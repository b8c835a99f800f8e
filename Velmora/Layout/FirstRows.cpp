#include "Velmora/Layout/FirstRows.h"

#include <algorithm>

namespace Velmora {

FirstRows::FirstRows(QObject *parent) : QAbstractListModel(parent) {}

void FirstRows::setSource(QAbstractItemModel *source)
{
    if (source == m_source)
        return;
    aboutToReset();
    if (m_source)
        m_source->disconnect(this);
    m_source = source;
    if (m_source) {
        // Each change is told before the source makes it and once it is made, as views expect.
        connect(m_source, &QAbstractItemModel::rowsAboutToBeInserted, this, &FirstRows::aboutToInsert);
        connect(m_source, &QAbstractItemModel::rowsInserted, this, &FirstRows::inserted);
        connect(m_source, &QAbstractItemModel::rowsAboutToBeRemoved, this, &FirstRows::aboutToRemove);
        connect(m_source, &QAbstractItemModel::rowsRemoved, this, &FirstRows::removed);
        connect(m_source, &QAbstractItemModel::dataChanged, this, &FirstRows::changed);
        // The source never moves rows nor lays them out anew; should it, the rows start afresh.
        connect(m_source, &QAbstractItemModel::modelAboutToBeReset, this, &FirstRows::aboutToReset);
        connect(m_source, &QAbstractItemModel::modelReset, this, &FirstRows::reset);
        connect(m_source, &QAbstractItemModel::rowsAboutToBeMoved, this, &FirstRows::aboutToReset);
        connect(m_source, &QAbstractItemModel::rowsMoved, this, &FirstRows::reset);
        connect(m_source, &QAbstractItemModel::layoutAboutToBeChanged, this, &FirstRows::aboutToReset);
        connect(m_source, &QAbstractItemModel::layoutChanged, this, &FirstRows::reset);
        connect(m_source, &QObject::destroyed, this, [this] {
            aboutToReset();
            reset();
        });
    }
    reset();
    emit sourceChanged();
}

void FirstRows::setLimit(int limit)
{
    limit = std::max(0, limit);
    if (limit == m_limit)
        return;
    m_limit = limit;
    fit();
    emit limitChanged();
}

int FirstRows::sourceRows() const
{
    return m_source ? m_source->rowCount() : 0;
}

void FirstRows::fit()
{
    const int wanted = std::min(m_limit, sourceRows());
    if (wanted == m_count)
        return;
    if (wanted > m_count) {
        beginInsertRows({}, m_count, wanted - 1);
        m_count = wanted;
        endInsertRows();
    } else {
        beginRemoveRows({}, wanted, m_count - 1);
        m_count = wanted;
        endRemoveRows();
    }
    emit countChanged();
}

void FirstRows::aboutToReset()
{
    beginResetModel();
}

void FirstRows::reset()
{
    const int before = m_count;
    m_count = std::min(m_limit, sourceRows());
    endResetModel();
    if (m_count != before)
        emit countChanged();
}

void FirstRows::aboutToInsert(const QModelIndex &parent, int first, int last)
{
    m_inserting = 0;
    if (parent.isValid() || first >= m_limit)
        return;
    // A full page first lets go of the rows the new ones push past the limit.
    m_inserting = std::min(last, m_limit - 1) - first + 1;
    const int over = m_count + m_inserting - m_limit;
    if (over > 0) {
        beginRemoveRows({}, m_count - over, m_count - 1);
        m_count -= over;
        endRemoveRows();
    }
    beginInsertRows({}, first, first + m_inserting - 1);
}

void FirstRows::inserted()
{
    if (m_inserting > 0) {
        m_count += m_inserting;
        m_inserting = 0;
        endInsertRows();
        emit countChanged();
    }
    fit();
}

void FirstRows::aboutToRemove(const QModelIndex &parent, int first, int last)
{
    m_removing = 0;
    if (parent.isValid() || first >= m_count)
        return;
    m_removing = std::min(last, m_count - 1) - first + 1;
    beginRemoveRows({}, first, first + m_removing - 1);
}

void FirstRows::removed()
{
    if (m_removing > 0) {
        m_count -= m_removing;
        m_removing = 0;
        endRemoveRows();
        emit countChanged();
    }
    // Rows after them move up into the limit.
    fit();
}

void FirstRows::changed(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    if (topLeft.parent().isValid() || topLeft.row() >= m_count)
        return;
    emit dataChanged(index(topLeft.row()), index(std::min(bottomRight.row(), m_count - 1)), roles);
}

int FirstRows::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_count;
}

QVariant FirstRows::data(const QModelIndex &index, int role) const
{
    if (!m_source || !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    return m_source->data(m_source->index(index.row(), 0), role);
}

QHash<int, QByteArray> FirstRows::roleNames() const
{
    return m_source ? m_source->roleNames() : QAbstractListModel::roleNames();
}

} // namespace Velmora

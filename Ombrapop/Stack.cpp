#include "Ombrapop/Stack.h"

namespace Ombrapop {

Stack::Stack(QObject *parent)
    : QAbstractListModel(parent)
{
}

QStringList Stack::ids() const
{
    QStringList out;
    out.reserve(m_popups.size());
    for (const StackItem &item : m_popups)
        out.append(item.id);
    return out;
}

int Stack::indexOf(const QString &id) const
{
    for (qsizetype i = 0; i < m_popups.size(); ++i) {
        if (m_popups[i].id == id)
            return int(i);
    }
    return -1;
}

bool Stack::push(StackItem item)
{
    if (indexOf(item.id) >= 0)
        return false;
    const int row = count();
    beginInsertRows({}, row, row);
    m_popups.append(std::move(item));
    endInsertRows();
    emit popupsChanged();
    emit countChanged();
    return true;
}

bool Stack::push(const QString &id, QQmlComponent *component, const QVariant &value, const QJSValue &dismiss)
{
    return push(StackItem{id, component, value, dismiss});
}

bool Stack::remove(const QString &id)
{
    // Ids are unique, so at most one row goes.
    const int row = indexOf(id);
    if (row < 0)
        return false;
    beginRemoveRows({}, row, row);
    m_popups.removeAt(row);
    endRemoveRows();
    emit popupsChanged();
    emit countChanged();
    return true;
}

bool Stack::close(const QString &id)
{
    const int row = indexOf(id);
    if (row < 0)
        return false;
    QJSValue dismiss = m_popups[row].dismiss;
    remove(id);
    if (dismiss.isCallable())
        dismiss.call();
    return true;
}

QQmlComponent *Stack::componentOf(const QString &id) const
{
    const int row = indexOf(id);
    return row < 0 ? nullptr : m_popups[row].component.data();
}

QVariant Stack::valueOf(const QString &id) const
{
    const int row = indexOf(id);
    return row < 0 ? QVariant() : m_popups[row].value;
}

int Stack::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QVariant Stack::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    const StackItem &item = m_popups[index.row()];
    switch (role) {
    case IdRole:
    case Qt::DisplayRole:
        return item.id;
    case ComponentRole:
        return QVariant::fromValue(item.component.data());
    case ValueRole:
        return item.value;
    default:
        return {};
    }
}

QHash<int, QByteArray> Stack::roleNames() const
{
    return {{IdRole, "popupId"}, {ComponentRole, "component"}, {ValueRole, "value"}};
}

} // namespace Ombrapop

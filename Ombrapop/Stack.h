#pragma once

#include <QAbstractListModel>
#include <QJSValue>
#include <QPointer>
#include <QQmlComponent>
#include <QStringList>
#include <QtQml/qqmlregistration.h>

namespace Ombrapop {

struct StackItem {
    QString id;
    QPointer<QQmlComponent> component;
    QVariant value;   // the value the popup was presented with
    QJSValue dismiss; // run after the item leaves through close()
};

// The popups shown over a screen, bottom first. Ids are unique; every change is one model change
// followed by one popupsChanged.
class Stack : public QAbstractListModel
{
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int count READ count NOTIFY countChanged)
    Q_PROPERTY(QStringList ids READ ids NOTIFY popupsChanged)

public:
    enum Role { IdRole = Qt::UserRole + 1, ComponentRole, ValueRole };

    explicit Stack(QObject *parent = nullptr);

    int count() const { return int(m_popups.size()); }
    QStringList ids() const;
    const QList<StackItem> &popups() const { return m_popups; }

    bool push(StackItem item);
    Q_INVOKABLE bool push(const QString &id, QQmlComponent *component, const QVariant &value = {},
                          const QJSValue &dismiss = {});
    Q_INVOKABLE bool remove(const QString &id);
    // Removes the item, then runs its dismiss action.
    Q_INVOKABLE bool close(const QString &id);

    Q_INVOKABLE int indexOf(const QString &id) const;
    Q_INVOKABLE QQmlComponent *componentOf(const QString &id) const;
    Q_INVOKABLE QVariant valueOf(const QString &id) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void popupsChanged();
    void countChanged();

private:
    QList<StackItem> m_popups;
};

} // namespace Ombrapop

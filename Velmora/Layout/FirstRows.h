#pragma once

#include <QAbstractListModel>
#include <QPointer>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// The first rows of a list model, as many as `limit`: a view that makes its items as they come
// near makes no item, and no delegate, for a row it has not reached. It follows the source's
// inserts, removals and data changes row by row.
class FirstRows : public QAbstractListModel {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QAbstractItemModel *source READ source WRITE setSource NOTIFY sourceChanged)
    Q_PROPERTY(int limit READ limit WRITE setLimit NOTIFY limitChanged)
    Q_PROPERTY(int count READ count NOTIFY countChanged)

public:
    explicit FirstRows(QObject *parent = nullptr);

    QAbstractItemModel *source() const { return m_source; }
    void setSource(QAbstractItemModel *source);
    int limit() const { return m_limit; }
    void setLimit(int limit);
    int count() const { return m_count; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void sourceChanged();
    void limitChanged();
    void countChanged();

private:
    int sourceRows() const;
    // Shows rows [m_count, wanted) or lets go of rows [wanted, m_count).
    void fit();
    void aboutToReset();
    // Ends what aboutToReset() began, counting the rows afresh.
    void reset();
    void aboutToInsert(const QModelIndex &parent, int first, int last);
    void inserted();
    void aboutToRemove(const QModelIndex &parent, int first, int last);
    void removed();
    void changed(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles);

    QPointer<QAbstractItemModel> m_source;
    int m_limit = 0;
    int m_count = 0;
    // Rows of a change told but not made yet.
    int m_inserting = 0;
    int m_removing = 0;
};

} // namespace Velmora

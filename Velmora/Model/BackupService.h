#pragma once

#include "Velmora/Model/ChoreStore.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

namespace Velmora {

// Backup, restore and calendar export for QML. Each call answers {"ok": bool, "message": one
// sentence for the user}.
class BackupService : public QObject {
    Q_OBJECT
    QML_NAMED_ELEMENT(Backup)
    Q_PROPERTY(Velmora::ChoreStore *store READ store WRITE setStore NOTIFY storeChanged)

public:
    explicit BackupService(QObject *parent = nullptr);

    ChoreStore *store() const { return m_store; }
    void setStore(ChoreStore *store);

    Q_INVOKABLE QVariantMap exportTo(const QUrl &url) const;
    Q_INVOKABLE QVariantMap restoreFrom(const QUrl &url);
    Q_INVOKABLE QVariantMap exportCalendar(const QUrl &url) const;

signals:
    void storeChanged();

private:
    QPointer<ChoreStore> m_store;
};

} // namespace Velmora

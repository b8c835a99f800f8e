#pragma once

#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreStore.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QVariantMap>

namespace Velmora {

// Backup, restore and calendar export for QML. Each call answers {"ok": bool, "message": one
// sentence for the user}. A restore is a change like any other, made through the changes.
class BackupService : public QObject {
    Q_OBJECT
    Q_PROPERTY(Velmora::ChoreChanges *changes READ changes WRITE setChanges NOTIFY changesChanged)

public:
    explicit BackupService(QObject *parent = nullptr);

    ChoreChanges *changes() const { return m_changes; }
    void setChanges(ChoreChanges *changes);

    Q_INVOKABLE QVariantMap exportTo(const QUrl &url) const;
    Q_INVOKABLE QVariantMap restoreFrom(const QUrl &url);
    Q_INVOKABLE QVariantMap exportCalendar(const QUrl &url) const;

signals:
    void changesChanged();

private:
    // The open store behind the changes, or null.
    ChoreStore *openStore() const;

    QPointer<ChoreChanges> m_changes;
};

} // namespace Velmora

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
    // Where the save dialogs open: Documents, or home where there is no such folder (a dialog
    // given a missing folder opens in the one the app was started from).
    Q_INVOKABLE QUrl saveFolder() const;
    // The backup's name offered there: "Taskarello backup 2026-12-08.json", today in the user's zone.
    Q_INVOKABLE QUrl suggestedBackupFile() const;
    // The calendar export's: "Taskarello chores 2026-12-08.ics".
    Q_INVOKABLE QUrl suggestedCalendarFile() const;

signals:
    void changesChanged();

private:
    // The open store behind the changes, or null.
    const ChoreStore *openStore() const;
    // name, with today for its %1, in the save folder.
    QUrl suggested(const QString &name) const;

    QPointer<ChoreChanges> m_changes;
};

} // namespace Velmora

#include "Velmora/Model/BackupService.h"

#include "Velmora/Model/CalendarExport.h"
#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"

#include <QDir>
#include <QStandardPaths>

namespace Velmora {

namespace {

QVariantMap result(bool ok, const QString &message)
{
    return {{QStringLiteral("ok"), ok}, {QStringLiteral("message"), message}};
}

// Only files on this machine; a dialog hands back file: URLs.
QString localPath(const QUrl &url)
{
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

BackupService::BackupService(QObject *parent) : QObject(parent) {}

void BackupService::setChanges(ChoreChanges *changes)
{
    if (m_changes == changes)
        return;
    m_changes = changes;
    emit changesChanged();
}

const ChoreStore *BackupService::openStore() const
{
    const ChoreStore *store = m_changes ? m_changes->store() : nullptr;
    return store && store->isOpen() ? store : nullptr;
}

QVariantMap BackupService::exportTo(const QUrl &url) const
{
    const ChoreStore *store = openStore();
    if (!store)
        return result(false, tr("The chore store is not open, so nothing was backed up."));
    const QString path = localPath(url);
    if (path.isEmpty())
        return result(false, tr("Backups can only be written to a local file."));
    int count = 0;
    const ChoreBackup::Encoded encoded = ChoreBackup::encode(*store, &count);
    if (!encoded.error.isEmpty())
        return result(false, encoded.error);
    if (const QString error = ChoreBackup::writeFile(path, encoded.bytes); !error.isEmpty())
        return result(false, error);
    return result(true, tr("Backed up %n chore(s).", nullptr, count));
}

QVariantMap BackupService::restoreFrom(const QUrl &url)
{
    if (!openStore())
        return result(false, tr("The chore store is not open, so nothing was restored."));
    const QString path = localPath(url);
    if (path.isEmpty())
        return result(false, tr("Backups can only be read from a local file."));
    const ChoreBackup::Encoded file = ChoreBackup::readFile(path);
    if (!file.error.isEmpty())
        return result(false, file.error);
    const ChoreBackup::Restored restored = m_changes->restore(file.bytes);
    return result(restored.ok, restored.message);
}

QVariantMap BackupService::exportCalendar(const QUrl &url) const
{
    const ChoreStore *store = openStore();
    if (!store)
        return result(false, tr("The chore store is not open, so no calendar was written."));
    const QString path = localPath(url);
    if (path.isEmpty())
        return result(false, tr("Calendars can only be written to a local file."));
    int count = 0;
    const std::optional<QByteArray> bytes = CalendarExport::encode(*store, &count);
    if (!bytes)
        return result(false, tr("The chores could not be read from the store, so no calendar was written."));
    if (const QString error = ChoreBackup::writeFile(path, *bytes); !error.isEmpty())
        return result(false, error);
    return result(true, tr("Exported %n chore(s) to the calendar file.", nullptr, count));
}

QUrl BackupService::saveFolder() const
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QUrl::fromLocalFile(!documents.isEmpty() && QDir(documents).exists() ? documents : QDir::homePath());
}

QUrl BackupService::suggestedBackupFile() const
{
    //: The file name a backup is offered under; %1 is today as 2026-12-08.
    return suggested(tr("Taskarello backup %1.json"));
}

QUrl BackupService::suggestedCalendarFile() const
{
    //: The file name the calendar export is offered under; %1 is today as 2026-12-08.
    return suggested(tr("Taskarello chores %1.ics"));
}

QUrl BackupService::suggested(const QString &name) const
{
    const Clock &clock = Clock::current();
    const QString day = clock.now().toTimeZone(clock.timeZone()).date().toString(Qt::ISODate);
    return QUrl::fromLocalFile(QDir(saveFolder().toLocalFile()).filePath(name.arg(day)));
}

} // namespace Velmora

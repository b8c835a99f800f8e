#include "Velmora/Model/BackupService.h"

#include "Velmora/Model/CalendarExport.h"
#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreStore.h"

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

void BackupService::setStore(ChoreStore *store)
{
    if (m_store == store)
        return;
    m_store = store;
    emit storeChanged();
}

QVariantMap BackupService::exportTo(const QUrl &url) const
{
    if (!m_store || !m_store->isOpen())
        return result(false, tr("The chore store is not open, so nothing was backed up."));
    const QString path = localPath(url);
    if (path.isEmpty())
        return result(false, tr("Backups can only be written to a local file."));
    int count = 0;
    const ChoreBackup::Encoded encoded = ChoreBackup::encode(*m_store, &count);
    if (!encoded.error.isEmpty())
        return result(false, encoded.error);
    if (const QString error = ChoreBackup::writeFile(path, encoded.bytes); !error.isEmpty())
        return result(false, error);
    return result(true, tr("Backed up %n chore(s).", nullptr, count));
}

QVariantMap BackupService::restoreFrom(const QUrl &url)
{
    if (!m_store || !m_store->isOpen())
        return result(false, tr("The chore store is not open, so nothing was restored."));
    const QString path = localPath(url);
    if (path.isEmpty())
        return result(false, tr("Backups can only be read from a local file."));
    const ChoreBackup::Encoded file = ChoreBackup::readFile(path);
    if (!file.error.isEmpty())
        return result(false, file.error);
    const ChoreBackup::Restored restored = ChoreBackup::restore(*m_store, file.bytes);
    return result(restored.ok, restored.message);
}

QVariantMap BackupService::exportCalendar(const QUrl &url) const
{
    if (!m_store || !m_store->isOpen())
        return result(false, tr("The chore store is not open, so no calendar was written."));
    const QString path = localPath(url);
    if (path.isEmpty())
        return result(false, tr("Calendars can only be written to a local file."));
    int count = 0;
    const std::optional<QByteArray> bytes = CalendarExport::encode(*m_store, &count);
    if (!bytes)
        return result(false, tr("The chores could not be read from the store, so no calendar was written."));
    if (const QString error = ChoreBackup::writeFile(path, *bytes); !error.isEmpty())
        return result(false, error);
    return result(true, tr("Exported %n chore(s) to the calendar file.", nullptr, count));
}

} // namespace Velmora

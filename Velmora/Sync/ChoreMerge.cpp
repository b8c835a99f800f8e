#include "Velmora/Sync/ChoreMerge.h"

#include "Velmora/Sync/VTodoCodec.h"

namespace Velmora::Sync {

namespace {

void take(Chore::Field field, ChoreFields &into, const ChoreFields &from)
{
    switch (field) {
    case Chore::Field::Title: into.title = from.title; break;
    case Chore::Field::ColorComponents: into.colorComponents = from.colorComponents; break;
    case Chore::Field::StartDate: into.startDate = from.startDate; break;
    case Chore::Field::DueDate: into.dueDate = from.dueDate; break;
    case Chore::Field::EndDate: into.endDate = from.endDate; break;
    case Chore::Field::Notify: into.notify = from.notify; break;
    case Chore::Field::NotificationTime: into.notificationTime = from.notificationTime; break;
    }
}

} // namespace

MergedChore mergeChore(const std::optional<ChoreFields> &base, const ChoreFields &local, const QDateTime &localModified,
                       const ChoreFields &remote, const QDateTime &remoteModified, const QTimeZone &zone)
{
    MergedChore merged{local, 0, false};
    // An unknown time never beats a known one.
    const bool localLater = localModified.isValid() && (!remoteModified.isValid() || localModified > remoteModified);
    for (int i = 0; i <= int(Chore::Field::NotificationTime); ++i) {
        const auto field = Chore::Field(i);
        const bool same = VTodoCodec::sameField(field, local, remote, zone);
        const bool localChanged = !base || !VTodoCodec::sameField(field, *base, local, zone);
        const bool remoteChanged = !base || !VTodoCodec::sameField(field, *base, remote, zone);
        if (same || !remoteChanged)
            continue; // local stands, exactly as it is here
        if (!localChanged) {
            take(field, merged.fields, remote);
            continue;
        }
        ++merged.sameFieldConflicts;
        const bool finishedOnlyThere = field == Chore::Field::EndDate && remote.endDate && !local.endDate;
        const bool finishedOnlyHere = field == Chore::Field::EndDate && local.endDate && !remote.endDate;
        if (finishedOnlyThere || (!finishedOnlyHere && !localLater))
            take(field, merged.fields, remote);
    }
    for (int i = 0; i <= int(Chore::Field::NotificationTime); ++i)
        merged.differsFromRemote = merged.differsFromRemote || !VTodoCodec::sameField(Chore::Field(i), merged.fields, remote, zone);
    return merged;
}

} // namespace Velmora::Sync

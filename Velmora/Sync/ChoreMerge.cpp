#include "Velmora/Sync/ChoreMerge.h"

#include "Velmora/Model/ChoreField.h"
#include "Velmora/Sync/VTodoCodec.h"

namespace Velmora::Sync {

MergedChore mergeChore(const std::optional<ChoreState> &base, const ChoreState &local, const QDateTime &localModified,
                       const ChoreState &remote, const QDateTime &remoteModified, const QTimeZone &zone)
{
    MergedChore merged{local.fields, local.recurrence, local.people, 0, false};
    // An unknown time never beats a known one.
    const bool localLater = localModified.isValid() && (!remoteModified.isValid() || localModified > remoteModified);
    // Whether the server's value is taken, given what is equal: local to remote, base to each.
    const auto takeRemote = [&](bool same, bool baseIsLocal, bool baseIsRemote, bool finishedOnlyThere,
                                bool finishedOnlyHere) {
        if (same || (base && baseIsRemote))
            return false; // local stands, exactly as it is here
        if (base && baseIsLocal)
            return true;
        ++merged.sameFieldConflicts;
        return finishedOnlyThere || (!finishedOnlyHere && !localLater);
    };
    for (const ChoreField::Row &row : ChoreField::rows) {
        const Chore::Field field = row.field;
        const auto same = [&](const ChoreFields &a, const ChoreFields &b) { return VTodoCodec::sameField(field, a, b, zone); };
        const bool endField = field == Chore::Field::EndDate;
        if (takeRemote(same(local.fields, remote.fields), base && same(base->fields, local.fields),
                       base && same(base->fields, remote.fields), endField && remote.fields.endDate && !local.fields.endDate,
                       endField && local.fields.endDate && !remote.fields.endDate))
            ChoreField::take(field, merged.fields, remote.fields);
        merged.differsFromRemote = merged.differsFromRemote || !same(merged.fields, remote.fields);
    }
    const auto sameRule = [](const Recurrence &a, const Recurrence &b) { return VTodoCodec::sameRecurrence(a, b); };
    if (takeRemote(sameRule(local.recurrence, remote.recurrence), base && sameRule(base->recurrence, local.recurrence),
                   base && sameRule(base->recurrence, remote.recurrence), false, false))
        merged.recurrence = remote.recurrence;
    merged.differsFromRemote = merged.differsFromRemote || !sameRule(merged.recurrence, remote.recurrence);
    const auto mergePerson = [&](auto ChorePeople::*member) {
        const auto &here = local.people.*member;
        const auto &there = remote.people.*member;
        if (takeRemote(here == there, base && base->people.*member == here, base && base->people.*member == there, false,
                       false))
            merged.people.*member = there;
    };
    mergePerson(&ChorePeople::assignee);
    mergePerson(&ChorePeople::turns);
    mergePerson(&ChorePeople::finishedBy);
    // Turns from one side and whose turn from the other still make one order.
    merged.people = merged.people.cleaned();
    merged.differsFromRemote = merged.differsFromRemote || merged.people != remote.people;
    return merged;
}

} // namespace Velmora::Sync

#pragma once

#include "Velmora/Model/Chore.h"

#include <QDateTime>
#include <QTimeZone>

#include <optional>

namespace Velmora::Sync {

// One side of a merge: the chore's fields, how it repeats and who it is for.
struct ChoreState {
    ChoreFields fields;
    Recurrence recurrence;
    ChorePeople people;
};

struct MergedChore {
    ChoreFields fields;
    Recurrence recurrence;
    ChorePeople people;
    int sameFieldConflicts = 0; // fields both sides changed differently
    bool differsFromRemote = false;
};

// A chore changed here and on the server, merged field by field against the copy both started
// from (none: every field counts as changed on both sides); how it repeats counts as one more
// field, and so do the assignee, the turn order and the finisher. A field changed on one side takes that side's value; changed on both, finishing wins
// over not finishing, else the later change wins (the server's on a tie). Fields are compared
// as the VTODO holds them, in zone.
MergedChore mergeChore(const std::optional<ChoreState> &base, const ChoreState &local, const QDateTime &localModified,
                       const ChoreState &remote, const QDateTime &remoteModified, const QTimeZone &zone);

} // namespace Velmora::Sync

#pragma once

#include "Velmora/Model/Chore.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

namespace Velmora {

class ChoreStore;

// Follows one store for a reader that reads it whole (a count, a chore's history): one read per
// turn of the event loop after a change the reader cares for, so a batch (a restore, a sync run,
// a finish with its copy) is read once, and after its transaction.
class StoreFollower : public QObject {
    Q_OBJECT
public:
    // Whether a change matters: the chore added or going (no field), or which of its fields changed.
    using Matters = std::function<bool(const Chore &chore, std::optional<Chore::Field> field)>;

    StoreFollower(Matters matters, std::function<void()> read, QObject *parent = nullptr);

    ChoreStore *store() const { return m_store; }
    // False when it follows that store already.
    bool setStore(ChoreStore *store);
    // Reads in the next turn, whatever asked for it; several asks read once.
    void schedule();
    // Reads now, and not again in the next turn for what came before.
    void readNow();

private:
    QPointer<ChoreStore> m_store;
    Matters m_matters;
    std::function<void()> m_read;
    bool m_pending = false;
};

} // namespace Velmora

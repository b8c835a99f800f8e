#include "Velmora/Model/StoreFollower.h"

#include "Velmora/Model/ChoreStore.h"

#include <QTimer>

namespace Velmora {

StoreFollower::StoreFollower(Matters matters, std::function<void()> read, QObject *parent)
    : QObject(parent), m_matters(std::move(matters)), m_read(std::move(read))
{
}

bool StoreFollower::setStore(ChoreStore *store)
{
    if (m_store == store)
        return false;
    if (m_store)
        disconnect(m_store, nullptr, this, nullptr);
    m_store = store;
    if (!store)
        return true;
    const auto follow = [this](const Chore *chore, std::optional<Chore::Field> field) {
        if (chore && m_matters(*chore, field))
            schedule();
    };
    connect(store, &ChoreStore::inserted, this, [follow](Chore *chore) { follow(chore, std::nullopt); });
    connect(store, &ChoreStore::aboutToRemove, this, [follow](Chore *chore) { follow(chore, std::nullopt); });
    connect(store, &ChoreStore::changed, this, [follow](Chore *chore, Chore::Field field) { follow(chore, field); });
    return true;
}

void StoreFollower::schedule()
{
    if (m_pending)
        return;
    m_pending = true;
    QTimer::singleShot(0, this, [this] {
        if (m_pending)
            readNow();
    });
}

void StoreFollower::readNow()
{
    m_pending = false;
    m_read();
}

} // namespace Velmora

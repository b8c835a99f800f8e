#pragma once

#include "Velmora/Model/ChoreBackup.h"
#include "tests/Model/StoreFixture.h"

#include <algorithm>
#include <memory>

// The store fixture, plus the chores a store holds as comparable keys.
class BackupFixture : public StoreFixture {
protected:

    // Sorted match keys: equal for stores holding the same chores, however often each.
    static QList<QByteArray> keys(const Velmora::ChoreStore &store)
    {
        QList<QByteArray> all;
        for (const Velmora::Chore *chore : store.chores())
            all.append(Velmora::ChoreBackup::matchKey(chore->fields()));
        std::sort(all.begin(), all.end());
        return all;
    }

    static void wipe(Velmora::ChoreStore &store)
    {
        while (!store.chores().empty())
            ASSERT_TRUE(store.remove(store.chores().back()));
    }
};

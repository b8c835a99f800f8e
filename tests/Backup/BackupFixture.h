#pragma once

#include "Velmora/Model/ChoreBackup.h"
#include "Velmora/Model/ChoreStore.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

// A store in a fresh temporary folder, plus the chores it holds as comparable keys.
class BackupFixture : public ::testing::Test {
protected:
    QString storePath() const { return dir.filePath(QStringLiteral("store/chores.sqlite")); }

    std::unique_ptr<Velmora::ChoreStore> openStore()
    {
        auto store = std::make_unique<Velmora::ChoreStore>();
        EXPECT_EQ(store->open(storePath()), Velmora::ChoreStore::OpenResult::Opened) << qPrintable(store->lastError());
        return store;
    }

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

    QTemporaryDir dir;
};

#include "BackupFixture.h"

#include "Velmora/Model/ChoreQueryModel.h"
#include "tests/support/TestSupport.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>

using namespace Velmora;
using VelmoraTest::at;

namespace {

class InsertAllTest : public BackupFixture {
protected:
    static ChoreFields chore(const QString &title, int dueDay)
    {
        ChoreFields f;
        f.title = title;
        f.startDate = at("UTC", 2026, 1, 1);
        f.dueDate = at("UTC", 2026, 1, dueDay);
        return f;
    }

    // Rows on disk, as another connection sees them.
    int rowsOnDisk()
    {
        int rows = -1;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
            db.setDatabaseName(storePath());
            if (db.open()) {
                QSqlQuery query(db);
                if (query.exec(QStringLiteral("SELECT count(*) FROM Chore")) && query.next())
                    rows = query.value(0).toInt();
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("peek"));
        return rows;
    }

    void rawExec(const QString &statement)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            db.setDatabaseName(storePath());
            ASSERT_TRUE(db.open());
            QSqlQuery query(db);
            ASSERT_TRUE(query.exec(statement)) << qPrintable(statement);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }
};

TEST_F(InsertAllTest, AllLandInOrderAndQueriesFollowAfterTheCommit)
{
    auto store = openStore();
    ChoreQueryModel active(store.get(), ChoreQueryModel::Kind::Active);
    store->insert(chore(QStringLiteral("before"), 5));
    std::vector<int> rowsSeenBySignal;
    QObject::connect(store.get(), &ChoreStore::inserted, [&](Chore *) { rowsSeenBySignal.push_back(rowsOnDisk()); });

    const auto added = store->insertAll({chore(QStringLiteral("c"), 3), chore(QStringLiteral("a"), 1), chore(QStringLiteral("b"), 2)});

    ASSERT_TRUE(added.has_value());
    ASSERT_EQ(added->size(), 3u);
    EXPECT_EQ(added->at(0)->title(), QStringLiteral("c"));
    EXPECT_EQ(added->at(2)->title(), QStringLiteral("b"));
    EXPECT_LT(added->at(0)->persistentId(), added->at(1)->persistentId());
    // Every signal came after the whole batch was on disk.
    EXPECT_EQ(rowsSeenBySignal, (std::vector<int>{4, 4, 4}));
    ASSERT_EQ(active.rowCount(), 4);
    EXPECT_EQ(active.at(0)->title(), QStringLiteral("a"));
    EXPECT_EQ(active.at(3)->title(), QStringLiteral("before"));
    EXPECT_EQ(store->chore(added->at(1)->persistentId()), added->at(1));

    store.reset();
    auto reopened = openStore();
    EXPECT_EQ(reopened->chores().size(), 4u);
}

TEST_F(InsertAllTest, AnEmptyBatchSucceedsAndWritesNothing)
{
    auto store = openStore();
    QSignalSpy inserted(store.get(), &ChoreStore::inserted);
    const auto added = store->insertAll({});
    ASSERT_TRUE(added.has_value());
    EXPECT_TRUE(added->empty());
    EXPECT_EQ(inserted.count(), 0);
}

TEST_F(InsertAllTest, ARowFailingMidwayLeavesNothingBehind)
{
    {
        auto store = openStore();
        store->insert(chore(QStringLiteral("kept"), 1));
    }
    // The third row of the batch is refused by the database itself.
    rawExec(QStringLiteral("CREATE TRIGGER poison BEFORE INSERT ON Chore WHEN NEW.title = 'poison'"
                           " BEGIN SELECT RAISE(ABORT, 'poisoned'); END"));
    auto store = openStore();
    ChoreQueryModel active(store.get(), ChoreQueryModel::Kind::Active);
    QSignalSpy inserted(store.get(), &ChoreStore::inserted);
    QSignalSpy failed(store.get(), &ChoreStore::writeFailed);

    const auto added = store->insertAll({chore(QStringLiteral("one"), 2), chore(QStringLiteral("two"), 3),
                                         chore(QStringLiteral("poison"), 4), chore(QStringLiteral("four"), 5)});

    EXPECT_FALSE(added.has_value());
    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(failed.count(), 1);
    EXPECT_EQ(store->chores().size(), 1u);
    EXPECT_EQ(active.rowCount(), 1);
    EXPECT_EQ(rowsOnDisk(), 1);
    // The store is still usable after the rollback.
    EXPECT_NE(store->insert(chore(QStringLiteral("after"), 6)), nullptr);
    EXPECT_EQ(rowsOnDisk(), 2);
}

TEST_F(InsertAllTest, ALockedFileRefusesTheWholeBatch)
{
    auto store = openStore();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("locker"));
    {
        db.setDatabaseName(storePath());
        ASSERT_TRUE(db.open());
        QSqlQuery lock(db);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN IMMEDIATE")));
        EXPECT_FALSE(store->insertAll({chore(QStringLiteral("x"), 1)}).has_value());
        EXPECT_TRUE(store->chores().empty());
        ASSERT_TRUE(lock.exec(QStringLiteral("ROLLBACK")));
        db.close();
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("locker"));
    EXPECT_TRUE(store->insertAll({chore(QStringLiteral("x"), 1)}).has_value());
}

TEST_F(InsertAllTest, AClosedStoreRefuses)
{
    ChoreStore store;
    EXPECT_FALSE(store.insertAll({chore(QStringLiteral("x"), 1)}).has_value());
}

} // namespace

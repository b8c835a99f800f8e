#include "Velmora/App/Router.h"
#include "Velmora/Model/ChoreStore.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace Velmora;

namespace {

class RouterTest : public ::testing::Test {
protected:
    void SetUp() override { openStore(); }

    void openStore()
    {
        store = std::make_unique<ChoreStore>();
        ASSERT_EQ(store->open(dir.filePath(QStringLiteral("chores.sqlite"))), ChoreStore::OpenResult::Opened);
    }

    Chore *add(const QString &title)
    {
        ChoreFields fields = ChoreFields::defaults();
        fields.title = title;
        return store->insert(fields);
    }

    QTemporaryDir dir;
    std::unique_ptr<ChoreStore> store;
    Router router;
    QSignalSpy spy{&router, &Router::pathChanged};
};

TEST_F(RouterTest, PagesCompareAndHashByCaseAndChore)
{
    Chore *a = add(QStringLiteral("same title"));
    Chore *b = add(QStringLiteral("same title"));
    ASSERT_TRUE(a && b);
    struct Case {
        RouterPage left;
        RouterPage right;
        bool equal;
    };
    const Case cases[] = {
        {RouterPage(Router::viewChore, a), RouterPage(Router::viewChore, a), true},
        {RouterPage(Router::viewChore, a), RouterPage(Router::updateChore, a), false},
        {RouterPage(Router::viewChore, a), RouterPage(Router::viewChore, b), false},
        {RouterPage(Router::repeatChore, a), RouterPage(Router::copyChore, a), false},
        {RouterPage(Router::journalChore, b), RouterPage(Router::journalChore, b), true},
        {RouterPage(Router::addChore), RouterPage(Router::addChore, a), true},
        {RouterPage(Router::journal), RouterPage(Router::journal), true},
        {RouterPage(Router::journal), RouterPage(Router::addChore), false},
        {RouterPage(Router::syncAccount, a), RouterPage(Router::syncAccount), true},
        {RouterPage(Router::syncAccount), RouterPage(Router::journal), false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.left == c.right, c.equal) << int(c.left.kind()) << " vs " << int(c.right.kind());
        if (c.equal) {
            EXPECT_EQ(qHash(c.left), qHash(c.right));
        }
    }
    const QSet<RouterPage> set{RouterPage(Router::viewChore, a), RouterPage(Router::viewChore, a),
                               RouterPage(Router::viewChore, b), RouterPage(Router::updateChore, a)};
    EXPECT_EQ(set.size(), 3);
}

TEST_F(RouterTest, PagesFollowStoredIdentityNotTheObject)
{
    Chore *chore = add(QStringLiteral("t"));
    ASSERT_TRUE(chore);
    const qint64 id = chore->persistentId();
    const RouterPage before(Router::viewChore, chore);
    openStore();
    Chore *reopened = store->chore(id);
    ASSERT_TRUE(reopened);
    EXPECT_EQ(before, RouterPage(Router::viewChore, reopened));
    EXPECT_EQ(qHash(before), qHash(RouterPage(Router::viewChore, reopened)));
}

TEST_F(RouterTest, PushPopAndPopToRootNotifyEveryAssignment)
{
    Chore *chore = add(QStringLiteral("t"));
    ASSERT_TRUE(chore);
    EXPECT_EQ(router.depth(), 0);

    // Root, detail screen, editor repeating it: saving empties the whole path.
    EXPECT_TRUE(router.push(Router::viewChore, chore));
    EXPECT_TRUE(router.push(Router::repeatChore, chore));
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(router.depth(), 2);
    EXPECT_EQ(router.kindAt(0), Router::viewChore);
    EXPECT_EQ(router.kindAt(1), Router::repeatChore);
    EXPECT_EQ(router.choreAt(1), chore);
    router.popToRoot();
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(router.depth(), 0);

    // Detail, then updating it: saving pops only the editor.
    router.push(Router::viewChore, chore);
    router.push(Router::updateChore, chore);
    router.pop();
    EXPECT_EQ(router.path(), QList<RouterPage>{RouterPage(Router::viewChore, chore)});
    EXPECT_EQ(spy.count(), 6);

    // Assigning the same path, or emptying an empty one, still notifies.
    router.setPath(router.path());
    EXPECT_EQ(spy.count(), 7);
    router.pop();
    router.popToRoot();
    EXPECT_EQ(spy.count(), 9);
    router.pop();
    EXPECT_EQ(spy.count(), 9) << "nothing to pop";
}

TEST_F(RouterTest, RefusesUnknownCasesAndMissingChores)
{
    for (const int kind : {-1, 8, 99, int(Router::viewChore), int(Router::updateChore), int(Router::journalChore)})
        EXPECT_FALSE(router.push(kind, nullptr)) << kind;
    EXPECT_EQ(spy.count(), 0);
    EXPECT_TRUE(router.push(Router::addChore, nullptr));
    EXPECT_TRUE(router.push(Router::journal));
    EXPECT_EQ(router.kindAt(-1), -1);
    EXPECT_EQ(router.kindAt(2), -1);
    EXPECT_EQ(router.choreAt(5), nullptr);
    EXPECT_EQ(router.choreAt(0), nullptr);
}

TEST_F(RouterTest, BothSpellingsOfACaseAreOneValue)
{
    const QMetaEnum kinds = QMetaEnum::fromType<Router::Kind>();
    const char *names[][2] = {{"viewChore", "ViewChore"}, {"addChore", "AddChore"}, {"updateChore", "UpdateChore"},
                              {"repeatChore", "RepeatChore"}, {"copyChore", "CopyChore"}, {"journal", "Journal"},
                              {"journalChore", "JournalChore"}, {"syncAccount", "SyncAccount"}};
    for (int i = 0; i < int(std::size(names)); ++i) {
        bool ok = false;
        EXPECT_EQ(kinds.keyToValue(names[i][0], &ok), i);
        EXPECT_TRUE(ok);
        EXPECT_EQ(kinds.keyToValue(names[i][1], &ok), i);
        EXPECT_TRUE(ok);
    }
}

TEST_F(RouterTest, APageOutlivesItsDeletedChore)
{
    Chore *chore = add(QStringLiteral("t"));
    ASSERT_TRUE(chore);
    const RouterPage page(Router::viewChore, chore);
    router.push(page);
    ASSERT_TRUE(store->remove(chore));
    // The store lets the object go by deleteLater.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(router.depth(), 1);
    EXPECT_EQ(router.choreAt(0), nullptr);
    EXPECT_EQ(router.path().first(), page);
    EXPECT_EQ(qHash(router.path().first()), qHash(page));
}

} // namespace

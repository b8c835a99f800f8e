#include "StoreFixture.h"

#include "tests/support/TestSupport.h"

#include <QFile>
#include <QRandomGenerator>

#include <chrono>

using namespace Velmora;

namespace {

class StoreOpenFuzzTest : public StoreFixture {};

// Damaged copies of a real store: every open either succeeds and reads sound chores, or
// refuses and leaves the bytes exactly as they were. Seeded, so a failure can be replayed.
TEST_F(StoreOpenFuzzTest, DamagedFilesNeverCrashAndAreNeverRewrittenWhenRefused)
{
    {
        auto store = openStore();
        for (int i = 0; i < 40; ++i) {
            ChoreFields f = ChoreFields::defaults();
            f.title = QStringLiteral("chore %1 ✓").arg(i);
            f.endDate = i % 3 ? std::nullopt : std::optional(f.startDate.addSecs(i));
            ASSERT_NE(store->insert(f), nullptr);
        }
    }
    // Fold the log into the main file so the damage hits real pages.
    rawExec({QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"), QStringLiteral("PRAGMA journal_mode=DELETE")});
    const QByteArray pristine = VelmoraTest::readAll(storePath());
    ASSERT_GT(pristine.size(), 4096);

    const int seconds = qEnvironmentVariableIntValue("VELMORA_FUZZ_SECONDS");
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds > 0 ? seconds : 3);
    QRandomGenerator random(20261206);
    int rounds = 0, opened = 0, refusedWrites = 0;
    while (std::chrono::steady_clock::now() < deadline || rounds < 50) {
        QByteArray bytes = pristine;
        switch (random.bounded(4)) {
        case 0: // flip a few bytes anywhere
            for (int n = random.bounded(1, 8); n > 0; --n)
                bytes[random.bounded(int(bytes.size()))] = char(random.bounded(256));
            break;
        case 1: // cut the file short
            bytes.truncate(random.bounded(int(bytes.size())));
            break;
        case 2: // damage the header
            bytes[random.bounded(100)] = char(random.bounded(256));
            break;
        default: // overwrite a whole page with noise
        {
            const int page = random.bounded(int(bytes.size() / 4096)) * 4096;
            for (int i = page; i < page + 4096 && i < bytes.size(); ++i)
                bytes[i] = char(random.bounded(256));
        }
        }
        QFile::remove(storePath() + QStringLiteral("-wal"));
        QFile::remove(storePath() + QStringLiteral("-shm"));
        {
            QFile file(storePath());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        ChoreStore store;
        const ChoreStore::OpenResult result = store.open(storePath());
        if (result == ChoreStore::OpenResult::Opened) {
            ++opened;
            for (const Chore *chore : store.chores()) {
                chore->timeLeftText(chore->startDate(), true, true);
                EXPECT_TRUE(chore->color().isValid());
            }
            // Damage opening did not read is found before the first write, which then leaves
            // the file as opening left it.
            const QByteArray opened = VelmoraTest::readAll(storePath());
            const QByteArray log = VelmoraTest::readAll(storePath() + QStringLiteral("-wal"));
            if (!store.insert(ChoreFields::defaults())) {
                ++refusedWrites;
                ASSERT_EQ(VelmoraTest::readAll(storePath()), opened) << "round " << rounds;
                ASSERT_EQ(VelmoraTest::readAll(storePath() + QStringLiteral("-wal")), log) << "round " << rounds;
            }
        } else {
            ASSERT_EQ(VelmoraTest::readAll(storePath()), bytes) << "round " << rounds;
        }
        ++rounds;
    }
    RecordProperty("rounds", rounds);
    RecordProperty("opened", opened);
    RecordProperty("refusedWrites", refusedWrites);
    EXPECT_GT(rounds, 0);
}

} // namespace

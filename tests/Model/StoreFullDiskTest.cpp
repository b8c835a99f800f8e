#include "ChoreLine.h"
#include "StoreFixture.h"

#include <QFile>
#include <QProcess>
#include <QScopeGuard>

#include <unistd.h>

#include <algorithm>

using namespace Velmora;

namespace {

class StoreFullDiskTest : public StoreFixture {
protected:
    QStringList storedLines()
    {
        auto store = openStore();
        QStringList lines;
        for (const Chore *c : store->chores())
            lines.append(choreLine(c->persistentId(), c->fields()));
        lines.sort();
        return lines;
    }

    enum class Outcome { Failed, Refused, NothingFitted, SomeFitted };
    void seedThirtyChores();
    Outcome runChildUntilFull(qint64 limit, const QStringList &before, const std::function<void()> &makeRoom = {});

};

// The child works on the store until writes fail, then tries every kind of change again; it
// sees its writes fail as failures and never crashes, and the file it leaves is sound and holds
// exactly the changes that were reported as made. `limit` is a file-size limit for the child,
// 0 for none; `before` what the store held; `makeRoom` frees the disk again, as a user would
// before starting the app anew (opening needs room for the log).
StoreFullDiskTest::Outcome StoreFullDiskTest::runChildUntilFull(qint64 limit, const QStringList &before,
                                                              const std::function<void()> &makeRoom)
{
    QProcess child;
    child.start(QStringLiteral(STORE_FULL_DISK), {storePath(), QString::number(limit)});
    EXPECT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << "the child crashed";
    EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0)
        return Outcome::Failed;
    const QList<QByteArray> out = child.readAllStandardOutput().split('\n');
    if (makeRoom)
        makeRoom();

    QStringList expected, violations;
    QSet<QByteArray> failedKinds;
    for (const QByteArray &line : out) {
        if (line.startsWith("expect "))
            expected.append(QString::fromUtf8(line.mid(7)));
        else if (line.startsWith("violation "))
            violations.append(QString::fromUtf8(line.mid(10)));
        else if (line.startsWith("failed "))
            failedKinds.insert(line.split(' ').at(1));
    }
    EXPECT_TRUE(violations.isEmpty()) << qPrintable(violations.join(QLatin1Char('\n')));
    EXPECT_EQ(rawValue(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    if (out.first().startsWith("open-refused")) {
        // Too little room even to open: refused, and the file is as it was.
        EXPECT_TRUE(storedLines() == before);
        return Outcome::Refused;
    }
    EXPECT_TRUE(out.first() == "opened 30") << out.first().toStdString();
    EXPECT_EQ(failedKinds.size(), 8) << "every kind of change was refused once the disk was full";
    expected.sort();
    const QStringList stored = storedLines();
    EXPECT_EQ(stored.join(QLatin1Char('\n')).toStdString(), expected.join(QLatin1Char('\n')).toStdString());
    rawExec({}); // the file still opens for another writer
    return stored == before ? Outcome::NothingFitted : Outcome::SomeFitted;
}

void StoreFullDiskTest::seedThirtyChores()
{
    for (const char *suffix : {"", "-wal", "-shm"})
        QFile::remove(storePath() + QLatin1String(suffix));
    auto store = openStore();
    for (int i = 0; i < 30; ++i) {
        ChoreFields f = ChoreFields::defaults();
        f.title = QStringLiteral("existing %1").arg(i);
        f.endDate = i % 4 ? std::nullopt : std::optional(f.startDate.addSecs(i));
        ASSERT_NE(store->insert(f), nullptr);
    }
}

// A file-size limit stands in for a full disk. Limits a page apart move the point where the
// disk fills across every kind of change, including between the writes of one save.
TEST_F(StoreFullDiskTest, WritesFailAsFailuresAndTheFileHoldsExactlyWhatSucceeded)
{
    constexpr int pageFrame = 4096 + 24; // one page in the write-ahead log
    QList<qint64> limits;
    for (int i = 0; i < 16; ++i)
        limits.append(40000 + i * pageFrame);
    limits.append(300000);
    for (const qint64 limit : limits) {
        SCOPED_TRACE(QStringLiteral("limit %1 bytes").arg(limit).toStdString());
        seedThirtyChores();
        ASSERT_FALSE(HasFatalFailure());
        EXPECT_EQ(runChildUntilFull(limit, storedLines()), Outcome::SomeFitted) << "some writes fit under every limit";
    }
}

// The same on a really full file system (ENOSPC, not EFBIG): a small tmpfs, filled up to a few
// pages short of full. Needs root to mount it.
TEST_F(StoreFullDiskTest, RealFullFileSystem)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    QTemporaryDir mountPoint;
    if (QProcess::execute(QStringLiteral("mount"), {QStringLiteral("-t"), QStringLiteral("tmpfs"), QStringLiteral("-o"),
                                                    QStringLiteral("size=1m"), QStringLiteral("tmpfs"), mountPoint.path()}) != 0)
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {QStringLiteral("-l"), mountPoint.path()}); });
    storeFolder = mountPoint.path();
    QSet<Outcome> outcomes;
    // From too little room to open (the log index alone takes 8 pages) to room for a few saves.
    for (const int freePages : {1, 4, 8, 9, 10, 12, 16, 24, 40}) {
        SCOPED_TRACE(QStringLiteral("%1 pages free").arg(freePages).toStdString());
        seedThirtyChores();
        ASSERT_FALSE(HasFatalFailure());
        const QStringList before = storedLines();
        // Fill the rest, then give back the pages the child may use.
        QFile filler(mountPoint.filePath(QStringLiteral("filler")));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
        filler.close();
        ASSERT_TRUE(filler.resize(std::max<qint64>(0, filler.size() - freePages * 4096)));
        outcomes.insert(runChildUntilFull(0, before, [&] { QFile::remove(filler.fileName()); }));
    }
    EXPECT_TRUE(outcomes.contains(Outcome::Refused));
    EXPECT_TRUE(outcomes.contains(Outcome::SomeFitted));
    EXPECT_FALSE(outcomes.contains(Outcome::Failed));
}

} // namespace

#include "ChoreLine.h"
#include "StoreFixture.h"

#include <QFile>
#include <QProcess>

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

    bool integrityOk()
    {
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("integrity"));
            db.setDatabaseName(storePath());
            QSqlQuery query(db);
            ok = db.open() && query.exec(QStringLiteral("PRAGMA integrity_check")) && query.next()
                && query.value(0).toString() == QLatin1String("ok");
        }
        QSqlDatabase::removeDatabase(QStringLiteral("integrity"));
        return ok;
    }
};

// A file-size limit stands in for a full disk. Whatever the limit, the child sees its
// writes fail as failures and never crashes, and the file it leaves is sound and holds
// exactly the changes that were reported as made. Limits a page apart move the point where
// the disk fills across every kind of change, including between the writes of one save.
TEST_F(StoreFullDiskTest, WritesFailAsFailuresAndTheFileHoldsExactlyWhatSucceeded)
{
    constexpr int pageFrame = 4096 + 24; // one page in the write-ahead log
    QList<qint64> limits;
    for (int i = 0; i < 16; ++i)
        limits.append(40000 + i * pageFrame);
    limits.append(300000);
    for (const qint64 limit : limits) {
        SCOPED_TRACE(QStringLiteral("limit %1 bytes").arg(limit).toStdString());
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(storePath() + QLatin1String(suffix));
        {
            auto store = openStore();
            for (int i = 0; i < 30; ++i) {
                ChoreFields f = ChoreFields::defaults();
                f.title = QStringLiteral("existing %1").arg(i);
                f.endDate = i % 4 ? std::nullopt : std::optional(f.startDate.addSecs(i));
                ASSERT_NE(store->insert(f), nullptr);
            }
        }
        const QStringList before = storedLines();

        QProcess child;
        child.start(QStringLiteral(STORE_FULL_DISK), {storePath(), QString::number(limit)});
        ASSERT_TRUE(child.waitForFinished(60000));
        ASSERT_EQ(child.exitStatus(), QProcess::NormalExit) << "the child crashed";
        ASSERT_EQ(child.exitCode(), 0) << child.readAllStandardError().toStdString();
        const QList<QByteArray> out = child.readAllStandardOutput().split('\n');

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
        EXPECT_TRUE(integrityOk());
        if (out.first().startsWith("open-refused")) {
            // Too little room even to open: refused, and the file is as it was.
            EXPECT_TRUE(storedLines() == before);
            continue;
        }
        ASSERT_TRUE(out.first() == "opened 30") << out.first().toStdString();
        EXPECT_EQ(failedKinds.size(), 8) << "every kind of change was refused once the disk was full";
        expected.sort();
        const QStringList stored = storedLines();
        EXPECT_EQ(stored.join(QLatin1Char('\n')).toStdString(), expected.join(QLatin1Char('\n')).toStdString());
        EXPECT_FALSE(stored == before) << "some writes fitted before the disk was full";
        rawExec({}); // the file still opens for another writer
    }
}

} // namespace

// A scripted session of inserts, field edits and deletes, run until it is killed. Before each
// change it prints what it is about to do ("intent ...") and once the store has taken it
// "done <id>", so the kill test knows every change that was shown and the one that may have
// been cut off. Usage: store_writer <file> <seed>
#include "ChoreLine.h"
#include "Velmora/Model/ChoreStore.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTimeZone>

#include <cstdio>

using namespace Velmora;

namespace {

QDateTime someDay(QRandomGenerator &random)
{
    // Whole days and odd instants both, in a few years either side of 2026.
    const qint64 base = QDateTime(QDate(2026, 1, 1), QTime(0, 0), QTimeZone::utc()).toMSecsSinceEpoch();
    const qint64 day = 86400000LL * random.bounded(-1500, 1500);
    return QDateTime::fromMSecsSinceEpoch(base + day + (random.bounded(2) ? random.bounded(86400000) : 0), QTimeZone::utc());
}

QString someTitle(QRandomGenerator &random, int n)
{
    static const QStringList words = {QStringLiteral("water plants"), QStringLiteral("Müll"), QStringLiteral("猫の餌"),
                                      QStringLiteral("bins ✓"), QString(), QStringLiteral("'; DROP TABLE Chore; --")};
    return QStringLiteral("%1 %2").arg(words.at(random.bounded(int(words.size())))).arg(n);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    ChoreStore store;
    if (store.open(QString::fromLocal8Bit(argv[1])) != ChoreStore::OpenResult::Opened)
        return 1;
    QRandomGenerator random(quint32(QByteArray(argv[2]).toULong()));
    for (int n = 0;; ++n) {
        const int count = int(store.chores().size());
        // Keeps the file between roughly 50 and 300 chores over many rounds.
        const int insertWeight = count < 50 ? 8 : count > 300 ? 1 : 3;
        const int pick = count == 0 ? 0 : random.bounded(insertWeight + 6);
        Chore *chore = count == 0 ? nullptr : store.chores().at(size_t(random.bounded(count)));
        const qint64 id = pick < insertWeight ? 0 : chore->persistentId();
        ChoreFields after = chore ? chore->fields() : ChoreFields::defaults();
        bool remove = false;
        if (pick < insertWeight) {
            after = ChoreFields::defaults();
            after.title = someTitle(random, n);
            after.startDate = someDay(random);
            after.dueDate = someDay(random);
            if (random.bounded(5) == 0)
                after.endDate = someDay(random);
        } else if (pick - insertWeight == 0) {
            after.title = someTitle(random, n);
        } else if (pick - insertWeight == 1) {
            after.startDate = someDay(random);
        } else if (pick - insertWeight == 2) {
            after.dueDate = someDay(random);
        } else if (pick - insertWeight <= 4) {
            if (chore->isFinished())
                continue; // nothing clears an end date, so a finished chore is not finished again
            after.endDate = QDateTime::currentDateTimeUtc();
        } else {
            remove = true;
        }
        say(QStringLiteral("intent ") + (remove ? QStringLiteral("%1 deleted").arg(id) : choreLine(id, after)));
        bool ok = false;
        qint64 doneId = id;
        if (id == 0) {
            Chore *inserted = store.insert(after);
            ok = inserted;
            doneId = inserted ? inserted->persistentId() : 0;
        } else if (remove) {
            ok = store.remove(chore);
            // The removed object goes away on the next turn of the event loop.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        } else {
            // One field differs; the others are written again as they are, all in one write.
            ok = store.transaction([&] {
                return chore->assignTitle(after.title) && chore->assignStartDate(after.startDate)
                    && chore->assignDueDate(after.dueDate) && (!after.endDate || chore->assignEndDate(*after.endDate));
            });
        }
        if (!ok) {
            say(QStringLiteral("error %1").arg(store.lastError()));
            return 3;
        }
        say(QStringLiteral("done %1").arg(doneId));
    }
}

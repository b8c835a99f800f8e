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

QString encoded(const QString &title)
{
    return QString::fromLatin1(title.toUtf8().toBase64());
}

QString ms(const QDateTime &date)
{
    return QString::number(date.toMSecsSinceEpoch());
}

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
        const QString id = chore ? QString::number(chore->persistentId()) : QString();
        bool ok = false;
        qint64 doneId = chore ? chore->persistentId() : 0;
        if (pick < insertWeight) {
            ChoreFields fields = ChoreFields::defaults();
            fields.title = someTitle(random, n);
            fields.startDate = someDay(random);
            fields.dueDate = someDay(random);
            if (random.bounded(5) == 0)
                fields.endDate = someDay(random);
            say(QStringLiteral("intent insert - %1 %2 %3 %4")
                    .arg(encoded(fields.title), ms(fields.startDate), ms(fields.dueDate),
                         fields.endDate ? ms(*fields.endDate) : QStringLiteral("-")));
            Chore *inserted = store.insert(fields);
            ok = inserted;
            doneId = inserted ? inserted->persistentId() : 0;
        } else {
            switch (pick - insertWeight) {
            case 0: {
                const QString title = someTitle(random, n);
                say(QStringLiteral("intent title %1 %2").arg(id, encoded(title)));
                ok = chore->assignTitle(title);
                break;
            }
            case 1: {
                const QDateTime date = someDay(random);
                say(QStringLiteral("intent start %1 %2").arg(id, ms(date)));
                ok = chore->assignStartDate(date);
                break;
            }
            case 2: {
                const QDateTime date = someDay(random);
                say(QStringLiteral("intent due %1 %2").arg(id, ms(date)));
                ok = chore->assignDueDate(date);
                break;
            }
            case 3:
            case 4: {
                if (chore->isFinished())
                    continue; // nothing clears an end date, so a finished chore is not finished again
                const QDateTime now = QDateTime::currentDateTimeUtc();
                say(QStringLiteral("intent finish %1 %2").arg(id, ms(now)));
                ok = chore->assignEndDate(now);
                break;
            }
            default:
                say(QStringLiteral("intent delete %1").arg(id));
                ok = store.remove(chore);
                // The removed object goes away on the next turn of the event loop.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                break;
            }
        }
        if (!ok) {
            say(QStringLiteral("error %1").arg(store.lastError()));
            return 3;
        }
        say(QStringLiteral("done %1").arg(doneId));
    }
}

// Inserts and edits chores in a loop, printing each change once the store has taken it,
// until it is killed. The kill test reads what was printed and checks the file holds it all.
#include "Velmora/Model/ChoreStore.h"

#include <QCoreApplication>
#include <QDateTime>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    Velmora::ChoreStore store;
    if (store.open(QString::fromLocal8Bit(argv[1])) != Velmora::ChoreStore::OpenResult::Opened)
        return 1;
    for (int i = 0;; ++i) {
        Velmora::ChoreFields fields = Velmora::ChoreFields::defaults();
        fields.title = QStringLiteral("chore %1").arg(i);
        Velmora::Chore *chore = store.insert(fields);
        if (!chore)
            return 3;
        if (!chore->assignNotificationTime(i))
            return 3;
        std::printf("%lld %d\n", static_cast<long long>(chore->persistentId()), i);
        std::fflush(stdout);
    }
}

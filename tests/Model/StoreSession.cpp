// A session of changes on a store, each made as the app makes it: through its changes, alone or
// from the editor. Before each change it prints what the file holds once the change is in,
// "intent" and one effect a chore ("<id> <stored fields>", or "<id> deleted"; id 0 for the chore
// it adds), then "done <id of the added chore, or 0>" once the store took it, or
// "failed <kind> <error>" when the store refused it.
//   store_session FILE SEED forever           at random until it is killed
//   store_session FILE SEED full LIMIT        under a file-size limit (0: none, the disk itself is
//       full) every kind of change in turn, until each failed twice; a failed change must leave
//       the chores in memory and the editor as they were, and one the user makes must be told
//       to them once as the disk being full ("violation ..."). Ends with "end".
#include "ChoreLine.h"

#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestSupport.h"

#include <QCoreApplication>
#include <QRandomGenerator>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <map>

using namespace Velmora;

namespace {

enum Kind { Insert, Title, StartDate, DueDate, Finish, Remove, EditorUpdate, EditorAdd, EditorRepeat, Kinds };
const char *const kindNames[Kinds] = {"insert", "title", "start", "due", "finish", "remove",
                                      "editor-update", "editor-add", "editor-repeat"};

std::map<qint64, ChoreFields> inMemory(const ChoreStore &store)
{
    std::map<qint64, ChoreFields> all;
    for (const Chore *c : store.chores())
        all[c->persistentId()] = c->fields();
    return all;
}

// What the editor would save, as the store's fields.
ChoreFields fieldsOf(const ChoreEditor &e)
{
    return {e.title(), ColorComponentsModel::fromColor(e.color()), e.startDate(), e.dueDate(), {}, e.notify(),
            e.notificationTime()};
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
    // Long enough in the full-disk runs to fill pages.
    return QStringLiteral("%1 %2 ").arg(words.at(random.bounded(int(words.size())))).arg(n).repeated(1 + n % 4);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool full = argc == 5 && qstrcmp(argv[3], "full") == 0;
    if (!full && !(argc == 4 && qstrcmp(argv[3], "forever") == 0))
        return 2;
    // Past the limit a write fails with EFBIG instead of the process being stopped.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t limit = full ? rlim_t(QByteArray(argv[4]).toULongLong()) : 0;
    const rlimit fsize{limit, limit};
    if (limit > 0 && setrlimit(RLIMIT_FSIZE, &fsize) != 0)
        return 2;
    // A fixed clock, so the end date a finish or a repeat writes is known.
    FakeClock clock(QDateTime(QDate(2026, 5, 10), QTime(8, 0), QTimeZone::utc()), QTimeZone::utc());
    ScopedClock installed(clock);
    QRandomGenerator random(quint32(QByteArray(argv[2]).toULong()));

    ChoreStore store;
    int writeFailedSignals = 0;
    QObject::connect(&store, &ChoreStore::writeFailed, [&] { ++writeFailedSignals; });
    const ChoreStore::OpenResult opened = store.open(QString::fromLocal8Bit(argv[1]));
    if (opened != ChoreStore::OpenResult::Opened) {
        say(QStringLiteral("open-refused %1").arg(int(opened)));
        return 0;
    }
    say(QStringLiteral("opened %1").arg(store.chores().size()));
    ChoreChanges changes(store);
    int toldSignals = 0;
    QObject::connect(&changes, &ChoreChanges::failed, [&] { ++toldSignals; });
    int failures[Kinds] = {};
    const auto violation = [](const QString &text) { say(QStringLiteral("violation ") + text); };

    for (int n = 0; !full || n < 20000; ++n) {
        if (full && std::all_of(std::begin(failures), std::end(failures), [](int f) { return f >= 2; }))
            break;
        // Forever: keeps the file between roughly 50 and 300 chores over many rounds.
        const int count = int(store.chores().size());
        const int insertWeight = count < 50 ? 8 : count > 300 ? 1 : 3;
        const int pick = count == 0 ? 0 : int(random.bounded(insertWeight + Kinds - 1));
        Kind kind = full ? Kind(n % Kinds) : pick < insertWeight ? Insert : Kind(pick - insertWeight + 1);
        // Finishing and the editor's update and repeat are offered for active chores only.
        const bool needsActive = kind == Finish || kind == EditorUpdate || kind == EditorRepeat;
        std::vector<Chore *> offered;
        std::copy_if(store.chores().begin(), store.chores().end(), std::back_inserter(offered),
                     [&](const Chore *c) { return !needsActive || !c->isFinished(); });
        Chore *chore = offered.empty() ? nullptr : offered.at(size_t(random.bounded(int(offered.size()))));
        if (!chore && kind != EditorAdd)
            kind = Insert;
        const qint64 id = chore ? chore->persistentId() : 0;

        ChoreFields after = chore ? chore->fields() : ChoreFields::defaults();
        QStringList effects;
        std::function<bool()> change;
        ChoreEditor editor;
        Chore *saved = nullptr;
        bool dismissed = false;
        switch (kind) {
        case Insert:
            after = ChoreFields::defaults();
            after.title = someTitle(random, n);
            after.startDate = someDay(random);
            after.dueDate = someDay(random);
            if (random.bounded(5) == 0)
                after.endDate = someDay(random);
            change = [&] { return (saved = changes.add(after)) != nullptr; };
            break;
        case Title:
            after.title = someTitle(random, n);
            change = [&] { return VelmoraTest::assign(changes, chore, &ChoreFields::title, after.title); };
            break;
        case StartDate:
            after.startDate = someDay(random);
            change = [&] { return VelmoraTest::assign(changes, chore, &ChoreFields::startDate, after.startDate); };
            break;
        case DueDate:
            after.dueDate = someDay(random);
            change = [&] { return VelmoraTest::assign(changes, chore, &ChoreFields::dueDate, after.dueDate); };
            break;
        case Finish:
            after.endDate = clock.now();
            change = [&] { return changes.finish(chore); };
            break;
        case Remove:
            effects << QStringLiteral("%1 deleted").arg(id);
            change = [&] {
                const bool ok = changes.remove(chore);
                // The removed object goes away on the next turn of the event loop.
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                return ok;
            };
            break;
        case EditorUpdate:
        case EditorAdd:
        case EditorRepeat:
            editor.setChanges(&changes);
            editor.setOperation(kind == EditorUpdate ? ChoreEditor::EditingOperation::update
                                : kind == EditorAdd  ? ChoreEditor::EditingOperation::add
                                                     : ChoreEditor::EditingOperation::repeat);
            editor.setChore(kind == EditorAdd ? nullptr : chore);
            editor.load();
            editor.setTitle(QStringLiteral("edited %1").arg(n));
            editor.setColor(QColor::fromRgbF(0.25f, 0.5f, 0.75f));
            editor.setPlannedDays(n % 40);
            editor.setNotify(n % 2);
            editor.setReminderHour(n % 24);
            QObject::connect(&editor, &ChoreEditor::saved, [&](Chore *c) { saved = c; });
            QObject::connect(&editor, &ChoreEditor::dismissRequested, [&] { dismissed = true; });
            if (kind == EditorRepeat) {
                effects << choreLine(0, fieldsOf(editor));
                after.endDate = clock.now();
            } else {
                const auto end = kind == EditorUpdate ? after.endDate : std::nullopt;
                after = fieldsOf(editor);
                after.endDate = end;
            }
            change = [&] { return editor.save(); };
            break;
        case Kinds:
            break;
        }
        if (kind != Remove)
            effects << choreLine(kind == Insert || kind == EditorAdd ? 0 : id, after);
        say(QStringLiteral("intent ") + effects.join(QStringLiteral(" | ")));

        const int signalsBefore = writeFailedSignals;
        const int toldBefore = toldSignals;
        const auto memoryBefore = full ? inMemory(store) : std::map<qint64, ChoreFields>();
        const ChoreFields editorBefore = fieldsOf(editor);
        if (change()) {
            say(QStringLiteral("done %1").arg(saved && kind != EditorUpdate ? saved->persistentId() : 0));
            continue;
        }
        ++failures[kind];
        say(QStringLiteral("failed %1 %2").arg(QLatin1String(kindNames[kind]), store.lastError()));
        const QString tag = QStringLiteral("%1 #%2: ").arg(QLatin1String(kindNames[kind])).arg(n);
        if (writeFailedSignals == signalsBefore || store.lastError().isEmpty())
            violation(tag + QStringLiteral("failed without writeFailed and lastError"));
        if (inMemory(store) != memoryBefore)
            violation(tag + QStringLiteral("a failed write changed chores in memory"));
        if (kind >= EditorUpdate && (editor.lastError().isEmpty() || fieldsOf(editor) != editorBefore || dismissed || saved))
            violation(tag + QStringLiteral("the editor took a failed save as saved, or lost its fields"));
        const bool byUser = kind == Finish || kind == Remove || kind >= EditorUpdate;
        if (byUser && (toldSignals != toldBefore + 1 || !changes.failure().endsWith(QLatin1String(": the disk is full."))
                       || (kind >= EditorUpdate && editor.lastError() != changes.failure())))
            violation(tag + QStringLiteral("the user was told \"%1\"").arg(changes.failure()));
    }
    say(QStringLiteral("end"));
    return 0;
}

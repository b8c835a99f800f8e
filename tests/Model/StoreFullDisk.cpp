// Works on a store under a file-size limit (or on a full file system) until writes
// fail; every kind of change is tried again after that. It keeps its own account of what
// should be stored, changed only by writes reported as successful, checks in memory that a
// failed write changed nothing, and at the end prints the account for the parent to compare
// with the file. Usage: store_full_disk <file> <limit in bytes, 0 for none>
// Output: "opened <n>", "failed <kind> <error>", "violation <text>", then "expect <chore line>" lines.
#include "ChoreLine.h"

#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/Clock.h"
#include "Velmora/Screens/ChoreEditor.h"
#include "tests/support/Fakes.h"

#include <QCoreApplication>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <map>

using namespace Velmora;

namespace {

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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    // Past the limit a write fails with EFBIG instead of the process being stopped.
    std::signal(SIGXFSZ, SIG_IGN);
    const rlim_t limit = rlim_t(QByteArray(argv[2]).toULongLong());
    const rlimit fsize{limit, limit};
    if (limit > 0 && setrlimit(RLIMIT_FSIZE, &fsize) != 0)
        return 2;

    // A fixed clock, so the end date a repeat or finish writes is known.
    FakeClock clock(QDateTime(QDate(2026, 5, 10), QTime(8, 0), QTimeZone::utc()), QTimeZone::utc());
    ScopedClock installed(clock);

    ChoreStore store;
    int writeFailedSignals = 0;
    QObject::connect(&store, &ChoreStore::writeFailed, [&] { ++writeFailedSignals; });
    const ChoreStore::OpenResult opened = store.open(QString::fromLocal8Bit(argv[1]));
    if (opened != ChoreStore::OpenResult::Opened) {
        say(QStringLiteral("open-refused %1").arg(int(opened)));
        return 0;
    }
    std::map<qint64, ChoreFields> expected = inMemory(store);
    say(QStringLiteral("opened %1").arg(expected.size()));

    enum Kind { Insert, Title, DueDate, Finish, Remove, EditorUpdate, EditorAdd, EditorRepeat, Kinds };
    const char *names[Kinds] = {"insert", "title", "due", "finish", "remove", "editor-update", "editor-add", "editor-repeat"};
    int failures[Kinds] = {};
    int successes = 0;
    const auto violation = [](const QString &text) { say(QStringLiteral("violation ") + text); };

    for (int n = 0; n < 20000; ++n) {
        const Kind kind = Kind(n % Kinds);
        if (std::all_of(std::begin(failures), std::end(failures), [](int f) { return f >= 2; }))
            break;
        // Most edits go to the active chores the screens would offer.
        Chore *chore = nullptr;
        for (Chore *c : store.chores()) {
            if (!c->isFinished() && (n / Kinds + c->persistentId()) % 3 == 0) {
                chore = c;
                break;
            }
        }
        if (!chore && !store.chores().empty())
            chore = store.chores().front();
        if (!chore && kind != Insert && kind != EditorAdd)
            continue;
        const int signalsBefore = writeFailedSignals;
        const QString tag = QStringLiteral("%1 #%2").arg(QLatin1String(names[kind])).arg(n);
        bool ok = false;
        switch (kind) {
        case Insert: {
            ChoreFields f = ChoreFields::defaults();
            f.title = QStringLiteral("inserted %1 with a title long enough to fill pages ").arg(n).repeated(3);
            f.notificationTime = n;
            Chore *c = store.insert(f);
            ok = c;
            if (c)
                expected[c->persistentId()] = f;
            break;
        }
        case Title: {
            const QString title = QStringLiteral("renamed %1").arg(n);
            ok = chore->assignTitle(title);
            if (ok)
                expected[chore->persistentId()].title = title;
            else if (chore->title() == title)
                violation(tag + QStringLiteral(": the refused title is in memory"));
            break;
        }
        case DueDate: {
            const QDateTime due = chore->dueDate().addDays(1);
            ok = chore->assignDueDate(due);
            if (ok)
                expected[chore->persistentId()].dueDate = due;
            else if (chore->dueDate() == due)
                violation(tag + QStringLiteral(": the refused due date is in memory"));
            break;
        }
        case Finish: {
            ok = store.finish(chore);
            if (ok)
                expected[chore->persistentId()].endDate = clock.now();
            break;
        }
        case Remove: {
            const qint64 id = chore->persistentId();
            ok = store.remove(chore);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            if (ok)
                expected.erase(id);
            else if (!store.chore(id))
                violation(tag + QStringLiteral(": a refused delete took the chore away"));
            break;
        }
        case EditorUpdate:
        case EditorAdd:
        case EditorRepeat: {
            ChoreChanges changes(store);
            ChoreEditor editor;
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
            Chore *savedChore = nullptr;
            bool dismissed = false;
            QObject::connect(&editor, &ChoreEditor::saved, [&](Chore *c) { savedChore = c; });
            QObject::connect(&editor, &ChoreEditor::dismissRequested, [&] { dismissed = true; });
            const ChoreFields before = fieldsOf(editor);
            const qint64 sourceId = chore ? chore->persistentId() : 0;
            ok = editor.save();
            if (ok) {
                if (!savedChore) {
                    violation(tag + QStringLiteral(": saved without naming the chore"));
                    break;
                }
                ChoreFields f = before;
                if (kind == EditorUpdate)
                    f.endDate = expected[sourceId].endDate;
                expected[savedChore->persistentId()] = f;
                if (kind == EditorRepeat)
                    expected[sourceId].endDate = clock.now();
            } else {
                if (editor.lastError().isEmpty())
                    violation(tag + QStringLiteral(": failed without lastError"));
                if (fieldsOf(editor) != before)
                    violation(tag + QStringLiteral(": the editor's fields changed"));
                if (dismissed || savedChore)
                    violation(tag + QStringLiteral(": a failed save closed the editor"));
            }
            break;
        }
        case Kinds:
            break;
        }
        if (ok) {
            ++successes;
            continue;
        }
        ++failures[kind];
        say(QStringLiteral("failed %1 %2").arg(QLatin1String(names[kind]), store.lastError()));
        if (writeFailedSignals == signalsBefore)
            violation(tag + QStringLiteral(": failed without writeFailed"));
        if (store.lastError().isEmpty())
            violation(tag + QStringLiteral(": failed without lastError"));
        if (inMemory(store) != expected)
            violation(tag + QStringLiteral(": a failed write changed chores in memory"));
    }
    say(QStringLiteral("succeeded %1").arg(successes));
    for (const auto &[id, fields] : expected)
        say(QStringLiteral("expect ") + choreLine(id, fields));
    return 0;
}

// libFuzzer target: the bytes of a store file. Opening either succeeds and reads sound chores,
// or refuses and leaves every byte as it was; a crash, a sanitizer report or a rewritten refused
// file is a finding.
//   store_open_fuzzer --write-seed DIR   writes a real store into DIR to start the corpus from
#include "Velmora/Model/ChoreStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Velmora;

namespace {

// Never destroyed: the fuzzer ends with exit(), after Qt's own globals are gone.
QCoreApplication *g_application = nullptr;
QTemporaryDir *g_dir = nullptr;

QString storePath() { return g_dir->filePath(QStringLiteral("chores.sqlite")); }

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A store as the app leaves it, so that the damage hits real pages.
int writeSeed(const char *folder)
{
    const QString path = QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("seed.sqlite"));
    QFile::remove(path);
    {
        ChoreStore store;
        if (store.open(path) != ChoreStore::OpenResult::Opened)
            return 1;
        for (int i = 0; i < 12; ++i) {
            ChoreFields f = ChoreFields::defaults();
            f.title = QStringLiteral("chore %1 ✓").arg(i);
            f.notify = i % 2;
            f.endDate = i % 3 ? std::nullopt : std::optional(f.startDate.addSecs(i * 3600));
            if (!store.insert(f))
                return 1;
        }
    } // closing the last connection folds the log into the file
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    g_application = new QCoreApplication(*argc, *argv);
    if (*argc == 3 && std::strcmp((*argv)[1], "--write-seed") == 0)
        std::_Exit(writeSeed((*argv)[2]));
    g_dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = storePath();
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            std::abort();
    }
    ChoreStore store;
    if (store.open(path) == ChoreStore::OpenResult::Opened) {
        for (const Chore *chore : store.chores()) {
            chore->timeLeftText(chore->startDate(), true, true);
            chore->daysUntilDue(chore->startDate(), false);
            if (!chore->color().isValid())
                std::abort();
        }
    } else if (readFile(path) != bytes) {
        std::fprintf(stderr, "a refused store file was changed\n");
        std::abort();
    }
    return 0;
}

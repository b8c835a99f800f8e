// libFuzzer target: the ways bytes from outside reach the app. The first byte picks one.
// - 0 (mod 3): the bytes of a store file. Opening either succeeds and reads sound chores, or
//   refuses and leaves every byte as it was.
// - 1: one CalDAV resource. Reading either refuses with a reason or gives a chore, and that
//   chore written back onto those bytes reads back as the same chore.
// - 2: a server's multistatus answer, read whole and in pieces cut where its own bytes say: the
//   pieces it arrives in never change what is read.
// A crash, a sanitizer report, a rewritten refused file or a chore that changes on the way is a
// finding.
//   input_fuzzer --write-seed DIR   writes a real store and a few resources into DIR to start from
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Sync/DavXml.h"
#include "Velmora/Sync/VTodoCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

using namespace Velmora;
using namespace Velmora::Sync;

namespace {

// Never destroyed: the fuzzer ends with exit(), after Qt's own globals are gone.
QTemporaryDir *g_dir = nullptr;

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

template <typename Number> bool same(Number a, Number b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool same(const ChoreFields &a, const ChoreFields &b)
{
    const ColorComponentsModel &x = a.colorComponents, &y = b.colorComponents;
    return a.title == b.title && same(x.red, y.red) && same(x.green, y.green) && same(x.blue, y.blue)
        && a.startDate == b.startDate && a.dueDate == b.dueDate && a.endDate == b.endDate && a.notify == b.notify
        && same(a.notificationTime, b.notificationTime);
}

// A store as the app leaves it, so that the damage hits real pages, and resources of this app
// and of another.
int writeSeeds(const QDir &folder)
{
    const QString path = folder.filePath(QStringLiteral("store.sqlite"));
    QFile::remove(path);
    {
        ChoreStore store;
        if (store.open(path) != ChoreStore::OpenResult::Opened)
            return 1;
        ChoreChanges changes(store);
        for (int i = 0; i < 12; ++i) {
            ChoreFields f = ChoreFields::defaults();
            f.title = QStringLiteral("chore %1 ✓").arg(i);
            f.notify = i % 2;
            f.endDate = i % 3 ? std::nullopt : std::optional(f.startDate.addSecs(i * 3600));
            if (!changes.add(f))
                return 1;
        }
    } // closing the last connection folds the log into the file
    const QByteArray storeBytes = readFile(path);
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));

    const QTimeZone tz("Europe/Berlin");
    const QDateTime end(QDate(2026, 3, 28), QTime(9, 0, 0, 5), QTimeZone::utc());
    const ChoreFields fields{QStringLiteral("Seed; with, escapes"), {0.25f, 1.5f, -0.1f},
                             QDate(2026, 3, 1).startOfDay(tz), QDate(2026, 3, 29).startOfDay(tz), end, true, 9000};
    const QList<QByteArray> seeds{
        '\0' + storeBytes, '\1' + VTodoCodec::write(QStringLiteral("seed-1"), fields, {}, tz).ics,
        "\1BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:f\r\nDTSTART:20260501T020000Z\r\n"
        "DUE;TZID=America/New_York:20260510T220000\r\nCOLOR:gold\r\nFOO-BAR;X-A=1:b\\,c\r\nCATEGORIES:a,b\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
        "\2<?xml version=\"1.0\"?><D:multistatus xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:caldav\"><D:response>"
        "<D:href>/cal/a%20b.ics</D:href><D:propstat><D:prop><D:getetag>\"1\"</D:getetag><C:calendar-home-set>"
        "<D:href>/home/</D:href></C:calendar-home-set><C:supported-calendar-component-set><C:comp name=\"VTODO\"/>"
        "</C:supported-calendar-component-set></D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat>"
        "</D:response><D:response><D:href>/cal/</D:href><D:status>HTTP/1.1 507 Insufficient Storage</D:status>"
        "</D:response><D:sync-token>t-2</D:sync-token></D:multistatus>",
    };
    for (int i = 0; i < seeds.size(); ++i) {
        if (!writeFile(folder.filePath(QStringLiteral("seed-%1").arg(i)), seeds[i]))
            return 1;
    }
    return 0;
}

void openStore(const QByteArray &bytes)
{
    const QString path = g_dir->filePath(QStringLiteral("chores.sqlite"));
    for (const char *suffix : {"-wal", "-shm", "-journal"})
        QFile::remove(path + QLatin1String(suffix));
    if (!writeFile(path, bytes))
        std::abort();
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
}

void readResource(const QByteArray &bytes)
{
    static const QTimeZone tz("America/New_York");
    const TodoReading read = VTodoCodec::read(bytes, tz);
    if (read.outcome == TodoReading::Outcome::Rejected && read.reason.isEmpty())
        std::abort();
    if (read.outcome != TodoReading::Outcome::Chore)
        return;
    const TodoWriting written = VTodoCodec::write(read.uid, read.fields, read.recurrence, tz, bytes);
    if (written.ics.isEmpty())
        return;
    const TodoReading again = VTodoCodec::read(written.ics, tz);
    if (again.outcome != TodoReading::Outcome::Chore || again.uid != read.uid.trimmed()
        || !same(again.fields, read.fields) || again.recurrence.rule != read.recurrence.rule)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    new QCoreApplication(*argc, *argv);
    if (*argc == 3 && std::strcmp((*argv)[1], "--write-seed") == 0)
        std::_Exit(writeSeeds(QDir(QString::fromLocal8Bit((*argv)[2]))));
    g_dir = new QTemporaryDir;
    return 0;
}

QString described(const std::optional<Velmora::Sync::DavXml::MultiStatus> &status)
{
    if (!status)
        return QStringLiteral("none");
    QStringList lines{status->syncToken};
    for (const auto &response : status->responses) {
        lines << response.hrefs.join(u' ') + QString::number(response.status);
        for (const auto &propStat : response.propStats) {
            for (const auto &prop : propStat.props)
                lines << QString::number(propStat.status) + prop.ns + prop.name + prop.text + prop.hrefs.join(u' ')
                        + prop.elements.join(u' ') + prop.compNames.join(u' ');
        }
    }
    return lines.join(u'\n');
}

void readMultiStatus(const QByteArray &bytes)
{
    Velmora::Sync::DavXml::MultiStatusReader pieces;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = 1 + uchar(bytes.at(at)) % 64;
        pieces.addData(bytes.mid(at, length));
        at += length;
    }
    const QString whole = described(Velmora::Sync::DavXml::parseMultiStatus(bytes));
    if (whole != described(pieces.finish())) {
        std::fprintf(stderr, "read differently in pieces\n");
        std::abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 1, qsizetype(size - 1));
    if (data[0] % 3 == 0)
        openStore(bytes);
    else if (data[0] % 3 == 1)
        readResource(bytes);
    else
        readMultiStatus(bytes);
    return 0;
}

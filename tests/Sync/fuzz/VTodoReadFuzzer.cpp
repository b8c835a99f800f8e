// libFuzzer target: the bytes of one CalDAV resource. Reading either refuses with a reason or
// gives a chore; a chore written back onto those bytes reads back as the same chore. A crash,
// a sanitizer report or a chore that changes on the way is a finding.
//   sync_vtodo_fuzzer --write-seed DIR   writes a few resources into DIR to start the corpus from
#include "Velmora/Sync/VTodoCodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cmath>
#include <cstdlib>
#include <cstring>

using namespace Velmora;
using namespace Velmora::Sync;

namespace {

template <typename Number> bool same(Number a, Number b) { return a == b || (std::isnan(a) && std::isnan(b)); }

bool same(const ChoreFields &a, const ChoreFields &b)
{
    const ColorComponentsModel &x = a.colorComponents, &y = b.colorComponents;
    return a.title == b.title && same(x.red, y.red) && same(x.green, y.green) && same(x.blue, y.blue)
        && a.startDate == b.startDate && a.dueDate == b.dueDate && a.endDate == b.endDate && a.notify == b.notify
        && same(a.notificationTime, b.notificationTime);
}

int writeSeed(const char *folder)
{
    const QTimeZone tz("Europe/Berlin");
    const QDateTime end(QDate(2026, 3, 28), QTime(9, 0, 0, 5), QTimeZone::utc());
    const ChoreFields fields{QStringLiteral("Seed; with, escapes"), {0.25f, 1.5f, -0.1f},
                             QDate(2026, 3, 1).startOfDay(tz), QDate(2026, 3, 29).startOfDay(tz), end, true, 9000};
    const QList<QByteArray> seeds{
        VTodoCodec::write(QStringLiteral("seed-1"), fields, tz).ics,
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:f\r\nDTSTART:20260501T020000Z\r\n"
        "DUE;TZID=America/New_York:20260510T220000\r\nCOLOR:gold\r\nFOO-BAR;X-A=1:b\\,c\r\nCATEGORIES:a,b\r\n"
        "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nEND:VALARM\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
    };
    for (int i = 0; i < seeds.size(); ++i) {
        QFile file(QDir(QString::fromLocal8Bit(folder)).filePath(QStringLiteral("seed-%1.ics").arg(i)));
        if (!file.open(QIODevice::WriteOnly) || file.write(seeds[i]) != seeds[i].size())
            return 1;
    }
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static int qtArgc = 1;
    static char name[] = "sync_vtodo_fuzzer";
    static char *qtArgv[] = {name, nullptr};
    // Never destroyed: the fuzzer ends with exit(), after Qt's own globals are gone.
    new QCoreApplication(qtArgc, qtArgv);
    for (int i = 1; i + 1 < *argc; ++i) {
        if (std::strcmp((*argv)[i], "--write-seed") == 0)
            std::exit(writeSeed((*argv)[i + 1]));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QTimeZone tz("America/New_York");
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const TodoReading read = VTodoCodec::read(bytes, tz);
    if (read.outcome == TodoReading::Outcome::Rejected && read.reason.isEmpty())
        std::abort();
    if (read.outcome != TodoReading::Outcome::Chore)
        return 0;
    const TodoWriting written = VTodoCodec::write(read.uid, read.fields, tz, bytes);
    if (written.ics.isEmpty())
        return 0;
    const TodoReading again = VTodoCodec::read(written.ics, tz);
    if (again.outcome != TodoReading::Outcome::Chore || again.uid != read.uid.trimmed()
        || !same(again.fields, read.fields))
        std::abort();
    return 0;
}

// The sync engine against curl making the same HTTP requests to the same local Radicale, in the
// same run. Prints one CSV line per figure: name, ours ms, curl ms, our requests, curl requests.
//   sync_bench [rounds] [chores]
//   sync_bench rss CALENDAR-URL    one sync of a fresh store there, then its peak memory in KiB
#include "Velmora/Model/ChoreChanges.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Sync/CalDavClient.h"
#include "Velmora/Sync/SyncEngine.h"
#include "Velmora/Sync/SyncLedger.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <sys/resource.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

using namespace Velmora;
using namespace Velmora::Sync;

namespace {

constexpr char kUser[] = "chores";
constexpr char kPassword[] = "bench pass";
// The engine's own batch size and sends in flight, so curl makes the same requests.
constexpr int kCurlParallel = 4;
const QTimeZone kZone("Europe/Berlin");

[[noreturn]] void die(const QString &why)
{
    std::fprintf(stderr, "sync_bench: %s\n", qPrintable(why));
    std::exit(1);
}

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    // Sleeps between events: a spinning loop would take the CPU the server needs.
    QTimer wake;
    wake.start(100);
    while (!done() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return done();
}

template <typename Result, typename Call>
Result await(Call call)
{
    std::optional<Result> result;
    call([&result](Result r) { result = std::move(r); });
    if (!waitFor([&] { return result.has_value(); }, 120000))
        die(QStringLiteral("the server never answered"));
    return *result;
}

// CPU time of this process, in ms: what the client itself spends, beside the wall time.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Radicale on a free port of 127.0.0.1 with its own folder and password file, stopped with the object.
class Radicale {
public:
    Radicale()
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost, 0))
            die(QStringLiteral("no free port"));
        m_port = probe.serverPort();
        probe.close();
        const QString users = m_dir.filePath(QStringLiteral("users"));
        QFile file(users);
        if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray(kUser) + ':' + kPassword + '\n') < 0)
            die(QStringLiteral("cannot write the password file"));
        file.close();
        const QString python = QFileInfo::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                     : QStringLiteral("python3");
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        // Warnings only: a log line per request would be server time that neither client causes.
        m_process.start(python, {QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"), QString(),
                                 QStringLiteral("--server-hosts"), QStringLiteral("127.0.0.1:%1").arg(m_port),
                                 QStringLiteral("--storage-filesystem-folder"), m_dir.filePath(QStringLiteral("storage")),
                                 QStringLiteral("--auth-type"), QStringLiteral("htpasswd"),
                                 QStringLiteral("--auth-htpasswd-filename"), users,
                                 QStringLiteral("--auth-htpasswd-encryption"), QStringLiteral("plain"),
                                 QStringLiteral("--logging-level"), QStringLiteral("warning")});
        const auto answers = [this] {
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, m_port);
            return socket.waitForConnected(200);
        };
        if (!m_process.waitForStarted(5000)
            || !waitFor([&] { return m_process.state() != QProcess::Running || answers(); }, 20000)
            || m_process.state() != QProcess::Running)
            die(QStringLiteral("Radicale did not start (Debian package python3-radicale)"));
    }
    ~Radicale()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port)); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_port = 0;
};

// One of the user's devices: its own store, synced with one calendar.
struct Device {
    explicit Device(const QUrl &calendar)
    {
        if (store.open(dir.filePath(QStringLiteral("chores.sqlite"))) != ChoreStore::OpenResult::Opened)
            die(QStringLiteral("cannot open a store"));
        engine.setTimeZone(kZone);
        engine.setTarget(SyncTarget{calendar, QString::fromLatin1(kUser), QString::fromLatin1(kPassword)});
    }
    // The report and the run's wall time in ms.
    std::pair<SyncReport, double> sync()
    {
        std::optional<SyncReport> report;
        auto connection = QObject::connect(&engine, &SyncEngine::finished, [&](const SyncReport &r) { report = r; });
        QElapsedTimer timer;
        const double cpuBefore = cpuMs();
        timer.start();
        engine.start();
        if (!waitFor([&] { return report.has_value(); }, 600000))
            die(QStringLiteral("the sync never ended"));
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        lastCpuMs = cpuMs() - cpuBefore;
        QObject::disconnect(connection);
        if (!report->ok())
            die(QStringLiteral("the sync failed: ") + report->error.message);
        return {*report, ms};
    }

    double lastCpuMs = 0; // of the last sync

    QTemporaryDir dir;
    ChoreStore store;
    ChoreChanges changes{store};
    SyncEngine engine{changes};
};

QList<ChoreFields> sampleChores(int count)
{
    const QDateTime start = QDate(2026, 11, 2).startOfDay(kZone);
    QList<ChoreFields> all;
    for (int i = 0; i < count; ++i) {
        ChoreFields f = ChoreFields::defaults();
        f.title = QStringLiteral("Chore number %1, kitchen; hall").arg(i);
        f.startDate = start.addDays(i % 30);
        f.dueDate = start.addDays(i % 30 + 1 + i % 200);
        f.notify = i % 3 == 0;
        f.notificationTime = 32400 + 60 * (i % 120);
        all << f;
    }
    return all;
}

// The request bodies the client sends, byte for byte.
QByteArray xmlDeclaration()
{
    return R"(<?xml version="1.0" encoding="utf-8"?>)";
}

QByteArray describeBody()
{
    return xmlDeclaration()
        + R"(<D:propfind xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav" xmlns:CS="http://calendarserver.org/ns/">)"
          R"(<D:prop><D:resourcetype/><D:displayname/><C:supported-calendar-component-set/>)"
          R"(<D:supported-report-set/><CS:getctag/><D:sync-token/></D:prop></D:propfind>)";
}

QByteArray syncCollectionBody(const QString &token)
{
    return xmlDeclaration() + R"(<D:sync-collection xmlns:D="DAV:"><D:sync-token>)" + token.toUtf8()
        + R"(</D:sync-token><D:sync-level>1</D:sync-level><D:prop><D:getetag/></D:prop></D:sync-collection>)";
}

QByteArray multigetBody(const QStringList &paths)
{
    QByteArray body = xmlDeclaration()
        + R"(<C:calendar-multiget xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
          R"(<D:prop><D:getetag/><C:calendar-data/></D:prop>)";
    for (const QString &path : paths)
        body += "<D:href>" + path.toUtf8() + "</D:href>";
    return body + "</C:calendar-multiget>";
}

// A curl config file of requests, each with its body in a file of its own.
class CurlBatch {
public:
    CurlBatch(const QString &folder, const QString &name) : m_folder(folder), m_name(name) {}

    void add(const QByteArray &verb, const QUrl &url, const QByteArray &body, const QByteArray &contentType,
             const QList<QByteArray> &headers)
    {
        const QString bodyPath = QStringLiteral("%1/%2-%3.body").arg(m_folder, m_name).arg(m_count++);
        QFile file(bodyPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(body) != body.size())
            die(QStringLiteral("cannot write ") + bodyPath);
        if (!m_config.isEmpty())
            m_config += "next\n";
        m_config += "url = \"" + url.toEncoded() + "\"\n";
        m_config += "request = \"" + verb + "\"\n";
        m_config += "user = \"" + QByteArray(kUser) + ':' + kPassword + "\"\n";
        m_config += "header = \"Content-Type: " + contentType + "\"\n";
        // What Qt sends: no Expect: 100-continue round trip before a body.
        m_config += "header = \"Expect:\"\n";
        for (const QByteArray &header : headers)
            m_config += "header = \"" + header + "\"\n";
        m_config += "data-binary = \"@" + bodyPath.toUtf8() + "\"\n";
        m_config += "output = \"/dev/null\"\n";
        m_config += "write-out = \"%{http_code} %{time_total}\\n\"\n";
    }
    int size() const { return m_count; }

    struct Timing {
        double wallMs = 0;
        double sumOfRequestsMs = 0; // curl's own time_total of each request
    };
    // Runs them, sequentially or `parallel` at a time over kept-alive connections.
    Timing run(int parallel = 1) const
    {
        const QString configPath = QStringLiteral("%1/%2.curl").arg(m_folder, m_name);
        QFile file(configPath);
        if (!file.open(QIODevice::WriteOnly) || file.write(m_config) != m_config.size())
            die(QStringLiteral("cannot write ") + configPath);
        file.close();
        QStringList args{QStringLiteral("--silent"), QStringLiteral("--show-error"), QStringLiteral("--config"), configPath};
        if (parallel > 1)
            args << QStringLiteral("--parallel") << QStringLiteral("--parallel-immediate")
                 << QStringLiteral("--parallel-max") << QString::number(parallel);
        QProcess curl;
        QElapsedTimer timer;
        timer.start();
        curl.start(QStringLiteral("curl"), args);
        if (!curl.waitForFinished(600000) || curl.exitStatus() != QProcess::NormalExit)
            die(QStringLiteral("curl did not run (Debian package curl)"));
        Timing timing;
        timing.wallMs = double(timer.nsecsElapsed()) / 1e6;
        const QList<QByteArray> lines = curl.readAllStandardOutput().trimmed().split('\n');
        if (curl.exitCode() != 0 || lines.size() != m_count)
            die(QStringLiteral("curl failed: ") + QString::fromLocal8Bit(curl.readAllStandardError()));
        for (const QByteArray &line : lines) {
            const QList<QByteArray> parts = line.split(' ');
            const int status = parts.value(0).toInt();
            if (status < 200 || status > 299)
                die(QStringLiteral("curl was answered %1 by %2").arg(status).arg(m_name));
            timing.sumOfRequestsMs += parts.value(1).toDouble() * 1000;
        }
        return timing;
    }

private:
    QString m_folder;
    QString m_name;
    QByteArray m_config;
    int m_count = 0;
};

struct Figures {
    std::vector<double> ours, curl;
    int ourRequests = 0, curlRequests = 0;
};

void print(const char *name, const Figures &f)
{
    std::printf("%s,%.1f,%.1f,%d,%d\n", name, median(f.ours), median(f.curl), f.ourRequests, f.curlRequests);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "rss") == 0) {
        Device device(QUrl(QString::fromLocal8Bit(argv[2])));
        const auto [report, ms] = device.sync();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("rss,%ld,%d,%.0f\n", usage.ru_maxrss, report.received, ms);
        return 0;
    }
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int choreCount = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;
    // One request is too short to time once.
    constexpr int unchangedRuns = 15;

    Radicale server;
    CalDavClient client;
    client.setCredentials(server.url(), QString::fromLatin1(kUser), QString::fromLatin1(kPassword));
    const Discovery found = await<Discovery>([&](auto done) { client.discover(server.url(), done); });
    if (!found.error.ok())
        die(QStringLiteral("discovery failed: ") + found.error.message);
    const auto newCalendar = [&] {
        const CreatedCalendar created =
            await<CreatedCalendar>([&](auto done) { client.createCalendar(found.home, QStringLiteral("Chores"), done); });
        if (!created.error.ok())
            die(QStringLiteral("no calendar: ") + created.error.message);
        return created.calendar.url;
    };
    const QList<ChoreFields> chores = sampleChores(choreCount);

    Figures up, pull, unchanged;
    for (int round = 0; round < rounds; ++round) {
        const QUrl ours = newCalendar();
        const QUrl theirs = newCalendar();
        const QString folder = server.filePath(QStringLiteral("curl-%1").arg(round));
        QDir().mkpath(folder);

        // First sync: every chore goes up, then the listing.
        Device a(ours);
        if (!a.changes.addAll(chores))
            die(QStringLiteral("cannot fill the store"));
        const auto [sent, sentMs] = a.sync();
        if (sent.sent != choreCount)
            die(QStringLiteral("%1 of %2 chores sent").arg(sent.sent).arg(choreCount));
        up.ours.push_back(sentMs);
        up.ourRequests = sent.requests;

        // The same bodies to a calendar of curl's own, under the same resource names.
        SyncLedger sentLedger(a.changes);
        sentLedger.bindCalendar(ours);
        QList<LedgerEntry> entries;
        for (const QUrl &href : sentLedger.onServer())
            entries << sentLedger.byHref(href).value_or(LedgerEntry{});
        CurlBatch describe(folder, QStringLiteral("describe")), puts(folder, QStringLiteral("put")),
            listing(folder, QStringLiteral("listing"));
        describe.add("PROPFIND", theirs, describeBody(), "application/xml; charset=utf-8", {"Depth: 0"});
        QStringList paths;
        for (const LedgerEntry &entry : entries) {
            QUrl url = theirs;
            url.setPath(theirs.path() + entry.href.fileName());
            puts.add("PUT", url, entry.serverCopy, "text/calendar; charset=utf-8", {"If-None-Match: *"});
            paths << url.path(QUrl::FullyEncoded);
        }
        listing.add("REPORT", theirs, syncCollectionBody({}), "application/xml; charset=utf-8", {"Depth: 0"});
        up.curl.push_back(describe.run().wallMs + puts.run(kCurlParallel).wallMs + listing.run().wallMs);
        std::fprintf(stderr, "round %d: first sync %.0f ms (%.0f ms CPU here), curl %.0f ms\n", round + 1, up.ours.back(),
                     a.lastCpuMs, up.curl.back());
        up.curlRequests = describe.size() + puts.size() + listing.size();

        // A second device's first sync: the listing and every chore down by multiget.
        Device b(ours);
        const auto [received, receivedMs] = b.sync();
        if (received.received != choreCount)
            die(QStringLiteral("%1 of %2 chores received: %3").arg(received.received).arg(choreCount).arg(received.error.message));
        pull.ours.push_back(receivedMs);
        pull.ourRequests = received.requests;

        CurlBatch down(folder, QStringLiteral("pull"));
        down.add("PROPFIND", theirs, describeBody(), "application/xml; charset=utf-8", {"Depth: 0"});
        down.add("REPORT", theirs, syncCollectionBody({}), "application/xml; charset=utf-8", {"Depth: 0"});
        for (qsizetype i = 0; i < paths.size(); i += CalDavClient::multigetBatch)
            down.add("REPORT", theirs, multigetBody(paths.mid(i, CalDavClient::multigetBatch)),
                     "application/xml; charset=utf-8", {"Depth: 1"});
        pull.curl.push_back(down.run().wallMs);
        std::fprintf(stderr, "round %d: pull %.0f ms (%.0f ms CPU here), curl %.0f ms\n", round + 1, pull.ours.back(),
                     b.lastCpuMs, pull.curl.back());
        pull.curlRequests = down.size();

        // Nothing changed: one REPORT with the token, beside curl's own time for that request.
        SyncLedger ledger(b.changes);
        const QString token = ledger.bindCalendar(ours) ? ledger.state().syncToken : QString();
        if (token.isEmpty())
            die(QStringLiteral("no sync token after the first sync"));
        CurlBatch same(folder, QStringLiteral("unchanged"));
        same.add("REPORT", ours, syncCollectionBody(token), "application/xml; charset=utf-8", {"Depth: 0"});
        for (int i = 0; i < unchangedRuns; ++i) {
            const auto [report, ms] = b.sync();
            if (report.requests != 1)
                die(QStringLiteral("a sync with nothing changed made %1 requests, not 1").arg(report.requests));
            unchanged.ours.push_back(ms);
            unchanged.curl.push_back(same.run().sumOfRequestsMs);
        }
        unchanged.ourRequests = 1;
        unchanged.curlRequests = 1;
    }
    std::printf("# curl: PUTs %d in parallel over kept-alive connections, every other request sequential; "
                "median of %d rounds\n", kCurlParallel, rounds);
    print("first_sync", up);
    print("pull", pull);
    print("unchanged", unchanged);
    return 0;
}

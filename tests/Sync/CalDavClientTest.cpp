#include "Velmora/Sync/CalDavClient.h"
#include "Velmora/Sync/VTodoCodec.h"
#include "tests/Sync/DavServer.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Velmora;
using namespace Velmora::Sync;
using VelmoraTest::DavServer;
using VelmoraTest::waitFor;
using Kind = CalDavError::Kind;

namespace {

// Runs one asynchronous call to its answer; a call that never answers fails the test.
template <typename Result, typename Call>
Result await(Call call, int timeoutMs = 20000)
{
    std::optional<Result> result;
    call([&result](Result r) { result = std::move(r); });
    EXPECT_TRUE(waitFor([&] { return result.has_value(); }, timeoutMs)) << "no answer";
    return result.value_or(Result{});
}

QByteArray choreIcs(const QString &uid, const QString &title)
{
    const QTimeZone tz("Europe/Berlin");
    const ChoreFields fields{title, ColorComponentsModel::standardRed(), QDate(2026, 5, 1).startOfDay(tz),
                             QDate(2026, 5, 10).startOfDay(tz), {}, true, 32400};
    return VTodoCodec::write(uid, fields, tz).ics;
}

bool lists(const QList<ResourceState> &states, const QUrl &href)
{
    return std::any_of(states.begin(), states.end(), [&](const ResourceState &s) { return CalDavClient::sameResource(s.href, href); });
}

class CalDavAgainstServer : public ::testing::TestWithParam<DavServer::Kind> {};

// The whole life of one chore's resource on a real server, and the ways it goes wrong.
TEST_P(CalDavAgainstServer, DiscoversWritesListsFetchesAndDeletes)
{
    DavServer server(GetParam());
    ASSERT_TRUE(server.start()) << server.error().toStdString();
    CalDavClient client;
    client.setCredentials(QString::fromLatin1(DavServer::user), QString::fromLatin1(DavServer::password));

    const Discovery found = await<Discovery>([&](auto done) { client.discover(server.url(), done); });
    ASSERT_TRUE(found.error.ok()) << found.error.message.toStdString();
    ASSERT_FALSE(found.home.isEmpty());

    const CreatedCalendar created = await<CreatedCalendar>([&](auto done) { client.createCalendar(found.home, QStringLiteral("Chores"), done); });
    ASSERT_TRUE(created.error.ok()) << created.error.message.toStdString();
    const CalendarInfo calendar = created.calendar;
    // Xandikos 0.2.8 keeps every component type whatever MKCOL asks for.
    if (server.kind() == DavServer::Kind::Radicale) {
        EXPECT_EQ(calendar.components, QStringList{QStringLiteral("VTODO")});
    }
    EXPECT_TRUE(calendar.holdsTodo());
    EXPECT_TRUE(calendar.supportsSyncCollection);
    // From an address that is no DAV resource, discovery goes through /.well-known/caldav.
    const Discovery again = await<Discovery>([&](auto done) { client.discover(server.url().resolved(QUrl(QStringLiteral("/no/such/place/"))), done); });
    EXPECT_TRUE(again.error.ok()) << again.error.message.toStdString();
    EXPECT_TRUE(std::any_of(again.calendars.begin(), again.calendars.end(), [&](const CalendarInfo &c) {
        return CalDavClient::sameResource(c.url, calendar.url) && c.displayName == QStringLiteral("Chores");
    }));

    // Both ways of listing: by sync token, and by ctag with a full ETag listing.
    CalendarInfo byCtag = calendar;
    byCtag.supportsSyncCollection = false;
    const ChangeList startToken = await<ChangeList>([&](auto done) { client.listChanges(calendar, {}, done); });
    const ChangeList startCtag = await<ChangeList>([&](auto done) { client.listChanges(byCtag, {}, done); });
    ASSERT_TRUE(startToken.error.ok() && startCtag.error.ok());
    EXPECT_TRUE(startToken.complete && startToken.changed.isEmpty());
    EXPECT_FALSE(startToken.state.syncToken.isEmpty());

    const QString uid = QStringLiteral("b7e0c6a2-5a51-4c53-8f43-2d2b1e0f7c11");
    const QUrl href = CalDavClient::resourceUrl(calendar.url, uid);
    const auto put = [&](const QByteArray &ics, const QString &etag) {
        return await<WriteResult>([&](auto done) { client.put(href, ics, etag, done); });
    };
    const auto etagOf = [&](const WriteResult &w) {
        if (!w.mustFetch)
            return w.etag;
        const FetchedResources got = await<FetchedResources>([&](auto done) { client.fetch(calendar.url, {href}, done); });
        return got.resources.isEmpty() ? QString() : got.resources.first().etag;
    };

    const WriteResult first = put(choreIcs(uid, QStringLiteral("Sweep")), QString());
    ASSERT_TRUE(first.error.ok()) << first.error.message.toStdString();
    const QString firstEtag = etagOf(first);
    ASSERT_FALSE(firstEtag.isEmpty());
    EXPECT_EQ(put(choreIcs(uid, QStringLiteral("Sweep twice")), QString()).error.kind, Kind::Conflict);
    // The same UID under another name is refused too (Radicale: 409, Xandikos: 412 inside a 207).
    const QUrl twin = CalDavClient::resourceUrl(calendar.url, QStringLiteral("twin"));
    EXPECT_FALSE(await<WriteResult>([&](auto done) { client.put(twin, choreIcs(uid, QStringLiteral("Twin")), QString(), done); }).error.ok());

    const WriteResult update = put(choreIcs(uid, QStringLiteral("Sweep the hall")), firstEtag);
    ASSERT_TRUE(update.error.ok()) << update.error.message.toStdString();
    const QString secondEtag = etagOf(update);
    EXPECT_NE(secondEtag, firstEtag);
    EXPECT_EQ(put(choreIcs(uid, QStringLiteral("Lost edit")), firstEtag).error.kind, Kind::Conflict);

    const ChangeList afterToken = await<ChangeList>([&](auto done) { client.listChanges(calendar, startToken.state, done); });
    const ChangeList afterCtag = await<ChangeList>([&](auto done) { client.listChanges(byCtag, startCtag.state, done); });
    EXPECT_TRUE(lists(afterToken.changed, href) && !afterToken.complete);
    EXPECT_TRUE(lists(afterCtag.changed, href) && afterCtag.complete);
    const ChangeList quiet = await<ChangeList>([&](auto done) { client.listChanges(calendar, afterToken.state, done); });
    const ChangeList quietCtag = await<ChangeList>([&](auto done) { client.listChanges(byCtag, afterCtag.state, done); });
    EXPECT_TRUE(quiet.unchanged && quietCtag.unchanged);

    const QUrl gone = CalDavClient::resourceUrl(calendar.url, QStringLiteral("never-written"));
    const FetchedResources fetched = await<FetchedResources>([&](auto done) { client.fetch(calendar.url, {href, gone}, done); });
    ASSERT_TRUE(fetched.error.ok()) << fetched.error.message.toStdString();
    ASSERT_EQ(fetched.resources.size(), 1);
    EXPECT_EQ(fetched.resources.first().etag, secondEtag);
    EXPECT_EQ(VTodoCodec::read(fetched.resources.first().data, QTimeZone("Europe/Berlin")).fields.title, QStringLiteral("Sweep the hall"));
    EXPECT_EQ(fetched.missing.size(), 1);

    // Stored by another client, too large to take in: refused, the rest still fetched.
    const QUrl bigHref = CalDavClient::resourceUrl(calendar.url, QStringLiteral("big"));
    const QByteArray big = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:x\r\nBEGIN:VTODO\r\nUID:big\r\nDTSTAMP:20260101T000000Z\r\n"
                           "DESCRIPTION:" + QByteArray(CalDavClient::maxResourceBytes, 'x') + "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n";
    ASSERT_TRUE(await<WriteResult>([&](auto done) { client.put(bigHref, big, QString(), done); }).error.ok());
    const FetchedResources withBig = await<FetchedResources>([&](auto done) { client.fetch(calendar.url, {bigHref, href}, done); });
    EXPECT_EQ(withBig.refused, QList<QUrl>{bigHref});
    EXPECT_EQ(withBig.resources.size(), 1);
    ASSERT_TRUE(await<CalDavError>([&](auto done) { client.remove(bigHref, QString(), done); }).ok());

    EXPECT_EQ(await<CalDavError>([&](auto done) { client.remove(href, firstEtag, done); }).kind, Kind::Conflict);
    EXPECT_TRUE(await<CalDavError>([&](auto done) { client.remove(href, secondEtag, done); }).ok());
    EXPECT_TRUE(await<CalDavError>([&](auto done) { client.remove(href, secondEtag, done); }).ok());
    const ChangeList removed = await<ChangeList>([&](auto done) { client.listChanges(calendar, quiet.state, done); });
    EXPECT_TRUE(std::any_of(removed.removed.begin(), removed.removed.end(),
                            [&](const QUrl &u) { return CalDavClient::sameResource(u, href); }));
    EXPECT_FALSE(lists(removed.changed, href));
    const ChangeList removedCtag = await<ChangeList>([&](auto done) { client.listChanges(byCtag, quietCtag.state, done); });
    EXPECT_TRUE(removedCtag.complete && !lists(removedCtag.changed, href));

    SyncState forgotten = quiet.state;
    forgotten.syncToken += QStringLiteral("-unknown");
    EXPECT_EQ(await<ChangeList>([&](auto done) { client.listChanges(calendar, forgotten, done); }).error.kind,
              Kind::InvalidSyncToken);

    if (server.kind() == DavServer::Kind::Radicale) {
        CalDavClient wrong;
        wrong.setCredentials(QString::fromLatin1(DavServer::user), QStringLiteral("guess"));
        const Discovery refused = await<Discovery>([&](auto done) { wrong.discover(server.url(), done); });
        EXPECT_EQ(refused.error.kind, Kind::Unauthorized);
        EXPECT_EQ(refused.error.message, QStringLiteral("The server refused the user name or password."));
    }

    // A server that stops answering, then dies under a pending request: an error each time.
    client.setTimeout(std::chrono::milliseconds(1500));
    server.pause();
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(await<ChangeList>([&](auto done) { client.listChanges(calendar, quiet.state, done); }).error.kind, Kind::Timeout);
    EXPECT_LT(clock.elapsed(), 10000);
    client.setTimeout(std::chrono::milliseconds(20000));
    std::optional<WriteResult> pending;
    client.put(href, choreIcs(uid, QStringLiteral("Mid-air")), QString(), [&](WriteResult r) { pending = r; });
    QTimer::singleShot(300, [&] { server.kill(); });
    ASSERT_TRUE(waitFor([&] { return pending.has_value(); }, 10000));
    EXPECT_EQ(pending->error.kind, Kind::Network) << pending->error.message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Servers, CalDavAgainstServer,
                         ::testing::Values(DavServer::Kind::Radicale, DavServer::Kind::Xandikos),
                         [](const auto &info) { return std::string(VelmoraTest::name(info.param)); });

// Answers every request with one canned HTTP answer, or not at all.
class CannedServer : public QTcpServer {
public:
    explicit CannedServer(QByteArray answer)
        : m_answer(std::move(answer))
    {
        listen(QHostAddress::LocalHost, 0);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    if (!m_answer.isEmpty()) {
                        socket->write(m_answer);
                        socket->disconnectFromHost();
                    }
                });
            }
        });
    }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/dav/").arg(serverPort())); }

private:
    QByteArray m_answer;
};

QByteArray http(const char *statusLine, const QByteArray &headers, const QByteArray &body)
{
    return QByteArray("HTTP/1.1 ") + statusLine + "\r\n" + headers + "Content-Length: " + QByteArray::number(body.size())
        + "\r\nConnection: close\r\n\r\n" + body;
}

// Each kind of bad answer becomes its own error with one sentence, and waits are clamped.
TEST(CalDavAnswers, MapToOneErrorEach)
{
    struct Case {
        const char *name;
        QByteArray answer;
        Kind kind;
        int retryAfterSeconds;
    };
    const QList<Case> cases{
        {"busy, asks for seconds", http("429 Too Many Requests", "Retry-After: 5\r\n", ""), Kind::RateLimited, 60},
        {"busy, asks for a day", http("503 Service Unavailable", "Retry-After: 86400\r\n", ""), Kind::RateLimited, 7200},
        {"busy, in between", http("503 Service Unavailable", "Retry-After: 600\r\n", ""), Kind::RateLimited, 600},
        {"login page", http("200 OK", "Content-Type: text/html\r\n", "<!DOCTYPE html><html><body>Log in</body></html>"),
         Kind::NotCalDav, 0},
        {"not xml", http("207 Multi-Status", "Content-Type: application/xml\r\n", "{\"json\": true}"), Kind::NotCalDav, 0},
        {"wrong password", http("401 Unauthorized", "WWW-Authenticate: Basic realm=\"x\"\r\n", ""), Kind::Unauthorized, 0},
        {"silence", QByteArray(), Kind::Timeout, 0},
    };
    for (const Case &c : cases) {
        CannedServer server(c.answer);
        CalDavClient client;
        client.setTimeout(std::chrono::milliseconds(800));
        CalendarInfo calendar;
        calendar.url = server.url();
        calendar.supportsSyncCollection = true;
        const ChangeList changes = await<ChangeList>([&](auto done) { client.listChanges(calendar, {}, done); });
        EXPECT_EQ(changes.error.kind, c.kind) << c.name;
        EXPECT_EQ(changes.error.retryAfter.count(), c.retryAfterSeconds) << c.name;
        EXPECT_FALSE(changes.error.message.isEmpty()) << c.name;
        EXPECT_FALSE(changes.error.message.contains(QLatin1Char('\n'))) << c.name;
    }
}

} // namespace

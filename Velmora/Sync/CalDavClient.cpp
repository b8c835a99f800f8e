#include "Velmora/Sync/CalDavClient.h"

#include "Velmora/Platform/CoreLibrary.h"
#include "Velmora/Platform/Logging.h"
#include "Velmora/Sync/CalDavNetwork.h"
#include "Velmora/Sync/DavXml.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <QUuid>

#include <algorithm>


namespace Velmora::Sync {

using namespace DavXml;

namespace {

// What Qt's network thread may hold of an answer not yet read here.
constexpr qint64 readAhead = 256 * 1024;

constexpr QByteArrayView propfindPrincipalBody =
    R"(<?xml version="1.0" encoding="utf-8"?>)"
    R"(<D:propfind xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:prop>)"
    R"(<D:current-user-principal/><C:calendar-home-set/><D:resourcetype/><D:displayname/>)"
    R"(</D:prop></D:propfind>)";

constexpr QByteArrayView propfindHomeBody =
    R"(<?xml version="1.0" encoding="utf-8"?>)"
    R"(<D:propfind xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:prop>)"
    R"(<C:calendar-home-set/><D:displayname/>)"
    R"(</D:prop></D:propfind>)";

constexpr QByteArrayView propfindCalendarsBody =
    R"(<?xml version="1.0" encoding="utf-8"?>)"
    R"(<D:propfind xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav" xmlns:CS="http://calendarserver.org/ns/">)"
    R"(<D:prop><D:resourcetype/><D:displayname/><C:supported-calendar-component-set/>)"
    R"(<D:supported-report-set/><CS:getctag/><D:sync-token/><D:current-user-privilege-set/></D:prop></D:propfind>)";

constexpr QByteArrayView propfindCtagBody =
    R"(<?xml version="1.0" encoding="utf-8"?>)"
    R"(<D:propfind xmlns:D="DAV:" xmlns:CS="http://calendarserver.org/ns/">)"
    R"(<D:prop><CS:getctag/><D:sync-token/></D:prop></D:propfind>)";

constexpr QByteArrayView etagQueryBody =
    R"(<?xml version="1.0" encoding="utf-8"?>)"
    R"(<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
    R"(<D:prop><D:getetag/></D:prop><C:filter><C:comp-filter name="VCALENDAR"/></C:filter>)"
    R"(</C:calendar-query>)";

QByteArray mkcolBody(const QString &displayName, bool mkcalendar)
{
    const QByteArray props =
        "<D:displayname>" + escaped(displayName).toUtf8() + "</D:displayname>"
        "<C:supported-calendar-component-set><C:comp name=\"VTODO\"/></C:supported-calendar-component-set>";
    if (mkcalendar)
        return R"(<?xml version="1.0" encoding="utf-8"?>)"
               R"(<C:mkcalendar xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:set><D:prop>)"
               + props + "</D:prop></D:set></C:mkcalendar>";
    return R"(<?xml version="1.0" encoding="utf-8"?>)"
           R"(<D:mkcol xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:set><D:prop>)"
           R"(<D:resourcetype><D:collection/><C:calendar/></D:resourcetype>)"
           + props + "</D:prop></D:set></D:mkcol>";
}

QByteArray syncCollectionBody(const QString &token)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>)"
           R"(<D:sync-collection xmlns:D="DAV:"><D:sync-token>)"
           + escaped(token).toUtf8()
           + R"(</D:sync-token><D:sync-level>1</D:sync-level><D:prop><D:getetag/></D:prop></D:sync-collection>)";
}

QByteArray multigetBody(const QList<QUrl> &hrefs)
{
    QByteArray body = R"(<?xml version="1.0" encoding="utf-8"?>)"
                      R"(<C:calendar-multiget xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
                      R"(<D:prop><D:getetag/><C:calendar-data/></D:prop>)";
    for (const QUrl &href : hrefs)
        body += "<D:href>" + escaped(href.path(QUrl::FullyEncoded)).toUtf8() + "</D:href>";
    return body + "</C:calendar-multiget>";
}

QUrl asCollection(QUrl url)
{
    if (!url.path().endsWith(QLatin1Char('/')))
        url.setPath(url.path() + QLatin1Char('/'));
    return url;
}

QUrl resolved(const QUrl &base, const QString &href)
{
    // A user name in a server's href is no part of where it leads, and never shown.
    return base.resolved(QUrl(href, QUrl::TolerantMode)).adjusted(QUrl::RemoveUserInfo);
}

bool isCalendar(const Response &response)
{
    const Prop *type = response.find(davNs, QStringLiteral("resourcetype"));
    return type && type->has(calDavNs, QStringLiteral("calendar"));
}

// Any of them lets a chore be added or changed; write-properties alone (renaming a calendar
// shared read-only, on Nextcloud) does not.
const QStringList writePrivileges = {QStringLiteral("all"), QStringLiteral("write"), QStringLiteral("write-content"),
                                     QStringLiteral("bind")};

// A write refused as forbidden: most often a calendar shared with the user to read only.
CalDavError writeRefused(CalDavError error)
{
    if (error.kind == CalDavError::Kind::Forbidden)
        error.message = CalDavClient::tr("The server did not let this account change the calendar; it may be shared "
                                         "with you to read only.");
    return error;
}

CalendarInfo calendarFrom(const QUrl &base, const Response &response)
{
    CalendarInfo info;
    if (!response.hrefs.isEmpty())
        info.url = asCollection(resolved(base, response.hrefs.first()));
    if (const Prop *name = response.find(davNs, QStringLiteral("displayname")))
        info.displayName = name->text.trimmed();
    if (const Prop *set = response.find(calDavNs, QStringLiteral("supported-calendar-component-set")))
        info.components = set->compNames;
    if (const Prop *reports = response.find(davNs, QStringLiteral("supported-report-set")))
        info.supportsSyncCollection = reports->has(davNs, QStringLiteral("sync-collection"));
    if (const Prop *ctag = response.find(calServerNs, QStringLiteral("getctag")))
        info.ctag = ctag->text.trimmed();
    if (const Prop *token = response.find(davNs, QStringLiteral("sync-token")))
        info.syncToken = token->text.trimmed();
    info.isCalendar = isCalendar(response);
    // A server that does not tell (RFC 3744 is optional) is taken at its word when it refuses a write.
    if (const Prop *privileges = response.find(davNs, QStringLiteral("current-user-privilege-set"))) {
        info.readOnly = !std::any_of(writePrivileges.begin(), writePrivileges.end(), [&](const QString &name) {
            return privileges->has(davNs, name);
        });
    }
    return info;
}

std::chrono::seconds retryAfterFrom(const QByteArray &header)
{
    qint64 seconds = 60;
    bool ok = false;
    const qint64 number = header.trimmed().toLongLong(&ok);
    if (ok) {
        seconds = number;
    } else if (!header.isEmpty()) {
        const QDateTime when = QDateTime::fromString(QString::fromLatin1(header).trimmed(), Qt::RFC2822Date);
        if (when.isValid())
            seconds = QDateTime::currentDateTimeUtc().secsTo(when);
    }
    // A server asking for less than a minute or more than two hours is not taken at its word.
    return std::chrono::seconds(std::clamp<qint64>(seconds, 60, 7200));
}

bool looksLikeHtml(const CalDavClient::Answer &answer)
{
    const QByteArray start = answer.body.left(256).trimmed().toLower();
    return answer.contentType.toLower().contains("html") || start.startsWith("<!doctype html")
        || start.startsWith("<html");
}

} // namespace

CalDavClient::CalDavClient(QObject *parent) : QObject(parent) {}

CalDavClient::~CalDavClient() = default;

void CalDavClient::setCredentials(const QUrl &origin, const QString &user, const QString &password)
{
    m_origin = origin;
    m_authorization = "Basic " + (user.toUtf8() + ':' + password.toUtf8()).toBase64();
}

void CalDavClient::abortAll()
{
    if (m_network)
        if (CalDavNetwork *network = CalDavNetwork::instance())
            network->abortAll(*this);
}

QUrl CalDavClient::resourceUrl(const QUrl &calendar, const QString &uid)
{
    // A UID may hold anything; the resource name keeps to characters every server accepts.
    QString name;
    for (const QChar c : uid) {
        const bool plain = (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            || (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('_');
        name += plain ? c : QLatin1Char('_');
    }
    if (name.isEmpty() || name != uid)
        name = QUuid::createUuidV5(QUuid(), uid).toString(QUuid::WithoutBraces);
    QUrl url = asCollection(calendar);
    url.setPath(url.path() + name + QStringLiteral(".ics"));
    return url;
}

bool CalDavClient::sameOrigin(const QUrl &a, const QUrl &b)
{
    const auto port = [](const QUrl &u) { return u.port(u.scheme() == QLatin1String("https") ? 443 : 80); };
    return a.scheme().compare(b.scheme(), Qt::CaseInsensitive) == 0
        && a.host().compare(b.host(), Qt::CaseInsensitive) == 0 && port(a) == port(b);
}

QUrl CalDavClient::normalized(const QUrl &href)
{
    QUrl url = href.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery);
    url.setPath(url.path(QUrl::FullyDecoded), QUrl::DecodedMode);
    url.setHost(url.host().toLower());
    return url.adjusted(QUrl::NormalizePathSegments);
}

bool CalDavClient::inCalendar(const QUrl &calendar, const QUrl &href)
{
    return !spelledBelow(calendar, href).isEmpty();
}

QString CalDavClient::spelledBelow(const QUrl &calendar, const QUrl &href)
{
    if (!sameOrigin(calendar, href) || href.hasQuery())
        return {};
    // A listing asks about one calendar a thousand times: its path is worked out once.
    thread_local QUrl lastCalendar;
    thread_local QString inside;
    thread_local qsizetype depth = 0;
    if (calendar != lastCalendar || lastCalendar.isEmpty()) {
        inside = QUrl::fromPercentEncoding(asCollection(calendar).path(QUrl::FullyEncoded).toUtf8());
        depth = inside.count(QLatin1Char('/'));
        lastCalendar = calendar;
    }
    // The href is sent back as the server wrote it, so it must mean one path to every reader:
    // servers and proxies disagree on an encoded slash or percent ("%252e%252e" is ".." to one
    // that decodes twice), a backslash, "..;" (a path parameter to some), "%c0%ae" and dots
    // outside ASCII that some fold into ".".
    const QString spelled = href.path(QUrl::FullyEncoded);
    static const QRegularExpression ambiguous(QStringLiteral("%(2f|25|5c)|\\\\"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (spelled.contains(ambiguous))
        return {};
    const QString decoded = QUrl::fromPercentEncoding(spelled.toUtf8());
    const bool odd = std::any_of(decoded.cbegin(), decoded.cend(), [](QChar c) {
        const char16_t u = c.unicode();
        return u == u';' || u == u'\\' || u == char16_t(QChar::ReplacementCharacter) || u == u'\u2024'
            || u == u'\u2025' || u == u'\u2026' || u == u'\u3002' || u == u'\uFE52' || u == u'\uFF0E' || u == u'\uFF61';
    });
    if (odd || decoded.contains(QLatin1String("..")) || !decoded.startsWith(inside) || decoded.size() == inside.size())
        return {};
    // No slash is encoded: the calendar's path ends after as many slashes in either spelling.
    qsizetype at = 0;
    for (qsizetype i = 0; i < depth; ++i)
        at = spelled.indexOf(QLatin1Char('/'), at) + 1;
    return spelled.mid(at);
}

QString CalDavClient::shownAddress(const QUrl &url)
{
    // Only what decides where the password goes: a user name ("cloud.example.org@evil.example"),
    // a path or a host in look-alike letters cannot make one server pass for another.
    QString host = url.host(QUrl::EncodeUnicode);
    if (host.contains(QLatin1Char(':')))
        host = QLatin1Char('[') + host + QLatin1Char(']');
    const int port = url.port(url.scheme() == QLatin1String("https") ? 443 : 80);
    return url.scheme() + QStringLiteral("://") + host + QLatin1Char(':') + QString::number(port);
}

CalDavError::Kind CalDavClient::refusal(const QUrl &from, const QUrl &url) const
{
    const QUrl &trusted = m_origin.isEmpty() ? from : m_origin;
    if (trusted.scheme() == QLatin1String("https") && url.scheme() != QLatin1String("https"))
        return CalDavError::Kind::Insecure;
    if (!sameOrigin(trusted, url))
        return CalDavError::Kind::OtherOrigin;
    return CalDavError::Kind::None;
}

bool CalDavClient::sameResource(const QUrl &a, const QUrl &b)
{
    return resourceKey(a) == resourceKey(b);
}

QString CalDavClient::resourceKey(const QUrl &href)
{
    // Servers spell the same path with and without percent-encoding.
    return href.scheme() + QLatin1Char(' ') + href.host().toLower() + QLatin1Char(' ') + QString::number(href.port())
        + QLatin1Char(' ') + pathKey(href);
}

QString CalDavClient::pathKey(const QUrl &href)
{
    return href.adjusted(QUrl::NormalizePathSegments | QUrl::StripTrailingSlash).path(QUrl::FullyDecoded);
}

void CalDavClient::send(Request request, std::function<void(const Answer &)> done)
{
    Answer answer;
    answer.url = request.url;
    if (const CalDavError::Kind refused = refusal(request.url, request.url); refused != CalDavError::Kind::None) {
        answer.refusal = refused;
        answer.refusedUrl = request.url;
    } else if (CalDavNetwork *network = CalDavNetwork::instance()) {
        network->send(*this, std::move(request), std::move(done));
        return;
    } else {
        answer.networkError = QNetworkReply::ProtocolFailure;
    }
    QMetaObject::invokeMethod(this, [answer, done] { done(answer); }, Qt::QueuedConnection);
}

CalDavNetwork *CalDavNetwork::instance()
{
    static CalDavNetwork *const loaded = CoreLibrary::make<CalDavNetwork>(
        VELMORA_NETWORK_LIBRARY, "velmora_caldav_network", &logSync, "The network could not be loaded:");
    return loaded;
}

CalDavError CalDavClient::notCalDav()
{
    CalDavError error;
    error.kind = CalDavError::Kind::NotCalDav;
    error.message = tr("The address does not lead to a CalDAV server.");
    return error;
}

std::shared_ptr<const MultiStatus> CalDavClient::multiStatusOf(const Answer &answer, CalDavError &error) const
{
    std::shared_ptr<const MultiStatus> status = answer.status == 207 ? answer.multiStatus : nullptr;
    if (!status && answer.status == 207 && answer.brokenXmlLine > 0) {
        // A WebDAV answer that broke off: the server is one, and it is at fault.
        error = CalDavError();
        error.kind = CalDavError::Kind::Server;
        error.httpStatus = answer.status;
        error.message = tr("The server's answer broke off as XML at line %1; nothing of it was taken.")
                            .arg(answer.brokenXmlLine);
        return status;
    }
    if (!status) {
        error = errorFor(answer);
        // A success that is no multistatus: whatever answered is no CalDAV server.
        if (error.ok())
            error = notCalDav();
    }
    return status;
}

CalDavError CalDavClient::errorFor(const Answer &answer) const
{
    CalDavError error;
    error.httpStatus = answer.status;
    const auto fail = [&](CalDavError::Kind kind, const QString &message) {
        error.kind = kind;
        error.message = message;
        return error;
    };
    if (answer.refusal != CalDavError::Kind::None) {
        error.location = answer.refusedUrl;
        const QString sentence = answer.refusal == CalDavError::Kind::Insecure
            ? tr("The server pointed to an address without encryption, %1; nothing was sent there.")
            : tr("The server pointed to another address, %1; the password was not sent there.");
        return fail(answer.refusal, sentence.arg(shownAddress(answer.refusedUrl)));
    }
    if (!answer.movedTo.isEmpty())
        return fail(CalDavError::Kind::Server,
                    tr("The server sent a change on to another address, %1; it was not sent again.")
                        .arg(shownAddress(answer.movedTo)));
    if (answer.tooLarge)
        return fail(CalDavError::Kind::TooLarge, tr("The server's answer was too large to accept."));
    if (answer.overDeadline)
        return fail(CalDavError::Kind::Timeout, tr("The server took more than %n second(s) to answer; the request was stopped.",
                                                   nullptr, int(m_deadline.count() / 1000)));
    if (answer.timedOut)
        return fail(CalDavError::Kind::Timeout, tr("The server did not answer in time."));
    if (answer.status == 0) {
        switch (answer.networkError) {
        case QNetworkReply::NoError:
            return fail(CalDavError::Kind::Network, tr("The server's answer could not be read."));
        case QNetworkReply::SslHandshakeFailedError:
        case QNetworkReply::TooManyRedirectsError:
        case QNetworkReply::InsecureRedirectError:
            return fail(CalDavError::Kind::Tls, tr("The server's certificate could not be verified."));
        case QNetworkReply::TimeoutError:
            return fail(CalDavError::Kind::Timeout, tr("The server did not answer in time."));
        case QNetworkReply::RemoteHostClosedError:
            return fail(CalDavError::Kind::Network, tr("The connection to the server was lost."));
        default:
            return fail(CalDavError::Kind::Network, tr("The server could not be reached."));
        }
    }
    if (answer.success())
        return error;
    switch (answer.status) {
    case 401:
        return fail(CalDavError::Kind::Unauthorized, tr("The server refused the user name or password."));
    case 403:
        return fail(CalDavError::Kind::Forbidden, tr("The server does not allow this for this account."));
    case 404:
    case 410:
        return fail(CalDavError::Kind::NotFound, tr("The calendar or task was not found on the server."));
    case 412:
        return fail(CalDavError::Kind::Conflict, tr("The task was changed on the server meanwhile."));
    case 429:
    case 503: {
        error.retryAfter = retryAfterFrom(answer.retryAfter);
        const int minutes = int((error.retryAfter.count() + 59) / 60);
        return fail(CalDavError::Kind::RateLimited, tr("The server is busy; it asks to wait %n minute(s).", nullptr, minutes));
    }
    default:
        break;
    }
    if (looksLikeHtml(answer) && answer.status < 500)
        return fail(CalDavError::Kind::NotCalDav, tr("The address leads to a web page, not to a CalDAV server."));
    return fail(CalDavError::Kind::Server, tr("The server reported error %1.").arg(answer.status));
}

// ---- Discovery ----

template <typename Result>
std::function<void(Result)> CalDavClient::underRunDeadline(std::function<void(Result)> done)
{
    auto pending = std::make_shared<std::function<void(Result)>>(std::move(done));
    auto *deadline = new QTimer(this);
    deadline->setSingleShot(true);
    connect(deadline, &QTimer::timeout, this, [this, pending, deadline] {
        deadline->deleteLater();
        if (!*pending)
            return;
        abortAll();
        Result result;
        result.error.kind = CalDavError::Kind::Timeout;
        result.error.message = tr("Setting up the account took longer than %n second(s) and was stopped.", nullptr,
                                  int(std::max<qint64>(1, m_runDeadline.count() / 1000)));
        std::exchange(*pending, {})(result);
    });
    deadline->start(m_runDeadline);
    return [pending, deadline = QPointer<QTimer>(deadline)](Result result) {
        if (deadline)
            deadline->deleteLater();
        if (*pending)
            std::exchange(*pending, {})(std::move(result));
    };
}

void CalDavClient::discover(const QUrl &url, std::function<void(Discovery)> done)
{
    auto result = std::make_shared<Discovery>();
    propfindPrincipal(url, std::nullopt, result, underRunDeadline(std::move(done)));
}

void CalDavClient::propfindPrincipal(const QUrl &url, const std::optional<QUrl> &fallback,
                                     std::shared_ptr<Discovery> result, std::function<void(Discovery)> done)
{
    const bool wellKnownTried = fallback.has_value();
    Request request{"PROPFIND", url, propfindPrincipalBody.toByteArray()};
    request.depth = "0";
    send(request, [this, url, fallback, wellKnownTried, result, done](const Answer &answer) {
        const std::shared_ptr<const MultiStatus> status = answer.status == 207 ? answer.multiStatus : nullptr;
        if (status) {
            for (const Response &r : status->responses) {
                const Prop *principal = r.find(davNs, QStringLiteral("current-user-principal"));
                const Prop *home = r.find(calDavNs, QStringLiteral("calendar-home-set"));
                if (principal && !principal->hrefs.isEmpty() && result->principal.isEmpty())
                    result->principal = resolved(answer.url, principal->hrefs.first());
                if (home && !home->hrefs.isEmpty() && result->home.isEmpty())
                    result->home = asCollection(resolved(answer.url, home->hrefs.first()));
                // Only a principal has a calendar home: beside one, the name is the account holder's.
                if (const Prop *name = r.find(davNs, QStringLiteral("displayname")); name && home)
                    result->displayName = name->text.trimmed();
            }
        }
        // Some servers name no principal: the address that answered stands for it.
        if (result->principal.isEmpty() && result->home.isEmpty() && wellKnownTried
            && (status || !fallback->isEmpty()))
            result->principal = status ? answer.url : *fallback;
        if (!result->principal.isEmpty() || !result->home.isEmpty()) {
            if (result->home.isEmpty())
                propfindHome(result, done);
            else
                listCalendars(result, done);
            return;
        }
        const CalDavError error = status ? CalDavError() : errorFor(answer);
        const bool fatal = error.kind == CalDavError::Kind::Unauthorized || error.kind == CalDavError::Kind::Network
            || error.kind == CalDavError::Kind::Tls || error.kind == CalDavError::Kind::Timeout
            || error.kind == CalDavError::Kind::RateLimited || error.kind == CalDavError::Kind::OtherOrigin
            || error.kind == CalDavError::Kind::Insecure;
        if (!wellKnownTried && !fatal) {
            propfindPrincipal(url.resolved(QUrl(QStringLiteral("/.well-known/caldav"))),
                              status ? answer.url : QUrl(), result, done);
            return;
        }
        result->error = error;
        if (result->error.ok() || result->error.kind == CalDavError::Kind::NotFound
            || result->error.kind == CalDavError::Kind::Server)
            result->error = notCalDav();
        done(*result);
    });
}

void CalDavClient::propfindHome(std::shared_ptr<Discovery> result, std::function<void(Discovery)> done)
{
    Request request{"PROPFIND", result->principal, propfindHomeBody.toByteArray()};
    request.depth = "0";
    send(request, [this, result, done](const Answer &answer) {
        const std::shared_ptr<const MultiStatus> status = multiStatusOf(answer, result->error);
        if (!status) {
            done(*result);
            return;
        }
        for (const Response &r : status->responses) {
            if (const Prop *name = r.find(davNs, QStringLiteral("displayname")))
                result->displayName = name->text.trimmed();
            if (const Prop *home = r.find(calDavNs, QStringLiteral("calendar-home-set")); home && !home->hrefs.isEmpty()) {
                result->home = asCollection(resolved(answer.url, home->hrefs.first()));
                break;
            }
        }
        if (result->home.isEmpty())
            result->home = asCollection(result->principal);
        listCalendars(result, done);
    });
}

void CalDavClient::listCalendars(std::shared_ptr<Discovery> result, std::function<void(Discovery)> done)
{
    Request request{"PROPFIND", result->home, propfindCalendarsBody.toByteArray()};
    request.depth = "1";
    send(request, [this, result, done](const Answer &answer) {
        const std::shared_ptr<const MultiStatus> status = multiStatusOf(answer, result->error);
        if (!status) {
            done(*result);
            return;
        }
        for (const Response &r : status->responses) {
            if (!isCalendar(r))
                continue;
            const CalendarInfo info = calendarFrom(answer.url, r);
            // A calendar on another origin would get the password: it is not offered.
            if (info.holdsTodo() && !info.url.isEmpty() && refusal(answer.url, info.url) == CalDavError::Kind::None)
                result->calendars << info;
        }
        done(*result);
    });
}

void CalDavClient::createCalendar(const QUrl &home, const QString &displayName,
                                  std::function<void(CreatedCalendar)> whenDone)
{
    const std::function<void(CreatedCalendar)> done = underRunDeadline(std::move(whenDone));
    const QUrl url = asCollection(asCollection(home).resolved(QUrl(QUuid::createUuid().toString(QUuid::WithoutBraces))));
    Request request{"MKCOL", url, mkcolBody(displayName, false)};
    send(request, [this, url, displayName, done](const Answer &answer) {
        if (answer.status == 201) {
            describeCalendar(url, done);
            return;
        }
        // Servers without extended MKCOL (RFC 5689) know the older MKCALENDAR.
        if (answer.status == 400 || answer.status == 403 || answer.status == 405 || answer.status == 415
            || answer.status == 501) {
            Request fallback{"MKCALENDAR", url, mkcolBody(displayName, true)};
            send(fallback, [this, url, done](const Answer &second) {
                if (second.status == 201) {
                    describeCalendar(url, done);
                    return;
                }
                CreatedCalendar created;
                created.error = errorFor(second);
                done(created);
            });
            return;
        }
        CreatedCalendar created;
        created.error = errorFor(answer);
        if (created.error.ok()) {
            created.error.kind = CalDavError::Kind::Server;
            created.error.message = tr("The server reported error %1.").arg(answer.status);
        }
        done(created);
    });
}

void CalDavClient::describeCalendar(const QUrl &url, std::function<void(CreatedCalendar)> done)
{
    Request request{"PROPFIND", url, propfindCalendarsBody.toByteArray()};
    request.depth = "0";
    send(request, [this, url, done](const Answer &answer) {
        CreatedCalendar created;
        const std::shared_ptr<const MultiStatus> status = multiStatusOf(answer, created.error);
        if (!status || status->responses.isEmpty()) {
            if (created.error.ok())
                created.error = notCalDav();
            done(created);
            return;
        }
        created.calendar = calendarFrom(answer.url, status->responses.first());
        created.calendar.url = url;
        done(created);
    });
}

// ---- Changes ----

void CalDavClient::listChanges(const CalendarInfo &calendar, const SyncState &since, std::function<void(ChangeList)> done)
{
    if (!calendar.supportsSyncCollection) {
        listByCtag(calendar, since, std::move(done));
        return;
    }
    Request request{"REPORT", calendar.url, syncCollectionBody(since.syncToken)};
    request.depth = "0";
    // A sync-collection answer names every resource once: its size grows with the calendar.
    request.maxBytes = 64 * 1024 * 1024;
    send(request, [this, calendar, since, done](const Answer &answer) {
        ChangeList changes;
        const bool hadToken = !since.syncToken.isEmpty();
        if (hadToken && ((answer.status == 403 && errorConditions(answer.body).contains(QStringLiteral("valid-sync-token")))
                         || answer.status == 500 || answer.status == 400)) {
            // Xandikos answers a token it no longer knows with 500, others with 403.
            changes.error.kind = CalDavError::Kind::InvalidSyncToken;
            changes.error.httpStatus = answer.status;
            changes.error.message = tr("The server asked for a full resync.");
            done(changes);
            return;
        }
        const std::shared_ptr<const MultiStatus> status = multiStatusOf(answer, changes.error);
        if (!status) {
            done(changes);
            return;
        }
        changes.state.syncToken = status->syncToken;
        const QString collection = resourceKey(calendar.url);
        for (const Response &r : status->responses) {
            for (const QString &href : r.hrefs) {
                const QUrl url = resolved(answer.url, href);
                if (resourceKey(url) == collection) {
                    // RFC 6578: the collection itself answered 507 means more changes follow.
                    if (r.status == 507)
                        changes.truncated = true;
                    continue;
                }
                if (!inCalendar(calendar.url, url)) {
                    ++changes.outside;
                    continue;
                }
                if (r.status == 404 || r.status == 410) {
                    changes.removed << url;
                } else if (const Prop *etag = r.find(davNs, QStringLiteral("getetag"))) {
                    changes.changed << ResourceState{url, etag->text.trimmed()};
                }
            }
        }
        changes.complete = !hadToken && !changes.truncated;
        changes.unchanged = hadToken && changes.changed.isEmpty() && changes.removed.isEmpty() && !changes.truncated;
        done(changes);
    });
}

void CalDavClient::listByCtag(const CalendarInfo &calendar, const SyncState &since, std::function<void(ChangeList)> done)
{
    Request request{"PROPFIND", calendar.url, propfindCtagBody.toByteArray()};
    request.depth = "0";
    send(request, [this, calendar, since, done](const Answer &answer) {
        ChangeList changes;
        const std::shared_ptr<const MultiStatus> status = multiStatusOf(answer, changes.error);
        if (!status) {
            done(changes);
            return;
        }
        SyncState state;
        for (const Response &r : status->responses) {
            if (const Prop *ctag = r.find(calServerNs, QStringLiteral("getctag")))
                state.ctag = ctag->text.trimmed();
            if (const Prop *token = r.find(davNs, QStringLiteral("sync-token")))
                state.syncToken = token->text.trimmed();
        }
        const bool sameTag = !state.ctag.isEmpty() ? state.ctag == since.ctag
                                                   : !state.syncToken.isEmpty() && state.syncToken == since.syncToken;
        if (sameTag) {
            changes.unchanged = true;
            changes.state = state;
            done(changes);
            return;
        }
        listByEtags(calendar, state, done);
    });
}

void CalDavClient::listByEtags(const CalendarInfo &calendar, const SyncState &state, std::function<void(ChangeList)> done)
{
    Request request{"REPORT", calendar.url, etagQueryBody.toByteArray()};
    request.depth = "1";
    request.maxBytes = 64 * 1024 * 1024;
    send(request, [this, calendar, state, done](const Answer &answer) {
        ChangeList changes;
        changes.state = state;
        const std::shared_ptr<const MultiStatus> status = multiStatusOf(answer, changes.error);
        if (!status) {
            done(changes);
            return;
        }
        changes.complete = true;
        for (const Response &r : status->responses) {
            const Prop *etag = r.find(davNs, QStringLiteral("getetag"));
            for (const QString &href : r.hrefs) {
                const QUrl url = resolved(answer.url, href);
                if (sameResource(url, calendar.url))
                    continue;
                if (!inCalendar(calendar.url, url))
                    ++changes.outside;
                else if (etag)
                    changes.changed << ResourceState{url, etag->text.trimmed()};
            }
        }
        done(changes);
    });
}

// ---- Resources ----

void CalDavClient::fetch(const QUrl &calendar, const QList<QUrl> &hrefs, std::function<void(FetchedResources)> done)
{
    fetchBatch(calendar, hrefs, std::make_shared<FetchedResources>(), std::move(done));
}

void CalDavClient::fetchBatch(QUrl calendar, QList<QUrl> pending, std::shared_ptr<FetchedResources> result,
                              std::function<void(FetchedResources)> done)
{
    if (pending.isEmpty()) {
        done(*result);
        return;
    }
    const QList<QUrl> batch = pending.mid(0, multigetBatch);
    pending.remove(0, batch.size());
    Request request{"REPORT", calendar, multigetBody(batch)};
    request.depth = "1";
    // Each resource may be up to its limit, and XML escaping can double it.
    request.maxBytes = qint64(batch.size()) * maxResourceBytes * 2 + 64 * 1024;
    send(request, [this, calendar, pending, batch, result, done](const Answer &answer) {
        if (answer.status == 207 && answer.brokenXmlLine > 0) {
            // One bad resource (a control character in a title) spoils the XML of its whole batch:
            // each is asked for alone, so only the bad one is missed.
            fetchOneByOne(batch, [=, this] { fetchBatch(calendar, pending, result, done); }, result, done);
            return;
        }
        const std::shared_ptr<const MultiStatus> status = multiStatusOf(answer, result->error);
        if (!status) {
            done(*result);
            return;
        }
        // Each href asked for, found by its key: comparing every answer with every request
        // costs more than reading the batch.
        QMultiHash<QString, qsizetype> unanswered;
        for (qsizetype i = batch.size() - 1; i >= 0; --i)
            unanswered.insert(resourceKey(batch.at(i)), i);
        QList<bool> answered(batch.size(), false);
        for (const Response &r : status->responses) {
            for (const QString &href : r.hrefs) {
                const auto asked = unanswered.constFind(resourceKey(resolved(answer.url, href)));
                if (asked == unanswered.cend())
                    continue;
                const QUrl requested = batch.at(*asked);
                answered[*asked] = true;
                unanswered.erase(asked);
                const Prop *data = r.find(calDavNs, QStringLiteral("calendar-data"));
                const Prop *etag = r.find(davNs, QStringLiteral("getetag"));
                if (!data) {
                    result->missing << requested;
                    continue;
                }
                const QByteArray bytes = data->text.toUtf8();
                if (bytes.size() > maxResourceBytes) {
                    result->refused << requested;
                    continue;
                }
                result->resources << Resource{requested, etag ? etag->text.trimmed() : QString(), bytes};
            }
        }
        for (qsizetype i = 0; i < batch.size(); ++i) {
            if (!answered.at(i))
                result->missing << batch.at(i);
        }
        fetchBatch(calendar, pending, result, done);
    });
}

void CalDavClient::fetchOneByOne(QList<QUrl> batch, std::function<void()> then,
                                 std::shared_ptr<FetchedResources> result, std::function<void(FetchedResources)> done)
{
    if (batch.isEmpty()) {
        then();
        return;
    }
    const QUrl href = batch.takeFirst();
    Request request{"GET", href};
    request.maxBytes = maxResourceBytes;
    send(request, [=, this](const Answer &answer) {
        const CalDavError error = errorFor(answer);
        switch (error.kind) {
        case CalDavError::Kind::None:
            result->resources << Resource{href, QString::fromUtf8(answer.etag), answer.body};
            break;
        case CalDavError::Kind::NotFound:
            result->missing << href;
            break;
        case CalDavError::Kind::Unauthorized:
        case CalDavError::Kind::RateLimited:
        case CalDavError::Kind::Timeout:
        case CalDavError::Kind::Network:
        case CalDavError::Kind::Tls:
        case CalDavError::Kind::OtherOrigin:
        case CalDavError::Kind::Insecure:
            // Not this resource's fault: the run stops as for any request.
            result->error = error;
            done(*result);
            return;
        default:
            result->refused << href;
            break;
        }
        fetchOneByOne(batch, then, result, done);
    });
}

void CalDavClient::put(const QUrl &href, const QByteArray &ics, const QString &ifMatch, std::function<void(WriteResult)> done)
{
    Request request{"PUT", href, ics, "text/calendar; charset=utf-8"};
    if (ifMatch.isEmpty())
        request.headers.append(std::pair<QByteArray, QByteArray>("If-None-Match", "*"));
    else
        request.headers.append(std::pair<QByteArray, QByteArray>("If-Match", ifMatch.toUtf8()));
    send(request, [this, done](const Answer &answer) {
        WriteResult result;
        if (answer.status == 207) {
            // Xandikos refuses a clashing UID with a 412 inside a multistatus.
            const std::shared_ptr<const MultiStatus> status = answer.multiStatus;
            const bool precondition = status && std::any_of(status->responses.begin(), status->responses.end(),
                                                            [](const Response &r) { return r.status == 412; });
            Answer failed = answer;
            failed.status = precondition ? 412 : 500;
            result.error = errorFor(failed);
            done(result);
            return;
        }
        result.error = writeRefused(errorFor(answer));
        if (result.error.ok()) {
            // A weak or missing ETag means the server stored something else than what was sent.
            if (!answer.etag.isEmpty() && !answer.etag.startsWith("W/"))
                result.etag = QString::fromUtf8(answer.etag);
            result.mustFetch = result.etag.isEmpty();
        }
        done(result);
    });
}

void CalDavClient::remove(const QUrl &href, const QString &ifMatch, std::function<void(CalDavError)> done)
{
    Request request{"DELETE", href};
    if (!ifMatch.isEmpty())
        request.headers.append(std::pair<QByteArray, QByteArray>("If-Match", ifMatch.toUtf8()));
    send(request, [this, done](const Answer &answer) {
        if (answer.status == 404 || answer.status == 410) {
            done(CalDavError());
            return;
        }
        done(writeRefused(errorFor(answer)));
    });
}

} // namespace Velmora::Sync

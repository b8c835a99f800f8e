#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>


namespace Velmora::Sync {

namespace DavXml {
struct MultiStatus;
}

// What went wrong, with one sentence for the user.
struct CalDavError {
    enum class Kind {
        None,
        Unauthorized,     // 401: do not retry by itself
        Forbidden,        // 403
        NotFound,         // 404
        Conflict,         // 412: the resource changed on the server since our ETag
        RateLimited,      // 429 or 503: wait retryAfter
        InvalidSyncToken, // the server forgot our sync token: list everything again
        Timeout,
        NotCalDav,        // HTML or something else that is no WebDAV answer
        Tls,
        Network,          // unreachable, refused, connection lost
        TooLarge,         // an answer or a resource over its limit
        OtherOrigin,      // the server pointed to another server: not followed, see location
        Insecure,         // an https account was pointed to plain http: not followed
        Server,           // any other failure status
    };
    Kind kind = Kind::None;
    int httpStatus = 0;
    std::chrono::seconds retryAfter{0};
    QUrl location; // with OtherOrigin and Insecure: where the server pointed
    QString message;

    bool ok() const { return kind == Kind::None; }
};

struct CalendarInfo {
    QUrl url;
    QString displayName;
    QStringList components; // the supported component set; empty when the server gives none (all)
    bool supportsSyncCollection = false;
    QString ctag;
    QString syncToken;
    bool isCalendar = false; // the server calls it a calendar collection
    // The server told that this user may only read it (a calendar shared read-only).
    bool readOnly = false;

    bool holdsTodo() const { return components.isEmpty() || components.contains(QStringLiteral("VTODO")); }
};

struct Discovery {
    QUrl principal;
    // The principal's display name (the account holder's name), when the server tells it.
    QString displayName;
    QUrl home;
    QList<CalendarInfo> calendars; // only those that can hold VTODOs
    CalDavError error;
};

struct CreatedCalendar {
    CalendarInfo calendar;
    CalDavError error;
};

struct ResourceState {
    QUrl href;
    QString etag; // as the server quotes it
};

// Where the last listing left off.
struct SyncState {
    QString syncToken;
    QString ctag;
};

struct ChangeList {
    int outside = 0;        // hrefs outside the calendar, ignored
    bool unchanged = false; // nothing changed since SyncState (one request made)
    bool complete = false;  // `changed` lists every resource; those not named are gone
    bool truncated = false; // the server sent part of the changes: ask again from `state`
    QList<ResourceState> changed;
    QList<QUrl> removed;
    SyncState state;
    CalDavError error;
};

struct Resource {
    QUrl href;
    QString etag;
    QByteArray data;
};

struct FetchedResources {
    QList<Resource> resources;
    QList<QUrl> missing; // gone meanwhile
    QList<QUrl> refused; // over the resource size limit, or not to be read at all
    CalDavError error;
};

struct WriteResult {
    QString etag;           // empty when the server did not give a usable one
    bool mustFetch = false; // the server may have changed what was sent: fetch it for its ETag
    CalDavError error;
};

// A CalDAV client (RFC 4791, 6578, 6764) over QNetworkAccessManager. Every call returns at once
// and answers later through its callback on this object's thread; callbacks of a destroyed
// client never run. It talks to one origin only, the account's: a request or redirect to any
// other, or from https down to http, is refused before anything is sent, and every href from
// the server is taken only when it lies inside the calendar asked about.
class CalDavClient : public QObject {
    Q_OBJECT

public:
    static constexpr qsizetype maxResourceBytes = 1024 * 1024;
    static constexpr int multigetBatch = 25;

    explicit CalDavClient(QObject *parent = nullptr);
    ~CalDavClient() override;

    // The password goes to origin's scheme, host and port, and nothing is sent anywhere else.
    void setCredentials(const QUrl &origin, const QString &user, const QString &password);
    // A request with no progress for this long fails with Kind::Timeout.
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }
    // A request not answered whole within this long fails with Kind::Timeout, however it trickles.
    void setDeadline(std::chrono::milliseconds deadline) { m_deadline = deadline; }
    // Discovery, and making a calendar, end within this long as a whole, however many requests they take.
    void setRunDeadline(std::chrono::milliseconds deadline) { m_runDeadline = deadline; }

    // The calendars that can hold tasks, starting from the given URL, else /.well-known/caldav.
    void discover(const QUrl &url, std::function<void(Discovery)> done);
    // A new collection for VTODOs only under home (extended MKCOL, else MKCALENDAR).
    void createCalendar(const QUrl &home, const QString &displayName, std::function<void(CreatedCalendar)> done);
    // The calendar's name, components and whether it offers sync-collection.
    void describeCalendar(const QUrl &url, std::function<void(CreatedCalendar)> done);
    // Changes since `since`: sync-collection where the calendar offers it, otherwise the ctag
    // and, when it moved, a full ETag listing.
    void listChanges(const CalendarInfo &calendar, const SyncState &since, std::function<void(ChangeList)> done);
    // The resources' data and ETags by calendar-multiget, in batches; a batch whose answer cannot be
    // read is fetched one by one, and a resource that still fails is refused, not the whole fetch.
    void fetch(const QUrl &calendar, const QList<QUrl> &hrefs, std::function<void(FetchedResources)> done);
    // Creates (empty ifMatch: If-None-Match: *) or replaces (If-Match) one resource.
    void put(const QUrl &href, const QByteArray &ics, const QString &ifMatch, std::function<void(WriteResult)> done);
    // Deletes one resource if it still has the ETag (any, with an empty one); one already gone
    // counts as deleted.
    void remove(const QUrl &href, const QString &ifMatch, std::function<void(CalDavError)> done);
    // Stops every request; their callbacks do not run.
    void abortAll();

    // Where a new chore's resource goes: <uid>.ics in the calendar.
    static QUrl resourceUrl(const QUrl &calendar, const QString &uid);
    // Same resource, whatever the spelling of the href.
    static bool sameResource(const QUrl &a, const QUrl &b);
    // The same text for every spelling of one resource's href.
    static QString resourceKey(const QUrl &href);
    // Its path part alone, for hrefs already known to lie on one origin.
    static QString pathKey(const QUrl &href);
    static bool sameOrigin(const QUrl &a, const QUrl &b);
    // The href in one spelling: servers write one path with and without percent-encoding, and
    // "%2e%2e/" must climb like "../" before anything is compared with it.
    static QUrl normalized(const QUrl &href);
    // Whether href lies on the calendar's origin and below its path (not the calendar itself),
    // spelled so that no server or proxy could read it as another path.
    static bool inCalendar(const QUrl &calendar, const QUrl &href);
    // The path of href below the calendar's, spelled as the server spelled it; empty when href
    // is not inCalendar().
    static QString spelledBelow(const QUrl &calendar, const QUrl &href);
    // An address as the user is shown it: scheme://host:port, the host in ASCII, nothing else.
    static QString shownAddress(const QUrl &url);

    struct Answer;
    struct Request;
    struct Incoming;

private:
    // Sent through CalDavNetwork, which sends again through here the redirects it follows.
    void send(Request request, std::function<void(const Answer &)> done);
    friend class CalDavNetwork;
    friend class QtCalDavNetwork;
    // Why nothing may be sent to url: Kind::None when it may.
    CalDavError::Kind refusal(const QUrl &from, const QUrl &url) const;
    CalDavError errorFor(const Answer &answer) const;
    // The answer's multistatus, or none with error set to why there is none.
    std::shared_ptr<const DavXml::MultiStatus> multiStatusOf(const Answer &answer, CalDavError &error) const;
    static CalDavError notCalDav();
    // done, called at most once: by the operation, or with a timeout once m_runDeadline has passed.
    template <typename Result>
    std::function<void(Result)> underRunDeadline(std::function<void(Result)> done);
    void propfindPrincipal(const QUrl &url, const std::optional<QUrl> &fallback, std::shared_ptr<Discovery> result,
                           std::function<void(Discovery)> done);
    void propfindHome(std::shared_ptr<Discovery> result, std::function<void(Discovery)> done);
    void listCalendars(std::shared_ptr<Discovery> result, std::function<void(Discovery)> done);
    void listByCtag(const CalendarInfo &calendar, const SyncState &since, std::function<void(ChangeList)> done);
    void listByEtags(const CalendarInfo &calendar, const SyncState &state, std::function<void(ChangeList)> done);
    void fetchBatch(QUrl calendar, QList<QUrl> pending, std::shared_ptr<FetchedResources> result,
                    std::function<void(FetchedResources)> done);
    void fetchOneByOne(QList<QUrl> batch, std::function<void()> then, std::shared_ptr<FetchedResources> result,
                       std::function<void(FetchedResources)> done);

    // The network's QNetworkAccessManager, made at the first request.
    QObject *m_network = nullptr;
    QUrl m_origin;
    QByteArray m_authorization;
    std::chrono::milliseconds m_timeout{30000};
    std::chrono::milliseconds m_deadline{120000};
    std::chrono::milliseconds m_runDeadline{10 * 60 * 1000};
};

} // namespace Velmora::Sync

#pragma once

// Qt Network behind one seam: the requests of CalDavClient, the loopback test of an address and
// the network's reachability are made in a library of their own (velmora_network), which the
// core loads at the first of them. A process that never syncs maps neither it nor Qt Network
// with the libraries under it (Kerberos, libproxy).
#include "Velmora/Sync/CalDavClient.h"
#include "Velmora/Sync/DavXml.h"

// For the enum of network errors only: nothing of Qt Network is called from the core.
#include <QNetworkReply>

namespace Velmora::Sync {

struct CalDavClient::Request {
    Request(QByteArray verb, QUrl url, QByteArray body = {}, QByteArray contentType = "application/xml; charset=utf-8")
        : verb(std::move(verb)), url(std::move(url)), body(std::move(body)), contentType(std::move(contentType))
    {
    }
    QByteArray verb;
    QUrl url;
    QByteArray body;
    QByteArray contentType;
    QByteArray depth;
    QList<std::pair<QByteArray, QByteArray>> headers;
    qint64 maxBytes = 4 * 1024 * 1024;
    int redirects = 0;
};

// What has come of one answer so far.
struct CalDavClient::Incoming {
    QByteArray body;
    std::unique_ptr<DavXml::MultiStatusReader> multiStatus;
    qint64 received = 0;
    bool timedOut = false;
    bool overDeadline = false;
    bool tooLarge = false;
};

struct CalDavClient::Answer {
    QUrl url; // after redirects
    int status = 0;
    QByteArray body; // of any answer but a multistatus, which is read as it comes
    std::shared_ptr<const DavXml::MultiStatus> multiStatus;
    QByteArray etag;
    QByteArray contentType;
    QByteArray retryAfter;
    QNetworkReply::NetworkError networkError = QNetworkReply::NoError;
    bool timedOut = false;
    bool overDeadline = false;
    bool tooLarge = false;
    bool write = false;       // the request changed something on the server
    qint64 brokenXmlLine = 0; // a multistatus that broke off as XML, at this line
    QUrl movedTo;             // a write answered with a redirect: where to, else the address written
    // Not sent or not followed, and why.
    CalDavError::Kind refusal = CalDavError::Kind::None;
    QUrl refusedUrl;

    bool success() const { return status >= 200 && status <= 299; }
};

class CalDavNetwork {
public:
    virtual ~CalDavNetwork() = default;
    // What CalDavClient::send does once nothing refuses the request: sends it on the client's
    // manager, follows redirects the client allows, answers on the client's thread.
    virtual void send(CalDavClient &client, CalDavClient::Request request,
                      std::function<void(const CalDavClient::Answer &)> done) = 0;
    virtual void abortAll(CalDavClient &client) = 0;
    // Whether host is an address of this machine written as numbers (127.0.0.1, ::1).
    virtual bool isLoopback(const QString &host) = 0;
    // Calls reachable, while context lives, each time the network comes back.
    virtual void followReachability(QObject *context, std::function<void()> reachable) = 0;

    // Loaded at the first call; null, with a warning, when the library is missing.
    static CalDavNetwork *instance();
};

} // namespace Velmora::Sync

// The network's side of the sync: Qt Network, loaded by the core at the first request.
#include "Velmora/Sync/CalDavNetwork.h"

#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

namespace Velmora::Sync {

namespace {

// What Qt's network thread may hold of an answer not yet read here.
constexpr qint64 readAhead = 256 * 1024;

// Takes what Qt holds of the answer, a slice at a time, and reads a multistatus as it comes.
// Qt's network thread reads the socket again only once this side has emptied the reply: the
// answer waits in the server's socket, not in memory, however fast the server sends.
void take(QNetworkReply *reply, CalDavClient::Incoming &incoming, qint64 limit)
{
    constexpr qint64 slice = 64 * 1024;
    const bool multiStatus = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 207;
    // Read until a read comes back empty: only a read that finds nothing tells Qt's network thread
    // that the reply was emptied, and lets it read on.
    while (!incoming.tooLarge) {
        const QByteArray chunk = reply->read(slice);
        if (chunk.isEmpty())
            break;
        incoming.received += chunk.size();
        if (incoming.received > limit) {
            incoming.tooLarge = true;
        } else if (multiStatus) {
            if (!incoming.multiStatus)
                incoming.multiStatus = std::make_unique<DavXml::MultiStatusReader>();
            incoming.multiStatus->addData(chunk);
            incoming.tooLarge = incoming.multiStatus->tooMany();
        } else {
            incoming.body += chunk;
        }
    }
    if (incoming.tooLarge)
        reply->abort();
}

} // namespace

class QtCalDavNetwork : public CalDavNetwork {
public:
    void send(CalDavClient &client, CalDavClient::Request request,
              std::function<void(const CalDavClient::Answer &)> done) override;
    void abortAll(CalDavClient &client) override;
    bool isLoopback(const QString &host) override { return QHostAddress(host).isLoopback(); }
    void followReachability(QObject *context, std::function<void()> reachable) override
    {
        if (!QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
            return;
        QObject::connect(QNetworkInformation::instance(), &QNetworkInformation::reachabilityChanged, context,
                         [reachable](QNetworkInformation::Reachability reachability) {
                             if (reachability == QNetworkInformation::Reachability::Online
                                 || reachability == QNetworkInformation::Reachability::Site)
                                 reachable();
                         });
    }

private:
    static QNetworkAccessManager *manager(CalDavClient &client);
    void finish(CalDavClient &client, QNetworkReply *reply, CalDavClient::Request request,
                CalDavClient::Incoming &incoming, std::function<void(const CalDavClient::Answer &)> done);
};

QNetworkAccessManager *QtCalDavNetwork::manager(CalDavClient &client)
{
    // Made at the first request: a process without an account never starts the network stack.
    if (!client.m_network) {
        auto *manager = new QNetworkAccessManager(&client);
        manager->setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
        client.m_network = manager;
    }
    return static_cast<QNetworkAccessManager *>(client.m_network);
}

void QtCalDavNetwork::abortAll(CalDavClient &client)
{
    if (!client.m_network)
        return;
    for (QNetworkReply *reply : client.m_network->findChildren<QNetworkReply *>()) {
        reply->disconnect(&client);
        if (!reply->isFinished())
            reply->abort();
        reply->deleteLater();
    }
}

void QtCalDavNetwork::send(CalDavClient &client, CalDavClient::Request request,
                           std::function<void(const CalDavClient::Answer &)> done)
{
    QNetworkRequest net(request.url);
    net.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    if (!client.m_authorization.isEmpty())
        net.setRawHeader("Authorization", client.m_authorization);
    if (!request.body.isEmpty())
        net.setHeader(QNetworkRequest::ContentTypeHeader, request.contentType);
    if (!request.depth.isEmpty())
        net.setRawHeader("Depth", request.depth);
    for (const auto &[name, value] : request.headers)
        net.setRawHeader(name, value);
    // HTTP/2 would have Qt's network thread grant the server more as fast as it arrives, whatever
    // the read buffer: HTTP/1.1 stops reading the socket until the app has taken what it holds.
    net.setAttribute(QNetworkRequest::Http2AllowedAttribute, false);
    QNetworkReply *reply = manager(client)->sendCustomRequest(net, request.verb, request.body);
    // Qt's network thread reads no further ahead than this: without it, it takes in whatever a fast
    // server sends, hundreds of megabytes before a limit checked here could stop it. A request with
    // a body starts on the next turn of the event loop, and a size set before it started is lost on
    // the way to the network thread: it is set again once the request is on its way.
    reply->setReadBufferSize(readAhead);
    QMetaObject::invokeMethod(reply, [reply] { reply->setReadBufferSize(readAhead); }, Qt::QueuedConnection);
    auto incoming = std::make_shared<CalDavClient::Incoming>();

    // Two clocks: silence for m_timeout, restarted on every sign of life so a big answer is not
    // cut, and the whole answer within m_deadline, so a server trickling bytes cannot hold a run.
    auto *idle = new QTimer(reply);
    idle->setSingleShot(true);
    idle->setInterval(client.m_timeout);
    QObject::connect(idle, &QTimer::timeout, reply, [reply, incoming] {
        if (!reply->isFinished()) {
            incoming->timedOut = true;
            reply->abort();
        }
    });
    QTimer::singleShot(client.m_deadline, reply, [reply, incoming] {
        if (!reply->isFinished()) {
            incoming->overDeadline = true;
            reply->abort();
        }
    });
    const auto alive = [idle] { idle->start(); };
    QObject::connect(reply, &QNetworkReply::uploadProgress, idle, alive);
    const qint64 limit = request.maxBytes;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, incoming, limit] {
        if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > limit) {
            incoming->tooLarge = true;
            reply->abort();
        }
    });
    // The limit as the bytes arrive, before they are read: an answer without a length (chunked,
    // endless) is stopped at it.
    QObject::connect(reply, &QNetworkReply::downloadProgress, reply, [reply, incoming, limit](qint64 received) {
        if (received > limit && !reply->isFinished()) {
            incoming->tooLarge = true;
            reply->abort();
        }
    });
    // A multistatus is read as it arrives and only what is used is kept, so a huge listing
    // costs little more than a small one.
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, incoming, idle, limit] {
        idle->start();
        take(reply, *incoming, limit);
    });
    idle->start();
    QObject::connect(reply, &QNetworkReply::finished, &client, [this, &client, reply, request, done, incoming] {
        reply->deleteLater();
        if (reply->isOpen())
            take(reply, *incoming, request.maxBytes);
        finish(client, reply, request, *incoming, done);
    });
}

void QtCalDavNetwork::finish(CalDavClient &client, QNetworkReply *reply, CalDavClient::Request request,
                             CalDavClient::Incoming &incoming, std::function<void(const CalDavClient::Answer &)> done)
{
    CalDavClient::Answer answer;
    answer.url = request.url;
    if (incoming.tooLarge) {
        answer.tooLarge = true;
        done(answer);
        return;
    }
    answer.timedOut = incoming.timedOut;
    answer.overDeadline = incoming.overDeadline;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    answer.networkError = reply->error();
    answer.body = std::move(incoming.body);
    answer.write = request.verb != "PROPFIND" && request.verb != "REPORT" && request.verb != "GET";
    // A listing cut off by a clock is not one that broke: the user is told of the clock.
    if (answer.status == 207 && incoming.multiStatus && !answer.timedOut && !answer.overDeadline) {
        if (std::optional<DavXml::MultiStatus> status = incoming.multiStatus->finish())
            answer.multiStatus = std::make_shared<const DavXml::MultiStatus>(std::move(*status));
        else
            answer.brokenXmlLine = incoming.multiStatus->brokenAtLine();
    }
    answer.etag = reply->rawHeader("ETag");
    answer.contentType = reply->rawHeader("Content-Type");
    answer.retryAfter = reply->rawHeader("Retry-After");

    const bool redirect = answer.status == 301 || answer.status == 302 || answer.status == 303
        || answer.status == 307 || answer.status == 308;
    const QByteArray location = reply->rawHeader("Location");
    if (answer.write && answer.status >= 300 && answer.status <= 399) {
        // A write is never sent again, wherever it was sent: a body and the password that went to
        // one resource must not land on another, even on the same server.
        const QUrl target = request.url.resolved(QUrl(QString::fromUtf8(location)));
        answer.movedTo = location.isEmpty() || !target.isValid() ? request.url : target;
        done(answer);
        return;
    }
    if (redirect && !location.isEmpty() && request.redirects < 5) {
        const QUrl target = request.url.resolved(QUrl(QString::fromUtf8(location)));
        if (!target.isValid()) {
            done(answer);
            return;
        }
        // The password never follows a redirect to another origin, nor down to plain http.
        answer.refusal = client.refusal(request.url, target);
        if (answer.refusal != CalDavError::Kind::None) {
            answer.refusedUrl = target;
            done(answer);
            return;
        }
        request.url = target;
        ++request.redirects;
        client.send(std::move(request), std::move(done));
        return;
    }
    done(answer);
}

} // namespace Velmora::Sync

extern "C" Q_DECL_EXPORT Velmora::Sync::CalDavNetwork *velmora_caldav_network()
{
    static Velmora::Sync::QtCalDavNetwork network;
    return &network;
}

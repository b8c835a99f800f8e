#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

#include <optional>

// WebDAV multistatus answers (RFC 4918) as plain values, read namespace-aware.
namespace Velmora::Sync::DavXml {

inline const QString davNs = QStringLiteral("DAV:");
inline const QString calDavNs = QStringLiteral("urn:ietf:params:xml:ns:caldav");
inline const QString calServerNs = QStringLiteral("http://calendarserver.org/ns/");

struct Prop {
    QString ns;
    QString name;
    QString text;            // all text inside, untrimmed (cut after textLimit)
    QStringList hrefs;       // DAV:href elements inside
    QStringList elements;    // the distinct elements inside, as "namespace name"
    QStringList compNames;   // name attributes of CalDAV comp elements inside
    bool has(const QString &ns, const QString &name) const;
};

struct PropStat {
    int status = 0;
    QList<Prop> props;
};

struct Response {
    QStringList hrefs;
    int status = 0; // of the response itself, 0 when it only has propstats
    QList<PropStat> propStats;
    // The prop with a 200 status, or null.
    const Prop *find(const QString &ns, const QString &name) const;
};

struct MultiStatus {
    QList<Response> responses;
    QString syncToken;
};

// Reads a multistatus as it arrives, keeping only what a client can use: a listing of any size
// costs the memory of its responses, not of its bytes. What no client needs (elements nested
// deep, long runs of them, text past a resource's size) is dropped or cut, never piled up.
class MultiStatusReader {
public:
    static constexpr qsizetype textLimit = 2 * 1024 * 1024 + 1;
    static constexpr qsizetype maxResponses = 50000;
    static constexpr int maxDepth = 64;

    MultiStatusReader();
    ~MultiStatusReader();
    void addData(const QByteArray &chunk);
    // The whole answer, or none when it is no well-formed multistatus or holds too much.
    std::optional<MultiStatus> finish();
    bool tooMany() const { return m_tooMany; }
    // The line where a multistatus stopped being well-formed XML, once finish() found it so; else 0.
    // A broken answer of a WebDAV server, not an answer of something that is no WebDAV server.
    qint64 brokenAtLine() const { return m_brokenLine; }

private:
    void read();
    void start();
    void end();
    void characters();

    QXmlStreamReader m_xml;
    MultiStatus m_result;
    enum class Frame : char { Root, Response, ResponseHref, ResponseStatus, SyncToken, PropStat, PropStatStatus,
                              PropList, Prop, InsideProp, Ignored };
    Frame m_frames[maxDepth]; // what each open element is, judged from its parent
    Response m_response;
    PropStat m_propStat;
    Prop m_prop;
    QString m_text;     // of the simple element being read (href, status, sync-token)
    int m_depth = 0;
    QString m_href;
    int m_hrefDepth = 0; // inside a prop: the depth of the DAV:href being read, else 0
    bool m_done = false;
    bool m_started = false; // the root was a multistatus
    qint64 m_brokenLine = 0;
    bool m_broken = false;
    bool m_tooMany = false;
};

std::optional<MultiStatus> parseMultiStatus(const QByteArray &xml);
// Names of the conditions inside a DAV:error answer, e.g. "valid-sync-token".
QStringList errorConditions(const QByteArray &xml);
int statusCode(const QString &statusLine);
QString escaped(const QString &text);

} // namespace Velmora::Sync::DavXml

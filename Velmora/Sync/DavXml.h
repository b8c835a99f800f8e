#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// WebDAV multistatus answers (RFC 4918) as plain values, read namespace-aware.
namespace Velmora::Sync::DavXml {

inline const QString davNs = QStringLiteral("DAV:");
inline const QString calDavNs = QStringLiteral("urn:ietf:params:xml:ns:caldav");
inline const QString calServerNs = QStringLiteral("http://calendarserver.org/ns/");

struct Prop {
    QString ns;
    QString name;
    QString text;            // all text inside, untrimmed
    QStringList hrefs;       // DAV:href elements inside
    QStringList elements;    // every element inside, as "namespace name"
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

std::optional<MultiStatus> parseMultiStatus(const QByteArray &xml);
// Names of the conditions inside a DAV:error answer, e.g. "valid-sync-token".
QStringList errorConditions(const QByteArray &xml);
int statusCode(const QString &statusLine);
QString escaped(const QString &text);

} // namespace Velmora::Sync::DavXml

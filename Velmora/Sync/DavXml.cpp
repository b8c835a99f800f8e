#include "Velmora/Sync/DavXml.h"

#include <QXmlStreamReader>

namespace Velmora::Sync::DavXml {

namespace {

bool is(const QXmlStreamReader &r, const QString &ns, const QString &name)
{
    return r.namespaceUri() == ns && r.name() == name;
}

Prop readProp(QXmlStreamReader &r)
{
    Prop prop{r.namespaceUri().toString(), r.name().toString(), {}, {}, {}, {}};
    int depth = 0;
    QString href;
    bool inHref = false;
    while (!r.atEnd()) {
        const QXmlStreamReader::TokenType token = r.readNext();
        if (token == QXmlStreamReader::StartElement) {
            ++depth;
            prop.elements << r.namespaceUri().toString() + QLatin1Char(' ') + r.name().toString();
            if (is(r, davNs, QStringLiteral("href"))) {
                inHref = true;
                href.clear();
            } else if (is(r, calDavNs, QStringLiteral("comp"))) {
                prop.compNames << r.attributes().value(QStringLiteral("name")).toString().toUpper();
            }
        } else if (token == QXmlStreamReader::EndElement) {
            if (depth == 0)
                break;
            --depth;
            if (inHref && is(r, davNs, QStringLiteral("href"))) {
                prop.hrefs << href.trimmed();
                inHref = false;
            }
        } else if (token == QXmlStreamReader::Characters) {
            prop.text += r.text();
            if (inHref)
                href += r.text();
        }
    }
    return prop;
}

PropStat readPropStat(QXmlStreamReader &r)
{
    PropStat propStat;
    while (r.readNextStartElement()) {
        if (is(r, davNs, QStringLiteral("prop"))) {
            while (r.readNextStartElement())
                propStat.props << readProp(r);
        } else if (is(r, davNs, QStringLiteral("status"))) {
            propStat.status = statusCode(r.readElementText());
        } else {
            r.skipCurrentElement();
        }
    }
    return propStat;
}

Response readResponse(QXmlStreamReader &r)
{
    Response response;
    while (r.readNextStartElement()) {
        if (is(r, davNs, QStringLiteral("href")))
            response.hrefs << r.readElementText().trimmed();
        else if (is(r, davNs, QStringLiteral("status")))
            response.status = statusCode(r.readElementText());
        else if (is(r, davNs, QStringLiteral("propstat")))
            response.propStats << readPropStat(r);
        else
            r.skipCurrentElement();
    }
    return response;
}

} // namespace

bool Prop::has(const QString &ns, const QString &name) const
{
    return elements.contains(ns + QLatin1Char(' ') + name);
}

const Prop *Response::find(const QString &ns, const QString &name) const
{
    for (const PropStat &propStat : propStats) {
        if (propStat.status < 200 || propStat.status > 299)
            continue;
        for (const Prop &prop : propStat.props) {
            if (prop.ns == ns && prop.name == name)
                return &prop;
        }
    }
    return nullptr;
}

std::optional<MultiStatus> parseMultiStatus(const QByteArray &xml)
{
    QXmlStreamReader r(xml);
    if (!r.readNextStartElement() || !is(r, davNs, QStringLiteral("multistatus")))
        return std::nullopt;
    MultiStatus result;
    while (r.readNextStartElement()) {
        if (is(r, davNs, QStringLiteral("response")))
            result.responses << readResponse(r);
        else if (is(r, davNs, QStringLiteral("sync-token")))
            result.syncToken = r.readElementText().trimmed();
        else
            r.skipCurrentElement();
    }
    if (r.hasError())
        return std::nullopt;
    return result;
}

QStringList errorConditions(const QByteArray &xml)
{
    QXmlStreamReader r(xml);
    QStringList names;
    if (!r.readNextStartElement() || !is(r, davNs, QStringLiteral("error")))
        return names;
    while (r.readNextStartElement()) {
        names << r.name().toString();
        r.skipCurrentElement();
    }
    return names;
}

int statusCode(const QString &statusLine)
{
    // "HTTP/1.1 404 Not Found"
    const QStringList parts = statusLine.simplified().split(QLatin1Char(' '));
    return parts.size() >= 2 ? parts[1].toInt() : 0;
}

QString escaped(const QString &text)
{
    return text.toHtmlEscaped();
}

} // namespace Velmora::Sync::DavXml

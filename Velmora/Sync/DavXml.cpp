#include "Velmora/Sync/DavXml.h"

#include <algorithm>

namespace Velmora::Sync::DavXml {

namespace {

bool is(const QXmlStreamReader &r, const QString &ns, const QString &name)
{
    return r.namespaceUri() == ns && r.name() == name;
}

// Bounds on what one answer may make us keep; a server that sends more is cut off there.
constexpr qsizetype kMaxShortText = 8192; // an href, a status line, a sync token
constexpr qsizetype kMaxListed = 64;      // hrefs, props, distinct elements and the like in one place

void appendCapped(QString &to, QStringView text, qsizetype limit)
{
    if (to.size() < limit)
        to += text.left(limit - to.size());
}

template <typename T>
void appendCapped(QList<T> &to, T value)
{
    if (to.size() < kMaxListed)
        to.append(std::move(value));
}

} // namespace

MultiStatusReader::MultiStatusReader() = default;
MultiStatusReader::~MultiStatusReader() = default;

void MultiStatusReader::addData(const QByteArray &chunk)
{
    if (m_broken || m_tooMany)
        return;
    m_xml.addData(chunk);
    read();
}

std::optional<MultiStatus> MultiStatusReader::finish()
{
    read();
    if (m_started && !m_tooMany && (m_broken || !m_done))
        m_brokenLine = std::max<qint64>(1, m_xml.lineNumber());
    if (m_broken || m_tooMany || !m_done)
        return std::nullopt;
    return std::move(m_result);
}

void MultiStatusReader::read()
{
    while (!m_broken && !m_tooMany) {
        switch (m_xml.readNext()) {
        case QXmlStreamReader::StartElement:
            start();
            break;
        case QXmlStreamReader::EndElement:
            end();
            break;
        case QXmlStreamReader::Characters:
            characters();
            break;
        case QXmlStreamReader::Invalid:
            // Out of data for now: the next chunk goes on from here.
            if (m_xml.error() != QXmlStreamReader::PrematureEndOfDocumentError)
                m_broken = true;
            return;
        case QXmlStreamReader::EndDocument:
            return;
        default:
            break;
        }
    }
}

void MultiStatusReader::start()
{
    if (m_depth == maxDepth) {
        m_broken = true;
        return;
    }
    const Frame parent = m_depth == 0 ? Frame::Ignored : m_frames[m_depth - 1];
    Frame frame = Frame::Ignored;
    m_text.clear();
    if (m_depth == 0) {
        frame = Frame::Root;
        m_started = is(m_xml, davNs, QStringLiteral("multistatus"));
        m_broken = !m_started;
    } else if (parent == Frame::Root) {
        if (is(m_xml, davNs, QStringLiteral("response"))) {
            frame = Frame::Response;
            m_response = {};
        } else if (is(m_xml, davNs, QStringLiteral("sync-token"))) {
            frame = Frame::SyncToken;
        }
    } else if (parent == Frame::Response) {
        if (is(m_xml, davNs, QStringLiteral("href"))) {
            frame = Frame::ResponseHref;
        } else if (is(m_xml, davNs, QStringLiteral("status"))) {
            frame = Frame::ResponseStatus;
        } else if (is(m_xml, davNs, QStringLiteral("propstat"))) {
            frame = Frame::PropStat;
            m_propStat = {};
        }
    } else if (parent == Frame::PropStat) {
        if (is(m_xml, davNs, QStringLiteral("prop")))
            frame = Frame::PropList;
        else if (is(m_xml, davNs, QStringLiteral("status")))
            frame = Frame::PropStatStatus;
    } else if (parent == Frame::PropList) {
        frame = Frame::Prop;
        m_prop = Prop{m_xml.namespaceUri().toString(), m_xml.name().toString(), {}, {}, {}, {}};
        m_hrefDepth = 0;
    } else if (parent == Frame::Prop || parent == Frame::InsideProp) {
        frame = Frame::InsideProp;
        // Compared in place: a server can send millions of the same element, and a string made for
        // each costs more than reading it.
        const QStringView ns = m_xml.namespaceUri(), name = m_xml.name();
        const bool listed = std::any_of(m_prop.elements.cbegin(), m_prop.elements.cend(), [&](QStringView e) {
            return e.size() == ns.size() + 1 + name.size() && e.startsWith(ns) && e.endsWith(name)
                && e.at(ns.size()) == QLatin1Char(' ');
        });
        if (!listed)
            appendCapped(m_prop.elements, ns.toString() + QLatin1Char(' ') + name.toString());
        if (is(m_xml, davNs, QStringLiteral("href")) && m_hrefDepth == 0) {
            m_hrefDepth = m_depth + 1;
            m_href.clear();
        } else if (is(m_xml, calDavNs, QStringLiteral("comp"))) {
            appendCapped(m_prop.compNames, m_xml.attributes().value(QStringLiteral("name")).toString().toUpper());
        }
    }
    m_frames[m_depth++] = frame;
}

void MultiStatusReader::characters()
{
    if (m_depth == 0)
        return;
    switch (m_frames[m_depth - 1]) {
    case Frame::ResponseHref:
    case Frame::ResponseStatus:
    case Frame::SyncToken:
    case Frame::PropStatStatus:
        appendCapped(m_text, m_xml.text(), kMaxShortText);
        break;
    case Frame::Prop:
    case Frame::InsideProp:
        appendCapped(m_prop.text, m_xml.text(), textLimit);
        if (m_hrefDepth != 0)
            appendCapped(m_href, m_xml.text(), kMaxShortText);
        break;
    default:
        break;
    }
}

void MultiStatusReader::end()
{
    if (m_depth == 0)
        return;
    const Frame frame = m_frames[--m_depth];
    switch (frame) {
    case Frame::Root:
        m_done = true;
        break;
    case Frame::Response:
        if (m_result.responses.size() >= maxResponses)
            m_tooMany = true;
        else
            m_result.responses.append(std::move(m_response));
        break;
    case Frame::ResponseHref:
        appendCapped(m_response.hrefs, m_text.trimmed());
        break;
    case Frame::ResponseStatus:
        m_response.status = statusCode(m_text);
        break;
    case Frame::SyncToken:
        m_result.syncToken = m_text.trimmed();
        break;
    case Frame::PropStat:
        appendCapped(m_response.propStats, std::move(m_propStat));
        break;
    case Frame::PropStatStatus:
        m_propStat.status = statusCode(m_text);
        break;
    case Frame::Prop:
        appendCapped(m_propStat.props, std::move(m_prop));
        break;
    case Frame::InsideProp:
        if (m_depth + 1 == m_hrefDepth) {
            appendCapped(m_prop.hrefs, m_href.trimmed());
            m_hrefDepth = 0;
        }
        break;
    default:
        break;
    }
}

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
    MultiStatusReader reader;
    reader.addData(xml);
    return reader.finish();
}

QStringList errorConditions(const QByteArray &xml)
{
    QXmlStreamReader r(xml);
    QStringList names;
    if (!r.readNextStartElement() || !is(r, davNs, QStringLiteral("error")))
        return names;
    while (r.readNextStartElement() && names.size() < kMaxListed) {
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

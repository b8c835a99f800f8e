#include "Velmora/Styling/Symbols.h"

#include "Velmora/Styling/SymbolImageProvider.h"

#include <QQmlEngine>
#include <QUrlQuery>

namespace Velmora {

namespace {
const QString kProvider = QStringLiteral("symbol");
}

Symbols *Symbols::create(QQmlEngine *qmlEngine, QJSEngine *)
{
    install(qmlEngine);
    return new Symbols(nullptr);
}

Symbols::Symbols(QObject *parent)
    : QObject(parent)
{
}

void Symbols::install(QQmlEngine *engine)
{
    if (engine && !engine->imageProvider(kProvider))
        engine->addImageProvider(kProvider, new SymbolImageProvider);
}

QUrl Symbols::sourceUrl(const QString &name, const QColor &color)
{
    QUrl url;
    url.setScheme(QStringLiteral("image"));
    url.setHost(kProvider);
    url.setPath(QLatin1Char('/') + name);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("color"),
                       QString::fromLatin1(QUrl::toPercentEncoding(color.name(QColor::HexArgb))));
    url.setQuery(query);
    return url;
}

bool Symbols::has(const QString &name) const
{
    return SymbolImageProvider::knows(name);
}

} // namespace Velmora

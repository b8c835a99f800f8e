#pragma once

#include <QQuickImageProvider>
#include <QStringList>

namespace Velmora {

// Draws the app's own symbols by name, tinted: "bell?color=%23ffffff" at the requested size.
class SymbolImageProvider : public QQuickImageProvider
{
public:
    SymbolImageProvider();

    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    static QImage render(const QString &name, const QColor &color, QSize size);
    static bool knows(const QString &name);
    static const QStringList &names();
    // The size actually drawn for a request: square when only one side is given, bounded.
    static QSize effectiveSize(const QSize &requested);

    static constexpr int defaultSide = 24;
    static constexpr int maxSide = 1024;
};

} // namespace Velmora

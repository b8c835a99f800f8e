#include "Velmora/Styling/SymbolImageProvider.h"
#include "Velmora/Styling/Symbols.h"

#include <QUrl>

#include <gtest/gtest.h>

using Velmora::SymbolImageProvider;

namespace {

struct Ink {
    int opaque = 0;
    int offColour = 0;
};

// Counts the drawn pixels and those whose colour is not the requested one.
Ink inkOf(const QImage &image, const QColor &colour)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y).toRgb();
            if (c.alpha() < 128)
                continue;
            ++ink.opaque;
            if (std::abs(c.red() - colour.red()) > 3 || std::abs(c.green() - colour.green()) > 3
                || std::abs(c.blue() - colour.blue()) > 3)
                ++ink.offColour;
        }
    }
    return ink;
}

} // namespace

class EverySymbol : public testing::TestWithParam<QString> {};

TEST_P(EverySymbol, DrawsInTheRequestedColour)
{
    const QColor orange(250, 120, 10);
    const QImage image = SymbolImageProvider::render(GetParam(), orange, QSize(48, 48));
    ASSERT_EQ(image.size(), QSize(48, 48));
    const Ink ink = inkOf(image, orange);
    EXPECT_GT(ink.opaque, 48) << GetParam().toStdString();
    EXPECT_EQ(ink.offColour, 0);
    // Nothing covers the whole square: every symbol leaves background around or inside it.
    EXPECT_LT(ink.opaque, 48 * 48 * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(Names, EverySymbol, testing::ValuesIn(SymbolImageProvider::names()),
                         [](const auto &info) {
                             QString name = info.param;
                             return name.replace(QLatin1Char('.'), QLatin1Char('_')).toStdString();
                         });

TEST(SymbolImageProvider, UnknownNamesAreTransparent)
{
    for (const QString &name : {QStringLiteral("nope"), QStringLiteral(""), QStringLiteral("../../Styling"),
                               QStringLiteral("bell.svg"), QStringLiteral("BELL")}) {
        const QImage image = SymbolImageProvider::render(name, Qt::red, QSize(30, 20));
        EXPECT_EQ(image.size(), QSize(30, 20));
        EXPECT_EQ(inkOf(image, Qt::red).opaque, 0) << name.toStdString();
    }
}

TEST(SymbolImageProvider, RequestedSizesAreSane)
{
    const std::pair<QSize, QSize> cases[] = {{QSize(), QSize(24, 24)}, {QSize(0, 0), QSize(24, 24)},
                                             {QSize(-5, -9), QSize(24, 24)}, {QSize(0, 40), QSize(40, 40)},
                                             {QSize(17, -1), QSize(17, 17)}, {QSize(1, 1), QSize(1, 1)},
                                             {QSize(100000, 3), QSize(1024, 3)}};
    SymbolImageProvider provider;
    for (const auto &[requested, drawn] : cases) {
        QSize size;
        EXPECT_EQ(provider.requestImage(QStringLiteral("circle"), &size, requested).size(), drawn) << requested.width();
        EXPECT_EQ(size, drawn);
    }
}

TEST(SymbolImageProvider, ReadsTheColourOfTheSourceUrl)
{
    // The provider gets what follows "image://symbol/" in the url QML builds.
    const QUrl url = Velmora::Symbols::sourceUrl(QStringLiteral("bell.slash"), QColor(0, 200, 80));
    EXPECT_EQ(url.scheme(), QStringLiteral("image"));
    EXPECT_EQ(url.host(), QStringLiteral("symbol"));
    const QString id = url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).mid(1);
    SymbolImageProvider provider;
    QSize size;
    const QImage image = provider.requestImage(id, &size, QSize(32, 32));
    const Ink ink = inkOf(image, QColor(0, 200, 80));
    EXPECT_GT(ink.opaque, 20);
    EXPECT_EQ(ink.offColour, 0);
    // A colour that does not parse leaves the default black.
    const QImage black = provider.requestImage(QStringLiteral("plus?color=%23zz"), &size, QSize(32, 32));
    EXPECT_EQ(inkOf(black, Qt::black).offColour, 0);
    EXPECT_GT(inkOf(black, Qt::black).opaque, 20);
}

#include "VelmoraQmlPlugins.h"

#include "Velmora/Styling/ColorScheme.h"
#include "Velmora/Styling/SymbolImageProvider.h"
#include "Velmora/Styling/Symbols.h"
#include "tests/support/PrivateBus.h"
#include "tests/support/TestSupport.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QSignalSpy>
#include <QThread>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>

using Velmora::ColorScheme;
using Velmora::SymbolImageProvider;

struct PaletteCase {
    QColor window;
    bool dark;
};

class PaletteLightness : public testing::TestWithParam<PaletteCase> {};

TEST_P(PaletteLightness, DecidesTheScheme)
{
    QPalette palette;
    palette.setColor(QPalette::Window, GetParam().window);
    EXPECT_EQ(ColorScheme::isDark(palette), GetParam().dark) << GetParam().window.name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Windows, PaletteLightness,
                         testing::Values(PaletteCase{Qt::white, false}, PaletteCase{QColor("#EFEFEF"), false},
                                         PaletteCase{QColor(128, 128, 128), false},
                                         PaletteCase{QColor(126, 126, 126), true}, PaletteCase{QColor("#1E1E1E"), true},
                                         PaletteCase{Qt::black, true},
                                         // a saturated blue is dark by lightness though bright in hue
                                         PaletteCase{QColor(0, 0, 200), true}));

namespace {

// The desktop's Settings portal as far as the colour scheme goes, answering from a thread of
// its own so that the scheme's blocking first read can be answered.
class FakeSettingsPortal : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")
public:
    std::optional<QVariant> colorScheme;

public slots:
    QDBusVariant Read(const QString &group, const QString &key)
    {
        if (group != QLatin1String("org.freedesktop.appearance") || key != QLatin1String("color-scheme") || !colorScheme) {
            sendErrorReply(QStringLiteral("org.freedesktop.portal.Error.NotFound"), QStringLiteral("Requested setting not found"));
            return {};
        }
        // The portal wraps the value in a second variant.
        return QDBusVariant(QVariant::fromValue(QDBusVariant(*colorScheme)));
    }
};

void setPalette(bool dark)
{
    QPalette palette;
    palette.setColor(QPalette::Window, QColor(dark ? "#202020" : "#F4F4F4"));
    QGuiApplication::setPalette(palette);
}

} // namespace

// The portal's preference wins over the palette; with no preference, an odd value or no portal
// the palette decides. A change announced by the portal is followed at once.
TEST(ColorScheme, FollowsTheSettingsPortalElseThePalette)
{
    VelmoraTest::PrivateBus bus;
    ASSERT_TRUE(bus.isRunning());
    QDBusConnection portalBus = bus.connect(QStringLiteral("portal"));
    QThread thread;
    FakeSettingsPortal portal;
    portal.moveToThread(&thread);
    thread.start();
    ASSERT_TRUE(portalBus.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), &portal,
                                         QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(portalBus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    const QPalette original = QGuiApplication::palette();

    const struct {
        std::optional<QVariant> portal;
        bool paletteDark;
        bool dark;
    } cases[] = {
        {QVariant(1u), false, true},
        {QVariant(2u), true, false},
        {QVariant(0u), true, true},
        {QVariant(0u), false, false},
        {QVariant(7u), true, true},
        {QVariant(QStringLiteral("dark")), false, false},
        {std::nullopt, true, true},
        {std::nullopt, false, false},
    };
    for (const auto &c : cases) {
        portal.colorScheme = c.portal;
        setPalette(c.paletteDark);
        ColorScheme scheme(bus.connect(QStringLiteral("client")));
        EXPECT_EQ(scheme.dark(), c.dark) << (c.portal ? c.portal->toString().toStdString() : "no setting")
                                         << (c.paletteDark ? " over a dark palette" : " over a light palette");
    }

    // Followed live: the desktop turns dark, then says it has no preference (the light palette decides).
    portal.colorScheme = QVariant(2u);
    setPalette(false);
    ColorScheme scheme(bus.connect(QStringLiteral("client")));
    QSignalSpy changes(&scheme, &ColorScheme::darkChanged);
    const auto announce = [&](uint value) {
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/portal/desktop"),
                                                         QStringLiteral("org.freedesktop.portal.Settings"),
                                                         QStringLiteral("SettingChanged"));
        signal << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme")
               << QVariant::fromValue(QDBusVariant(value));
        portalBus.send(signal);
    };
    announce(1);
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return scheme.dark(); }));
    announce(0);
    EXPECT_TRUE(VelmoraTest::waitFor([&] { return !scheme.dark(); }));
    EXPECT_EQ(changes.count(), 2);
    // Without a preference the palette is followed live; another dark palette changes nothing.
    setPalette(true);
    EXPECT_TRUE(scheme.dark());
    QPalette darker;
    darker.setColor(QPalette::Window, QColor("#101010"));
    QGuiApplication::setPalette(darker);
    EXPECT_EQ(changes.count(), 3);

    portalBus.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
    thread.quit();
    thread.wait();
    QGuiApplication::setPalette(original);
}

// Text reads at 4.5:1 or better (WCAG AA) in both schemes: the app's colours as text on the
// backdrop, and white titles and symbols on the buttons' fills.
TEST(ColorScheme, TextKeepsItsContrastInBothSchemes)
{
    const QPalette original = QGuiApplication::palette();
    QQmlEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport Velmora.Styling\nQtObject { property var s: Styling }", QUrl());
    const std::unique_ptr<QObject> holder(component.create());
    ASSERT_NE(holder, nullptr) << component.errorString().toStdString();
    const auto styling = holder->property("s").value<QObject *>();
    const auto colour = [&](const char *name) { return styling->property(name).value<QColor>(); };
    // WCAG's contrast ratio, 1 to 21.
    const auto contrast = [](const QColor &a, const QColor &b) {
        const auto luminance = [](const QColor &c) {
            const auto linear = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
            return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
        };
        return (std::max(luminance(a), luminance(b)) + 0.05) / (std::min(luminance(a), luminance(b)) + 0.05);
    };
    for (const bool dark : {false, true}) {
        setPalette(dark);
        ASSERT_TRUE(VelmoraTest::waitFor([&] { return styling->property("dark").toBool() == dark; }));
        for (const auto &[text, ground] : {std::pair{"foreground", "backdrop"}, {"accent", "backdrop"},
                                            {"destructiveColor", "backdrop"}}) {
            EXPECT_GE(contrast(colour(text), colour(ground)), 4.5) << text << (dark ? " dark" : " light");
        }
        for (const char *fill : {"accentFill", "destructiveFill"})
            EXPECT_GE(contrast(Qt::white, colour(fill)), 4.5) << fill << (dark ? " dark" : " light");
    }
    QGuiApplication::setPalette(original);
}

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
    EXPECT_EQ(ink.offColour, 0) << GetParam().toStdString();
    // Nothing covers the whole square: every symbol leaves background around or inside it.
    EXPECT_LT(ink.opaque, 48 * 48 * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(Names, EverySymbol, testing::ValuesIn(SymbolImageProvider::names()));

TEST(SymbolImageProvider, UnknownNamesAreTransparent)
{
    for (const QString &name : {QStringLiteral("nope"), QStringLiteral(""), QStringLiteral("../../Styling"),
                               QStringLiteral("bell.svg"), QStringLiteral("BELL")}) {
        const QImage image = SymbolImageProvider::render(name, Qt::red, QSize(30, 20));
        EXPECT_EQ(image.size(), QSize(30, 20));
        EXPECT_EQ(inkOf(image, Qt::red).opaque, 0) << name.toStdString();
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

#include "StylingTest.moc"

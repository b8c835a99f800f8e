#include "Velmora/Styling/ColorScheme.h"
#include "Velmora/Styling/Typography.h"

#include <QGuiApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

using Velmora::ColorScheme;

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

TEST(ColorScheme, FollowsTheApplicationPalette)
{
    const QPalette original = QGuiApplication::palette();
    QPalette light;
    light.setColor(QPalette::Window, QColor("#F4F4F4"));
    QGuiApplication::setPalette(light);

    ColorScheme scheme;
    EXPECT_FALSE(scheme.dark());
    QSignalSpy spy(&scheme, &ColorScheme::darkChanged);

    QPalette dark;
    dark.setColor(QPalette::Window, QColor("#202020"));
    QGuiApplication::setPalette(dark);
    EXPECT_TRUE(scheme.dark());
    EXPECT_EQ(spy.count(), 1);

    // Another dark palette changes nothing.
    dark.setColor(QPalette::Window, QColor("#101010"));
    QGuiApplication::setPalette(dark);
    EXPECT_EQ(spy.count(), 1);

    QGuiApplication::setPalette(light);
    EXPECT_FALSE(scheme.dark());
    EXPECT_EQ(spy.count(), 2);
    QGuiApplication::setPalette(original);
}

TEST(Typography, TitleIsCondensedAndTracked)
{
    const QFont title = Velmora::Typography::title();
    EXPECT_EQ(title.pixelSize(), 42);
    EXPECT_EQ(title.weight(), QFont::Medium);
    EXPECT_EQ(title.letterSpacingType(), QFont::AbsoluteSpacing);
    EXPECT_EQ(title.letterSpacing(), 4);
    EXPECT_EQ(title.stretch(), int(QFont::Condensed));
}

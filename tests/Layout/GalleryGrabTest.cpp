// Renders the gallery page offscreen, keeps the PNG next to the test and checks what it shows.
#include <QCoreApplication>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QSignalSpy>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

#include <cmath>

Q_IMPORT_QML_PLUGIN(Velmora_LayoutPlugin)
Q_IMPORT_QML_PLUGIN(Velmora_StylingPlugin)

namespace {

QColor at(const QImage &image, QPointF p)
{
    return image.pixelColor(int(std::floor(p.x())), int(std::floor(p.y())));
}

bool near(const QColor &a, const QColor &b, int tolerance = 12)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
           && std::abs(a.blue() - b.blue()) <= tolerance;
}

QString describe(const QColor &c)
{
    return c.name();
}

class GalleryGrab : public testing::Test
{
protected:
    void SetUp() override
    {
        view.engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
        view.setSource(QUrl::fromLocalFile(QStringLiteral(GALLERY_QML)));
        ASSERT_EQ(view.status(), QQuickView::Ready) << view.errors().value(0).toString().toStdString();
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        // Let polish and one frame settle the grid before grabbing.
        QTest::qWait(100);
        image = view.grabWindow();
        image.save(QCoreApplication::applicationDirPath() + QStringLiteral("/gallery.png"));
        page = view.rootObject();
    }

    QQuickItem *child(const char *name) const { return page->property(name).value<QQuickItem *>(); }

    QQuickView view;
    QImage image;
    QQuickItem *page = nullptr;
};

} // namespace

TEST_F(GalleryGrab, TilesSitInTheirGridCells)
{
    ASSERT_FALSE(image.isNull());
    auto *grid = child("grid");
    ASSERT_TRUE(grid);
    EXPECT_EQ(grid->property("columns").toInt(), 3);
    const QList<QQuickItem *> items = grid->childItems();
    int tiles = 0;
    for (QQuickItem *tile : items) {
        if (tile->inherits("QQuickRepeater"))
            continue;
        ++tiles;
        const QColor expected = tile->property("color").value<QColor>();
        // Near the bottom-right corner, clear of the title, the dots and the rounding.
        const QPointF inside = tile->mapToScene(QPointF(tile->width() - 14, tile->height() - 6));
        EXPECT_TRUE(near(at(image, inside), expected))
            << "tile " << tiles << " shows " << describe(at(image, inside)).toStdString();
    }
    EXPECT_EQ(tiles, 5);
}

TEST_F(GalleryGrab, DotsAreWhiteWithAWeekGap)
{
    auto *grid = child("grid");
    ASSERT_TRUE(grid);
    // The fourth tile (forty days) starts the second row at the grid's left edge, on whole pixels.
    QQuickItem *tile = grid->childItems().at(3);
    QQuickItem *dots = nullptr;
    for (QQuickItem *c : tile->childItems()) {
        if (c->inherits("Velmora::DayDotsView"))
            dots = c;
    }
    ASSERT_TRUE(dots);
    const QColor tileColor = tile->property("color").value<QColor>();
    const QPointF origin = dots->mapToScene(QPointF(0, 0));
    ASSERT_EQ(origin.x(), std::floor(origin.x()));
    const double row = std::floor(origin.y()) + 1;
    struct Probe {
        double x;
        bool white;
    };
    // dot 0 at 0, dot 6 at 18, dot 7 at 23 (week gap), the gaps between them plain tile colour.
    for (const Probe probe : {Probe{0.5, true}, Probe{2.5, false}, Probe{18.5, true}, Probe{20.5, false},
                              Probe{22.5, false}, Probe{23.5, true}, Probe{26.5, true}}) {
        const QColor c = at(image, QPointF(origin.x() + probe.x, row));
        EXPECT_TRUE(near(c, probe.white ? QColor(Qt::white) : tileColor))
            << "x " << probe.x << " shows " << describe(c).toStdString();
    }
}

TEST_F(GalleryGrab, MidLineIsDottedEverySixPoints)
{
    auto *line = child("midLine");
    ASSERT_TRUE(line);
    const QPointF origin = line->mapToScene(QPointF(0, 0));
    const QColor backdrop = page->property("backdrop").value<QColor>();
    // The 1-point stroke may straddle two pixel rows: take the darker of the two.
    auto darkest = [&](double x) {
        const QColor a = at(image, QPointF(origin.x() + x, origin.y() + 4.5));
        const QColor b = at(image, QPointF(origin.x() + x, origin.y() + 5.5));
        return a.lightness() < b.lightness() ? a : b;
    };
    for (double x : {0.5, 6.5, 12.5, 60.5})
        EXPECT_LT(darkest(x).lightness(), backdrop.lightness() - 60) << "dash at " << x;
    for (double x : {3.5, 9.5, 14.5})
        EXPECT_TRUE(near(darkest(x), backdrop)) << "gap at " << x << " " << describe(darkest(x)).toStdString();
}

TEST_F(GalleryGrab, ShelfButtonsAreFilledWithTheAccent)
{
    const QColor accent = page->property("accent").value<QColor>();
    auto *add = child("addButton");
    ASSERT_TRUE(add);
    EXPECT_EQ(add->width(), add->height());
    const QPointF centre = add->mapToScene(QPointF(add->width() / 2, add->height() / 2));
    EXPECT_TRUE(near(at(image, centre + QPointF(0, add->height() * 0.4)), accent));
    // The plus symbol crosses the centre in white.
    EXPECT_TRUE(near(at(image, centre), QColor(Qt::white), 40)) << describe(at(image, centre)).toStdString();

    auto *finish = child("finishButton");
    ASSERT_TRUE(finish);
    const QPointF left = finish->mapToScene(QPointF(finish->height() / 2 + 4, finish->height() / 2));
    EXPECT_TRUE(near(at(image, left), accent));
    // Outside the capsule's rounded end the shelf shows through.
    const QPointF corner = finish->mapToScene(QPointF(1, 1));
    EXPECT_FALSE(near(at(image, corner), accent));

    auto *shelf = child("topShelf");
    ASSERT_TRUE(shelf);
    EXPECT_EQ(shelf->height(), 80);
    EXPECT_TRUE(near(at(image, QPointF(2, 2)), page->property("backdrop").value<QColor>(), 4));
}

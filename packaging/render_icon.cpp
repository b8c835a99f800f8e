// Draws the app's SVG icon as PNGs at build time, so the program can hand trays and notification
// servers a picture without loading an SVG renderer into every process.
// render_icon <icon.svg> <output folder> <size>...: writes <size>.png for each size.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: render_icon ICON.svg FOLDER SIZE...\n");
        return 2;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    const QDir folder(QString::fromLocal8Bit(argv[2]));
    if (!svg.isValid() || !folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "render_icon: cannot read %s or make %s\n", argv[1], argv[2]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        painter.end();
        if (size <= 0 || !image.save(folder.filePath(QStringLiteral("%1.png").arg(size)))) {
            std::fprintf(stderr, "render_icon: cannot write size %s\n", argv[i]);
            return 1;
        }
    }
    return 0;
}

#include "Velmora/Window/Screenshot.h"

#include <QCoreApplication>
#include <QImage>
#include <QQuickWindow>
#include <QTimer>

#include <cstdio>

namespace Velmora {

void Screenshot::captureAndQuit(QQuickWindow *window, const QString &path, int settleFrames)
{
    auto frames = std::make_shared<int>(0);
    auto done = std::make_shared<bool>(false);
    auto capture = [window, path, done] {
        if (*done)
            return;
        *done = true;
        const QImage image = window->grabWindow();
        const bool saved = !image.isNull() && image.save(path, "PNG");
        if (!saved)
            std::fprintf(stderr, "Could not write the screenshot to %s\n", qPrintable(path));
        QCoreApplication::exit(saved ? 0 : 1);
    };
    // A few frames let bindings, layouts and images settle before the grab.
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [window, frames, settleFrames, capture] {
        if (++*frames >= settleFrames)
            QTimer::singleShot(50, window, capture);
        else
            window->update();
    });
    // Offscreen windows may stop drawing once nothing changes: grab anyway after a while.
    QTimer::singleShot(3000, window, capture);
    window->update();
}

} // namespace Velmora

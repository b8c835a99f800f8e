// Frame time while the main grid scrolls, with a given number of chores, offscreen.
//   scroll_bench 300   prints the mean and the slowest frame in milliseconds
// The floor is the same run with 0 chores: the same window and screens, nothing in the grid.
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Model/ChoreDates.h"
#include "Velmora/Window/QmlTypes/AppQmlTypes.h"

#include "VelmoraQmlPlugins.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    const int chores = argc > 1 ? std::max(0, atoi(argv[1])) : 300;
    const int frames = 240;

    QTemporaryDir dir;
    // The system's own services, as the app uses them; the store's folder is a throwaway one.
    const auto app = Velmora::VelmoraApp::open(dir.filePath(QStringLiteral("chores.sqlite")), {});
    if (!app)
        return 1;
    QList<Velmora::ChoreFields> all;
    for (int i = 0; i < chores; ++i) {
        Velmora::ChoreFields f = Velmora::ChoreFields::defaults();
        f.title = QStringLiteral("Chore number %1").arg(i);
        f.dueDate = Velmora::ChoreDates::addDays(f.startDate, i % 90);
        f.colorComponents = {float(i % 7) / 7, 0.5f, 0.8f};
        all.append(f);
    }
    if (!app->changes()->addAll(all))
        return 1;

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    Velmora::Qml::App::lend(engine, *app);
    engine.load(QUrl(QStringLiteral("qrc:/qt/qml/Velmora/Window/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    // The root view is the stack's initial item, found among the visual children only.
    std::function<QQuickItem *(QQuickItem *)> search = [&](QQuickItem *item) -> QQuickItem * {
        if (item->objectName() == QLatin1String("choresScroller"))
            return item;
        for (QQuickItem *child : item->childItems()) {
            if (QQuickItem *found = search(child))
                return found;
        }
        return nullptr;
    };
    QQuickItem *scroller = search(window->contentItem());
    if (!scroller) {
        std::fprintf(stderr, "The chores grid was not found\n");
        return 1;
    }

    // One step of scrolling per frame, down and back up, each frame timed from the step to its swap.
    QList<double> times;
    QElapsedTimer frame;
    int step = 0;
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [&] {
        if (step > 0)
            times.append(frame.nsecsElapsed() / 1e6);
        if (step == frames) {
            QCoreApplication::quit();
            return;
        }
        const double range = std::max(0.0, scroller->property("contentHeight").toDouble() - scroller->height());
        const double phase = double(step % 120) / 60.0;
        scroller->setProperty("contentY", range * (phase <= 1 ? phase : 2 - phase));
        ++step;
        frame.start();
        window->update();
    }, Qt::QueuedConnection);
    window->update();
    application.exec();

    double sum = 0;
    for (double t : times)
        sum += t;
    const double mean = times.isEmpty() ? 0 : sum / double(times.size());
    const double worst = times.isEmpty() ? 0 : *std::max_element(times.begin(), times.end());
    std::printf("%d chores: %d frames, mean %.2f ms, slowest %.2f ms\n", chores, int(times.size()), mean, worst);
    return 0;
}

// The app's entry: creates the shared objects, opens the store and shows the one window.
#include "Velmora/App/Router.h"
#include "Velmora/App/Screenshot.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/Platform/DesktopNotificationService.h"
#include "i18n/Translations.h"

#include "VelmoraQmlPlugins.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>

#include <cstdio>
#include <cstdlib>

namespace {

// "--page viewChore:12" opens that page over the root, for screenshots of inner screens.
void openPage(Velmora::VelmoraApp &app, const QString &page)
{
    const QStringList parts = page.split(QLatin1Char(':'));
    const QMetaEnum kinds = QMetaEnum::fromType<Velmora::Router::Kind>();
    bool known = false;
    const int kind = kinds.keyToValue(parts.value(0).toLatin1().constData(), &known);
    if (!known)
        return;
    Velmora::Chore *chore = parts.size() > 1 ? app.store()->chore(parts.at(1).toLongLong()) : nullptr;
    app.router()->push(Velmora::Router::Kind(kind), chore);
}

} // namespace

int main(int argc, char *argv[])
{
    // A screenshot needs no display: render offscreen unless a platform was chosen.
    for (int i = 1; i < argc; ++i) {
        const bool offscreen = qstrcmp(argv[i], "--screenshot") == 0 || qstrcmp(argv[i], "--quit-after-first-frame") == 0;
        if (offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    Velmora::installTranslations(application, QLocale());
    QCoreApplication::setOrganizationName(QStringLiteral("Taskarello"));
    QCoreApplication::setApplicationName(QStringLiteral("Taskarello"));
    QQuickStyle::setStyle(QStringLiteral("Basic"));

    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Render the main window offscreen to a PNG file and exit."),
                                        QStringLiteral("file"));
    const QCommandLineOption page(QStringLiteral("page"),
                                  QStringLiteral("Open a page over the main screen, e.g. journal or viewChore:12."),
                                  QStringLiteral("page"));
    const QCommandLineOption popupDemo(QStringLiteral("popup-demo"), QStringLiteral("Show the popup library's demo page."));
    const QCommandLineOption firstFrame(QStringLiteral("quit-after-first-frame"),
                                       QStringLiteral("Exit once the first frame is drawn (start-up timing)."));
    parser.addOptions({screenshot, page, popupDemo, firstFrame});
    parser.process(application);

    const QString storePath = Velmora::ChoreStore::defaultPath();
    Velmora::DesktopNotificationService notifications(Velmora::DesktopNotificationService::defaultPath(),
                                                      std::make_unique<Velmora::DBusNotificationBus>());
    Velmora::NotificationService::install(&notifications);

    Velmora::VelmoraApp app{Velmora::VelmoraApp::Services{}};
    if (app.open(storePath) != Velmora::ChoreStore::OpenResult::Opened) {
        std::fprintf(stderr, "%s\n", Velmora::ChoreStore::failureMessage);
        return 1;
    }
    Velmora::VelmoraApp::setInstance(&app);
    QObject::connect(&application, &QGuiApplication::applicationStateChanged, &app,
                     &Velmora::VelmoraApp::applicationStateChanged);

    QQmlApplicationEngine engine;
    engine.addImportPath(QStringLiteral("qrc:/qt/qml"));
    const QString root = parser.isSet(popupDemo) ? QStringLiteral("qrc:/qt/qml/Ombrapop/PopupDemo.qml")
                                                 : QStringLiteral("qrc:/qt/qml/Velmora/App/Root/Main.qml");
    engine.load(QUrl(root));
    if (engine.rootObjects().isEmpty())
        return 1;
    if (parser.isSet(page))
        openPage(app, parser.value(page));
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().constFirst());
    if (parser.isSet(screenshot) && window)
        Velmora::Screenshot::captureAndQuit(window, parser.value(screenshot));
    // Ends at the first frame without tearing the scene down, so a timing from outside measures
    // start-up alone. Every change was written as it was made, so nothing is left to save.
    if (parser.isSet(firstFrame) && window)
        QObject::connect(window, &QQuickWindow::frameSwapped, [] { std::_Exit(0); });
    return application.exec();
}

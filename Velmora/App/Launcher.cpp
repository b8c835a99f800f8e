#include "Velmora/App/Launcher.h"

#include "Velmora/App/Router.h"
#include "Velmora/App/Tray.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/App/WindowLoader.h"
#include "Velmora/Platform/ApplicationBus.h"
#include "Velmora/Platform/FileLock.h"
#include "Velmora/Platform/PrivateFiles.h"
#include "Velmora/Platform/SessionBus.h"
#include "Velmora/Sync/SyncCommands.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMetaEnum>
#include <QSettings>

#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <optional>

namespace Velmora {

namespace {

using Sync::SyncCommands;

// What the command line asks of this start.
struct Options {
    std::optional<QString> screenshot;
    std::optional<QString> page;
    bool popupDemo = false;
    bool firstFrame = false;
    bool background = false;
    // This device's member in the household, remembered.
    std::optional<QString> member;
    std::optional<SyncCommands::Command> command;

    // Goes beside a running app; every other start leaves one process.
    bool oneShot() const { return screenshot || firstFrame || popupDemo; }
};

// Read before the application exists, which picks its platform.
bool showsNoWindow(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--screenshot") == 0 || qstrcmp(argv[i], "--quit-after-first-frame") == 0
            || SyncCommands::isAction(argv[i]))
            return true;
    }
    return false;
}

bool startsInBackground(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--background") == 0)
            return true;
    }
    return false;
}

QString dataFolder()
{
    return QFileInfo(ChoreStore::defaultPath()).absolutePath();
}

void setUp()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Taskarello"));
    QCoreApplication::setApplicationName(QStringLiteral("Taskarello"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(ApplicationBus::appId));
    // Files an earlier version left readable by others are taken back at every start.
    PrivateFiles::tightenFolder(dataFolder());
    PrivateFiles::tightenFolder(QFileInfo(QSettings().fileName()).absolutePath());
}

// None when the command line was wrong, with the exit code.
std::optional<Options> parse(const QGuiApplication &application, int *exitCode)
{
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
    const QCommandLineOption background(QStringLiteral("background"),
                                        QStringLiteral("Start without a window: reminders only (at login)."));
    const QCommandLineOption member(QStringLiteral("member"),
                                    QStringLiteral("Who uses this device, in the household (remembered)."),
                                    QStringLiteral("name"));
    parser.addOptions({screenshot, page, popupDemo, firstFrame, background, member});
    const SyncCommands sync(parser);
    parser.process(application);

    Options options;
    if (parser.isSet(screenshot))
        options.screenshot = parser.value(screenshot);
    if (parser.isSet(page))
        options.page = parser.value(page);
    options.popupDemo = parser.isSet(popupDemo);
    options.firstFrame = parser.isSet(firstFrame);
    options.background = parser.isSet(background);
    if (parser.isSet(member))
        options.member = parser.value(member);
    options.command = sync.command(parser, exitCode);
    if (*exitCode != 0)
        return std::nullopt;
    return options;
}

void printLine(const QString &line)
{
    std::fprintf(stderr, "%s\n", qPrintable(line));
}

// A second start: the running app does what this one was asked.
int handOver(ApplicationBus &bus, const Options &options)
{
    if (options.member && !bus.handOverAction(QStringLiteral("member"), {*options.member})) {
        printLine(QCoreApplication::translate("main", "Taskarello is already running but does not answer."));
        return 1;
    }
    if (options.command)
        return SyncCommands::handOver(bus, *options.command);
    bool handedOver = true;
    if (options.page)
        handedOver = bus.handOverAction(QStringLiteral("page"), {*options.page});
    else if (!options.background)
        handedOver = bus.handOverActivate();
    if (!handedOver) {
        printLine(QCoreApplication::translate("main", "Taskarello is already running but does not answer."));
        return 1;
    }
    return 0;
}

// "--page viewChore:12" opens that page over the root (screenshots of inner screens, a second
// start handing its page over).
void openPage(VelmoraApp &app, const QString &page)
{
    const QStringList parts = page.split(QLatin1Char(':'));
    const QMetaEnum kinds = QMetaEnum::fromType<Router::Kind>();
    bool known = false;
    const int kind = kinds.keyToValue(parts.value(0).toLatin1().constData(), &known);
    if (!known)
        return;
    Chore *chore = parts.size() > 1 ? app.store()->chore(parts.at(1).toLongLong()) : nullptr;
    app.router()->popToRoot();
    app.router()->push(Router::Kind(kind), chore);
}

QUrl mainQml(const Options &options)
{
    return options.popupDemo ? QUrl(QStringLiteral("qrc:/qt/qml/Ombrapop/PopupDemo.qml"))
                             : QUrl(QStringLiteral("qrc:/qt/qml/Velmora/Window/Main.qml"));
}

// The window, the tray and what reaches them from outside, until the app quits.
int show(QGuiApplication &application, const Options &options, ApplicationBus &bus, ApplicationBus::Role role,
         VelmoraApp &app)
{
    QObject::connect(&application, &QGuiApplication::applicationStateChanged, &app,
                     &VelmoraApp::applicationStateChanged);
    QObject::connect(&app, &VelmoraApp::quitRequested, &application, &QCoreApplication::quit, Qt::QueuedConnection);

    // Owning the name on the bus is what lets a closed window come back: only then does the
    // process outlive it.
    QGuiApplication::setQuitOnLastWindowClosed(role != ApplicationBus::Role::Primary);
    WindowLoader windows(mainQml(options), app);
    windows.setRemembersPlace(!options.oneShot());
    QObject::connect(&windows, &WindowLoader::shownChanged, &bus, &ApplicationBus::setWindowShown);
    QObject::connect(&windows, &WindowLoader::shownChanged, &app, &VelmoraApp::setWindowShown);
    QObject::connect(&app, &VelmoraApp::windowWanted, &windows, &WindowLoader::show);
    QObject::connect(&bus, &ApplicationBus::activated, &windows, &WindowLoader::show);
    QObject::connect(&bus, &ApplicationBus::actionActivated, &app,
                     [&](const QString &action, const QVariantList &parameter) {
                         if (action == QLatin1String("quit")) {
                             app.quit();
                         } else if (action == QLatin1String("page")) {
                             windows.show();
                             openPage(app, parameter.value(0).toString());
                         } else if (action == QLatin1String("member")) {
                             app.household()->setMe(parameter.value(0).toString());
                         } else if (action == QLatin1String("sync-account")) {
                             // A second start's --sync-account: the address only, the rest is the user's.
                             windows.show();
                             app.router()->popToRoot();
                             app.router()->push(Router::syncAccount);
                             app.syncAccount()->offer(parameter.value(0).toString(), parameter.value(1).toString());
                         }
                     });

    // The tray is how a window closed at the running app comes back.
    std::unique_ptr<Tray> tray;
    if (role == ApplicationBus::Role::Primary) {
        tray = std::make_unique<Tray>(app, sessionBusIfAny());
        QObject::connect(tray.get(), &Tray::openRequested, &windows, &WindowLoader::show);
    }

    if (options.background)
        return application.exec();
    if (!windows.show())
        return 1;
    if (options.page)
        openPage(app, *options.page);
    if (options.screenshot)
        windows.window()->captureAndQuit(*options.screenshot);
    if (options.firstFrame)
        windows.window()->quitAfterFirstFrame();
    return application.exec();
}

// The process, built in order and taken down in reverse: its place on the bus, the lock on the
// store, the app, then its window.
int launch(QGuiApplication &application, const Options &options)
{
    // A command's answer on stderr is its output: the logs that would repeat it keep quiet unless
    // QT_LOGGING_RULES asks for them.
    if (options.command)
        QLoggingCategory::setFilterRules(QStringLiteral("taskarello.*.warning=false\ntaskarello.*.info=false"));

    // A command does its work in the one process that writes the app's data: the running one if
    // there is one, else this one, which holds the app's name on the bus meanwhile.
    ApplicationBus bus(sessionBusIfAny());
    const auto role = options.oneShot() ? ApplicationBus::Role::Alone : bus.claim();
    if (role == ApplicationBus::Role::Secondary)
        return handOver(bus, options);

    // Without a session bus nothing else keeps a second lasting process from the same store:
    // this lock does, held until the process ends. One-shot runs go beside it.
    const QString storePath = ChoreStore::defaultPath();
    const auto alreadyRunning = [](const QString &lock) {
        return QCoreApplication::translate("main", "Taskarello is already running: another of its processes holds %1. "
                                                   "Quit that one (Quit in its tray menu) or end it, then start again.")
            .arg(lock);
    };
    FileLock running(storePath + QStringLiteral(".lock"));
    if (!options.oneShot() && PrivateFiles::makeFolder(dataFolder())) {
        const FileLock::Result locked = running.tryLock(std::chrono::milliseconds(ApplicationBus::handOverTimeoutMs));
        if (locked != FileLock::Result::Locked) {
            printLine(locked == FileLock::Result::Held ? alreadyRunning(running.path()) : running.errorString());
            return 1;
        }
    }
    const std::shared_ptr<void> prepared = options.background || options.command ? nullptr
                                                                                 : WindowLoader::prepare(mainQml(options));
    VelmoraApp::Services services;
    services.keepsReminders = !options.oneShot() && !options.command;
    services.syncs = services.keepsReminders;
    ChoreStore::OpenResult opened = ChoreStore::OpenResult::Opened;
    QString error;
    const std::unique_ptr<VelmoraApp> app = VelmoraApp::open(storePath, services, &opened, &error);
    if (!app) {
        // Busy: another start kept the file the whole time; this one did not fail half-way.
        printLine(opened == ChoreStore::OpenResult::Busy   ? alreadyRunning(ChoreStore::openLockPath(storePath))
                  : opened == ChoreStore::OpenResult::Link ? error
                                                           : QString::fromLatin1(ChoreStore::failureMessage));
        return 1;
    }
    if (options.member)
        app->household()->setMe(*options.member);
    bus.setCommandHandler([&app](const QString &action, const QStringList &arguments,
                                 ApplicationBus::CommandAnswer answer) {
        SyncCommands::runHandedOver(*app->syncAccount(), action, arguments, answer);
    });
    if (options.command)
        return SyncCommands::runHere(*app->syncAccount(), *options.command);
    return show(application, options, bus, role, *app);
}

} // namespace

void Launcher::prepareProcess(int argc, char *argv[])
{
    // Whatever this process writes (the store's log, settings, backups) is its user's alone.
    PrivateFiles::restrictNewFiles();
    // A run without a window needs no display: it renders offscreen unless a platform was chosen.
    if (showsNoWindow(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A process that waits at login for the day's reminders keeps small: SQLite's connections
    // take their page cache a page at a time instead of twenty at once, and no lookaside slab
    // of their own (both read before the first connection opens).
    if (startsInBackground(argc, argv)) {
        sqlite3_config(SQLITE_CONFIG_PAGECACHE, nullptr, 0, 0);
        sqlite3_config(SQLITE_CONFIG_LOOKASIDE, 0, 0);
    }
}

Launcher::Launcher(QGuiApplication &application) : m_application(application) {}

int Launcher::run()
{
    setUp();
    int usageError = 0;
    const std::optional<Options> options = parse(m_application, &usageError);
    return options ? launch(m_application, *options) : usageError;
}

} // namespace Velmora

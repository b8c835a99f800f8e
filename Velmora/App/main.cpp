// The app's entry: creates the shared objects, opens the store and shows the one window.
#include "Velmora/App/Router.h"
#include "Velmora/App/Screenshot.h"
#include "Velmora/App/VelmoraApp.h"
#include "Velmora/App/Tray.h"
#include "Velmora/App/WindowHost.h"
#include "Velmora/Platform/ApplicationBus.h"
#include "Velmora/Platform/PrivateFiles.h"
#include "Velmora/Platform/SessionBus.h"
#include "i18n/Translations.h"

#include "VelmoraQmlPlugins.h"

#include <QCommandLineParser>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLockFile>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QSettings>

#include <cstdio>
#include <memory>
#include <cstdlib>
#include <optional>
#include <iostream>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace {

// "--page viewChore:12" opens that page over the root (screenshots of inner screens, a second
// start handing its page over).
void openPage(Velmora::VelmoraApp &app, const QString &page)
{
    const QStringList parts = page.split(QLatin1Char(':'));
    const QMetaEnum kinds = QMetaEnum::fromType<Velmora::Router::Kind>();
    bool known = false;
    const int kind = kinds.keyToValue(parts.value(0).toLatin1().constData(), &known);
    if (!known)
        return;
    Velmora::Chore *chore = parts.size() > 1 ? app.store()->chore(parts.at(1).toLongLong()) : nullptr;
    app.router()->popToRoot();
    app.router()->push(Velmora::Router::Kind(kind), chore);
}

// The command-line actions: a second start hands them over to the running one, a lone start
// runs them itself. Each answers once, when done.
void runCommand(Velmora::VelmoraApp &app, const QString &action, const QStringList &arguments,
                const Velmora::ApplicationBus::CommandAnswer &answer)
{
    if (action == QLatin1String("sync-account")) {
        app.syncAccount()->setUp(arguments.value(0), arguments.value(1), arguments.value(2), arguments.value(3),
                                 arguments.value(4) == QLatin1String("allow-http"), [answer](bool ok, const QString &message) { answer({ok, message}); });
        return;
    }
    if (action == QLatin1String("sync")) {
        app.syncAccount()->syncOnce([answer](bool ok, const QString &message) { answer({ok, message}); });
        return;
    }
    answer({false, QCoreApplication::translate("main", "Unknown action \"%1\".").arg(action)});
}

// One line from standard input, unseen when typed at a terminal.
QString readPasswordLine()
{
    termios saved{};
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        std::fputs(qPrintable(QCoreApplication::translate("main", "Password: ")), stderr);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    std::string line;
    std::getline(std::cin, line);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fputs("\n", stderr);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

// The outcome of a command: one line, on stdout when it went through, else on stderr.
int printOutcome(const Velmora::ApplicationBus::CommandResult &result)
{
    QString line = result.message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(result.ok ? stdout : stderr, "%s\n", qPrintable(line));
    return result.ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Whatever this process writes (the store's log, settings, backups) is its user's alone.
    Velmora::PrivateFiles::restrictNewFiles();
    // A screenshot needs no display: render offscreen unless a platform was chosen.
    for (int i = 1; i < argc; ++i) {
        const bool offscreen = qstrcmp(argv[i], "--screenshot") == 0 || qstrcmp(argv[i], "--quit-after-first-frame") == 0
                               || qstrcmp(argv[i], "--sync-account") == 0 || qstrcmp(argv[i], "--sync") == 0;
        if (offscreen && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    Velmora::installTranslations(application, QLocale());
    QCoreApplication::setOrganizationName(QStringLiteral("Taskarello"));
    QCoreApplication::setApplicationName(QStringLiteral("Taskarello"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(Velmora::ApplicationBus::appId));
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    // Files an earlier version left readable by others are taken back at every start.
    const QString dataFolder = QFileInfo(Velmora::ChoreStore::defaultPath()).absolutePath();
    Velmora::PrivateFiles::tightenFolder(dataFolder);
    Velmora::PrivateFiles::tightenFolder(QFileInfo(QSettings().fileName()).absolutePath());

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
    const QCommandLineOption syncAccount(
        QStringLiteral("sync-account"),
        QStringLiteral("Connect the CalDAV account at the URL as the user given after it; the password is read "
                       "from standard input. Prints the calendar's URL."),
        QStringLiteral("url"));
    const QCommandLineOption syncCollection(QStringLiteral("sync-collection"),
                                            QStringLiteral("With --sync-account: the calendar to use, by its name, "
                                                           "URL or path; one named so is made when the server has "
                                                           "none of that name."),
                                            QStringLiteral("name"));
    const QCommandLineOption allowHttp(QStringLiteral("allow-http"),
                                       QStringLiteral("With --sync-account: connect to a server on another computer "
                                                      "over plain http, where the password is readable on the network."));
    const QCommandLineOption syncOnce(QStringLiteral("sync"),
                                      QStringLiteral("Sync with the connected account once and exit."));
    parser.addOptions(
        {screenshot, page, popupDemo, firstFrame, background, syncAccount, syncCollection, allowHttp, syncOnce});
    parser.addPositionalArgument(QStringLiteral("user"), QStringLiteral("With --sync-account: the user name."),
                                 QStringLiteral("[user]"));
    parser.process(application);

    // A command does its work in the one process that writes the app's data: the running one if
    // there is one, else this one, which holds the app's name on the bus meanwhile.
    QStringList command;
    if (parser.isSet(syncAccount)) {
        if (parser.positionalArguments().size() != 1) {
            std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::translate(
                                             "main", "Give the user name after the server address.")));
            return 2;
        }
        command = {QStringLiteral("sync-account"), parser.value(syncAccount), parser.positionalArguments().at(0),
                   readPasswordLine(), parser.value(syncCollection),
                   parser.isSet(allowHttp) ? QStringLiteral("allow-http") : QString()};
    } else if (parser.isSet(syncOnce)) {
        command = {QStringLiteral("sync")};
    }

    // One-shot runs go beside a running app; every other start leaves one process.
    const bool oneShot = parser.isSet(screenshot) || parser.isSet(firstFrame) || parser.isSet(popupDemo);
    Velmora::ApplicationBus bus(Velmora::sessionBusIfAny());
    const auto role = oneShot ? Velmora::ApplicationBus::Role::Alone : bus.claim();
    if (role == Velmora::ApplicationBus::Role::Secondary && !command.isEmpty())
        return printOutcome(bus.handOverCommand(command.at(0), command.mid(1)));
    if (role == Velmora::ApplicationBus::Role::Secondary) {
        bool handedOver = true;
        if (parser.isSet(page))
            handedOver = bus.handOverAction(QStringLiteral("page"), {parser.value(page)});
        else if (!parser.isSet(background))
            handedOver = bus.handOverActivate();
        if (!handedOver) {
            std::fprintf(stderr, "%s\n", qPrintable(QCoreApplication::translate(
                                             "main", "Taskarello is already running but does not answer.")));
            return 1;
        }
        return 0;
    }

    Velmora::VelmoraApp::Services services;
    services.keepsReminders = !oneShot && command.isEmpty();
    services.syncs = !oneShot && command.isEmpty();
    // Without a session bus nothing else keeps a second lasting process from the same store:
    // this lock does, held until the process ends. One-shot runs go beside it.
    const QString alreadyRunning = QCoreApplication::translate("main", "Taskarello is already running.");
    QLockFile running(Velmora::ChoreStore::defaultPath() + QStringLiteral(".lock"));
    running.setStaleLockTime(0);
    if (!oneShot && Velmora::PrivateFiles::makeFolder(dataFolder)
        && !running.tryLock(Velmora::ApplicationBus::handOverTimeoutMs) && running.error() == QLockFile::LockFailedError) {
        std::fprintf(stderr, "%s\n", qPrintable(alreadyRunning));
        return 1;
    }
    Velmora::VelmoraApp app{services};
    const auto opened = app.open(Velmora::ChoreStore::defaultPath());
    if (opened != Velmora::ChoreStore::OpenResult::Opened) {
        // Busy: another start kept the file the whole time; this one did not fail half-way.
        std::fprintf(stderr, "%s\n", opened == Velmora::ChoreStore::OpenResult::Busy
                                         ? qPrintable(alreadyRunning) : Velmora::ChoreStore::failureMessage);
        return 1;
    }
    Velmora::VelmoraApp::setInstance(&app);
    bus.setCommandHandler([&app](const QString &action, const QStringList &arguments,
                                 Velmora::ApplicationBus::CommandAnswer answer) {
        runCommand(app, action, arguments, answer);
    });
    if (!command.isEmpty()) {
        std::optional<Velmora::ApplicationBus::CommandResult> outcome;
        QEventLoop loop;
        runCommand(app, command.at(0), command.mid(1), [&](const Velmora::ApplicationBus::CommandResult &result) {
            outcome = result;
            loop.quit();
        });
        if (!outcome)
            loop.exec();
        return printOutcome(*outcome);
    }
    QObject::connect(&application, &QGuiApplication::applicationStateChanged, &app,
                     &Velmora::VelmoraApp::applicationStateChanged);
    QObject::connect(&app, &Velmora::VelmoraApp::quitRequested, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);

    // Owning the name on the bus is what lets a closed window come back: only then does the
    // process outlive it.
    QGuiApplication::setQuitOnLastWindowClosed(role != Velmora::ApplicationBus::Role::Primary);
    Velmora::WindowHost windows(parser.isSet(popupDemo) ? QUrl(QStringLiteral("qrc:/qt/qml/Ombrapop/PopupDemo.qml"))
                                                        : QUrl(QStringLiteral("qrc:/qt/qml/Velmora/App/Root/Main.qml")));
    windows.setRemembersPlace(!oneShot);
    QObject::connect(&windows, &Velmora::WindowHost::shownChanged, &bus, &Velmora::ApplicationBus::setWindowShown);
    QObject::connect(&windows, &Velmora::WindowHost::shownChanged, &app, &Velmora::VelmoraApp::setWindowShown);
    QObject::connect(&app, &Velmora::VelmoraApp::windowWanted, &windows, &Velmora::WindowHost::show);
    QObject::connect(&bus, &Velmora::ApplicationBus::activated, &windows, &Velmora::WindowHost::show);
    QObject::connect(&bus, &Velmora::ApplicationBus::actionActivated, &app,
                     [&](const QString &action, const QVariantList &parameter) {
                         if (action == QLatin1String("quit")) {
                             app.quit();
                         } else if (action == QLatin1String("page")) {
                             windows.show();
                             openPage(app, parameter.value(0).toString());
                         }
                     });

    // The tray is how a window closed at the running app comes back.
    std::unique_ptr<Velmora::Tray> tray;
    if (role == Velmora::ApplicationBus::Role::Primary) {
        tray = std::make_unique<Velmora::Tray>(app, Velmora::sessionBusIfAny());
        QObject::connect(tray.get(), &Velmora::Tray::openRequested, &windows, &Velmora::WindowHost::show);
    }

    if (parser.isSet(background))
        return application.exec();
    if (!windows.show())
        return 1;
    if (parser.isSet(page))
        openPage(app, parser.value(page));
    QQuickWindow *window = windows.window();
    if (parser.isSet(screenshot))
        Velmora::Screenshot::captureAndQuit(window, parser.value(screenshot));
    // Ends at the first frame without tearing the scene down, so a timing from outside measures
    // start-up alone. Every change was written as it was made, so nothing is left to save.
    if (parser.isSet(firstFrame))
        QObject::connect(window, &QQuickWindow::frameSwapped, [] { std::_Exit(0); });
    return application.exec();
}

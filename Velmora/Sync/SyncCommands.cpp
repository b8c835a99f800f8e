#include "Velmora/Sync/SyncCommands.h"

#include "Velmora/Sync/SyncAccount.h"

#include <QCommandLineParser>
#include <QEventLoop>

#include <cstdio>
#include <cstdlib>

#include <termios.h>
#include <unistd.h>

namespace Velmora::Sync {

namespace {

const QString setUpAction = QStringLiteral("sync-account");
const QString syncAction = QStringLiteral("sync");
const QString allowHttpArgument = QStringLiteral("allow-http");

// One line from standard input, unseen when typed at a terminal.
QString readPasswordLine(const QString &prompt)
{
    termios saved{};
    const bool terminal = isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved) == 0;
    if (terminal) {
        std::fputs(qPrintable(prompt), stderr);
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    }
    // C's stdio: iostreams would be set up, locales and all, in every process of the app.
    char *buffer = nullptr;
    std::size_t size = 0;
    const ssize_t read = getline(&buffer, &size, stdin);
    QByteArray line = read > 0 ? QByteArray(buffer, read) : QByteArray();
    std::free(buffer);
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &saved);
        std::fputs("\n", stderr);
    }
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return QString::fromUtf8(line);
}

// The outcome of a command: one line, on stdout when it went through, else on stderr.
int printOutcome(const ApplicationBus::CommandResult &result)
{
    QString line = result.message;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(result.ok ? stdout : stderr, "%s\n", qPrintable(line));
    return result.ok ? 0 : 1;
}

} // namespace

SyncCommands::SyncCommands(QCommandLineParser &parser)
    : m_account(QStringLiteral("sync-account"),
                QStringLiteral("Connect the CalDAV account at the URL as the user given after it; the password is "
                               "read from standard input. Prints the calendar's URL."),
                QStringLiteral("url"))
    , m_collection(QStringLiteral("sync-collection"),
                   QStringLiteral("With --sync-account: the calendar to use, by its name, URL or path; one named so "
                                  "is made when the server has none of that name."),
                   QStringLiteral("name"))
    , m_allowHttp(QStringLiteral("allow-http"),
                  QStringLiteral("With --sync-account: connect to a server on another computer over plain http, "
                                 "where the password is readable on the network."))
    , m_once(QStringLiteral("sync"), QStringLiteral("Sync with the connected account once and exit."))
{
    parser.addOptions({m_account, m_collection, m_allowHttp, m_once});
    parser.addPositionalArgument(QStringLiteral("user"), QStringLiteral("With --sync-account: the user name."),
                                 QStringLiteral("[user]"));
}

bool SyncCommands::isAction(const char *argument)
{
    return qstrcmp(argument, "--sync-account") == 0 || qstrcmp(argument, "--sync") == 0;
}

std::optional<SyncCommands::Command> SyncCommands::command(const QCommandLineParser &parser, int *usageError) const
{
    *usageError = 0;
    if (parser.isSet(m_account)) {
        if (parser.positionalArguments().size() != 1) {
            std::fprintf(stderr, "%s\n", qPrintable(tr("Give the user name after the server address.")));
            *usageError = 2;
            return std::nullopt;
        }
        return Command{setUpAction,
                       {parser.value(m_account), parser.positionalArguments().at(0), parser.value(m_collection),
                        parser.isSet(m_allowHttp) ? allowHttpArgument : QString()}};
    }
    if (parser.isSet(m_once))
        return Command{syncAction, {}};
    return std::nullopt;
}

void SyncCommands::run(SyncAccount &account, const QString &action, const QStringList &arguments,
                       const ApplicationBus::CommandAnswer &answer)
{
    const auto done = [answer](bool ok, const QString &message) { answer({ok, message}); };
    if (action == setUpAction) {
        account.setUp(arguments.value(0), arguments.value(1), readPasswordLine(tr("Password: ")), arguments.value(2),
                      arguments.value(3) == allowHttpArgument, done);
        return;
    }
    if (action == syncAction) {
        account.syncOnce(done);
        return;
    }
    answer({false, tr("Unknown action \"%1\".").arg(action)});
}

void SyncCommands::runHandedOver(SyncAccount &account, const QString &action, const QStringList &arguments,
                                 const ApplicationBus::CommandAnswer &answer)
{
    if (action == setUpAction) {
        answer({false, tr("An account is not set up over the bus, where its password would travel: connect it "
                          "in Taskarello's window.")});
        return;
    }
    run(account, action, arguments, answer);
}

int SyncCommands::runHere(SyncAccount &account, const Command &command)
{
    std::optional<ApplicationBus::CommandResult> outcome;
    QEventLoop loop;
    run(account, command.action, command.arguments, [&](const ApplicationBus::CommandResult &result) {
        outcome = result;
        loop.quit();
    });
    if (!outcome)
        loop.exec();
    return printOutcome(*outcome);
}

int SyncCommands::handOver(ApplicationBus &bus, const Command &command)
{
    if (command.action != setUpAction)
        return printOutcome(bus.handOverCommand(command.action, command.arguments));
    // The password stays here, unread: the user gives it in the window, which asks before an
    // account that is connected is replaced.
    if (!bus.handOverAction(setUpAction, {command.arguments.value(0), command.arguments.value(1)}))
        return printOutcome({false, ApplicationBus::tr("Taskarello is already running but does not answer.")});
    return printOutcome({false, tr("Taskarello is already running: its account screen was opened with the address "
                                   "filled in. Give the password there.")});
}

} // namespace Velmora::Sync

#pragma once

#include "Velmora/Platform/ApplicationBus.h"

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

class QCommandLineParser;

namespace Velmora::Sync {

class SyncAccount;

// The account's command-line actions: --sync-account connects one (the password read from
// standard input), --sync runs once. Each is an action with its arguments, so that a second start
// can hand it over the bus to the running app, which runs it as a lone start does.
class SyncCommands {
    Q_DECLARE_TR_FUNCTIONS(Velmora::Sync::SyncCommands)
public:
    struct Command {
        QString action;
        QStringList arguments;
    };

    // Adds the options, and the user name that follows --sync-account.
    explicit SyncCommands(QCommandLineParser &parser);

    // Whether this argument asks for an action, which shows no window (read before parsing).
    static bool isAction(const char *argument);

    // Once parsed: the action asked for, if any; reads the password when it needs one. A command
    // line it cannot make sense of is told on stderr and gives the exit code.
    std::optional<Command> command(const QCommandLineParser &parser, int *usageError) const;

    // Runs an action on the account, ours or handed over; answers once, when done.
    static void run(SyncAccount &account, const QString &action, const QStringList &arguments,
                    const ApplicationBus::CommandAnswer &answer);
    // Runs it in this process and prints the outcome; the exit code.
    static int runHere(SyncAccount &account, const Command &command);
    // Has the running app run it and prints its outcome; the exit code.
    static int handOver(ApplicationBus &bus, const Command &command);

private:
    QCommandLineOption m_account;
    QCommandLineOption m_collection;
    QCommandLineOption m_allowHttp;
    QCommandLineOption m_once;
};

} // namespace Velmora::Sync

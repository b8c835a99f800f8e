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
// standard input), --sync runs once. Each is an action with its arguments. A second start hands
// --sync over the bus to the running app, which runs it as a lone start does; --sync-account
// only opens the running app's account screen with the address filled in: no password travels
// over the bus, and only the user in the window replaces an account.
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

    // Once parsed: the action asked for, if any. A command line it cannot make sense of is told
    // on stderr and gives the exit code.
    std::optional<Command> command(const QCommandLineParser &parser, int *usageError) const;

    // Runs an action handed over the bus on the account; answers once, when done. Setting up an
    // account is refused there: its password would have crossed the bus.
    static void runHandedOver(SyncAccount &account, const QString &action, const QStringList &arguments,
                              const ApplicationBus::CommandAnswer &answer);
    // Runs it in this process, reading the password when it needs one, and prints the outcome;
    // the exit code.
    static int runHere(SyncAccount &account, const Command &command);
    // Has the running app run it and prints its outcome; the exit code.
    static int handOver(ApplicationBus &bus, const Command &command);

private:
    static void run(SyncAccount &account, const QString &action, const QStringList &arguments,
                    const ApplicationBus::CommandAnswer &answer);

    QCommandLineOption m_account;
    QCommandLineOption m_collection;
    QCommandLineOption m_allowHttp;
    QCommandLineOption m_once;
};

} // namespace Velmora::Sync

#pragma once

#include "Velmora/Sync/CalDavClient.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <functional>
#include <optional>

namespace Velmora {
class PasswordStore;
}

namespace Velmora::Sync {

class SyncEngine;
struct SyncReport;

// The user's CalDAV account: found by discovery, kept in the settings with its password in the
// Secret Service, handed to the sync engine, and told back in one status line. Screens reach it
// as App.sync; the command line sets it up through setUp().
class SyncAccount : public QObject {
    Q_OBJECT

    Q_PROPERTY(Stage stage READ stage NOTIFY stageChanged)
    Q_PROPERTY(bool busy READ isBusy NOTIFY stageChanged)
    Q_PROPERTY(QString server READ server NOTIFY accountChanged)
    Q_PROPERTY(QString user READ user NOTIFY accountChanged)
    Q_PROPERTY(QString calendarName READ calendarName NOTIFY accountChanged)
    Q_PROPERTY(QStringList calendars READ calendars NOTIFY calendarsChanged)
    // False while a found calendar already has the new one's name.
    Q_PROPERTY(bool canCreateCalendar READ canCreateCalendar NOTIFY calendarsChanged)
    Q_PROPERTY(QString message READ message NOTIFY messageChanged)
    Q_PROPERTY(QString question READ question NOTIFY stageChanged)
    Q_PROPERTY(QString questionAddress READ questionAddress NOTIFY stageChanged)
    Q_PROPERTY(QString status READ status NOTIFY statusChanged)
    Q_PROPERTY(QString details READ details NOTIFY statusChanged)
    Q_PROPERTY(bool running READ isRunning NOTIFY statusChanged)
    // The status line tells what went wrong.
    Q_PROPERTY(bool failing READ isFailing NOTIFY statusChanged)
    // The form over a connected account, which stays until another is saved (see offer).
    Q_PROPERTY(bool replacing READ isReplacing NOTIFY stageChanged)
    // What the form is filled in with: an address and user handed over by a second start, or
    // typed into it before, so that leaving the screen loses nothing typed there but the password.
    Q_PROPERTY(QString offeredServer READ offeredServer NOTIFY offerChanged)
    Q_PROPERTY(QString offeredUser READ offeredUser NOTIFY offerChanged)

public:
    enum Stage {
        NotSetUp,    // the form
        Discovering, // asking the server for its calendars
        Confirming,  // the user is asked before the password goes somewhere new (see question)
        Choosing,    // calendars found: the user picks one or has one made
        Saving,      // making the calendar, keeping the password
        Connected,
    };
    Q_ENUM(Stage)

    // What the status line tells of the last run; kept across starts.
    // What the status line says of a run that did not go through whole; empty when it did.
    static QString outcomeError(const SyncReport &report);

    struct LastRun {
        QDateTime at; // UTC
        QString error;
        int withoutDue = 0;
        int otherItems = 0;
        int unreadable = 0;
        int conflicts = 0;
        int outside = 0;
        int overLimit = 0;
        int cleanedNames = 0;

        // What a run's report leaves for the status line, finished at `at` (UTC).
        static LastRun of(const SyncReport &report, const QDateTime &at);
    };

    // passwords: where the password is kept (the desktop's Secret Service). syncs: false for a
    // run beside the app that syncs (a screenshot, a command): the engine is never given a target.
    SyncAccount(SyncEngine &engine, PasswordStore &passwords, bool syncs, QObject *parent = nullptr);
    ~SyncAccount() override;

    // Reads the password of the saved account and hands the account to the engine.
    void start();

    Stage stage() const { return m_stage; }
    bool isBusy() const { return m_stage == Discovering || m_stage == Saving; }
    QString server() const { return m_server.isEmpty() ? QString() : CalDavClient::shownAddress(QUrl(m_server)); }
    QString user() const { return m_user; }
    // The account holder's name as the server's principal gives it; empty when it gives none.
    QString displayName() const { return m_displayName; }
    QString calendarName() const { return m_calendarName; }
    QUrl calendarUrl() const { return m_calendar; }
    QStringList calendars() const;
    bool canCreateCalendar() const;
    QString message() const { return m_message; }
    QString question() const { return m_stage == Confirming ? m_question : QString(); }
    // The address the question is about.
    QString questionAddress() const { return m_stage == Confirming ? m_questionAddress : QString(); }
    QString status() const;
    QString details() const;
    bool isRunning() const;
    bool isFailing() const;
    bool isReplacing() const { return m_replacing && m_stage == Connected; }
    QString offeredServer() const { return m_offeredServer; }
    QString offeredUser() const { return m_offeredUser; }

    // The form: finds the calendars that hold tasks.
    Q_INVOKABLE void discover(const QString &server, const QString &user, const QString &password);
    // Uses the found calendar at index, or a new one holding tasks only.
    Q_INVOKABLE void choose(int index);
    Q_INVOKABLE void createCalendar();
    // Uses the calendar at this address (a URL or a path), such as one another user shares: on
    // the account's server only, where the password already goes.
    Q_INVOKABLE void chooseAddress(const QString &address);
    // Yes to the question: goes on where it was asked.
    Q_INVOKABLE void confirm();
    // Back to the form, forgetting what was typed.
    Q_INVOKABLE void cancel();
    Q_INVOKABLE void syncNow();
    // Forgets the account and its password; nothing is synced any more.
    Q_INVOKABLE void forget();
    // The form filled in with this address and user, for the user to give the password. Over a
    // connected account the user is asked first whether to replace it; it syncs on meanwhile.
    void offer(const QString &server, const QString &user);
    // The form's address and user as typed so far, for the form to show when it comes back.
    Q_INVOKABLE void keepTyped(const QString &server, const QString &user);

    // All of the above at once, for the command line: the calendar named collection (by its name,
    // URL or path, which may lie outside the user's calendar home), else the first that holds
    // tasks and may be changed, else a new one. Nobody is asked: plain http
    // to another computer only with allowPlainHttp, and a server pointing elsewhere is refused.
    // Answers the calendar's URL, or why it failed.
    void setUp(const QString &server, const QString &user, const QString &password, const QString &collection,
               bool allowPlainHttp, std::function<void(bool ok, const QString &message)> done);

    // One run, for the command line: answers when it ended, with what it did or why it failed.
    void syncOnce(std::function<void(bool ok, const QString &message)> done);

    // The status line and the line under it, at now.
    static QString statusText(bool connected, bool running, const QString &problem,
                              const std::optional<LastRun> &last, const QDateTime &now);
    static QString detailsText(const std::optional<LastRun> &last);
    // The address as typed, made a URL; empty when it is not one of http or https.
    static QUrl serverUrl(const QString &typed);
    // Whether the password would travel readable: plain http to another computer.
    static bool exposesPassword(const QUrl &url);

signals:
    void stageChanged();
    void accountChanged();
    void calendarsChanged();
    void messageChanged();
    void statusChanged();
    void offerChanged();

private:
    using Done = std::function<void(bool ok, const QString &message)>;
    void setStage(Stage stage);
    void setMessage(const QString &message);
    void setProblem(const QString &problem);
    // Validates the form and discovers; done(false, why) when it cannot. Where the user must
    // say yes first (plain http, another server), asks when interactive, else refuses.
    struct Asking {
        bool interactive = true;
        bool plainHttpAccepted = false;
    };
    void runDiscovery(const QString &server, const QString &user, const QString &password, Asking asking, Done done);
    void ask(const QString &question, const QUrl &address, std::function<void()> then);
    void createAndSave(const QString &name, Done done);
    // The calendar at address, as the server describes it, saved.
    void useAddress(const QUrl &address, Done done);
    void save(const CalendarInfo &calendar, Done done);
    // Writes the form's password to the Secret Service, the first thing saving does: then a
    // keyring that is locked asks to be unlocked before anything is made on the server.
    void keepPassword(std::function<void()> then, Done failed);
    // The account, its password kept, into the settings and to the engine.
    void store(const CalendarInfo &calendar, Done done);
    void onFinished(const SyncReport &report);
    // Reads the saved account's password, hands the account to the engine, then runs `then`.
    void readPassword(std::function<void()> then);
    void readSettings();
    // The saved calendar took the account from https down to http: its password is not used.
    bool downgraded() const;
    void writeLastRun();
    void handOver();
    static QString passwordKey(const QString &server, const QString &user);

    SyncEngine &m_engine;
    PasswordStore &m_passwords;
    bool m_syncs;
    CalDavClient m_client;
    QTimer m_tick;
    Stage m_stage = NotSetUp;
    QString m_message;
    QString m_problem;
    QString m_question;
    QString m_questionAddress;
    std::function<void()> m_onConfirm;

    // The saved account.
    QString m_server;
    QString m_user;
    QUrl m_calendar;
    QString m_displayName;
    QString m_calendarName;
    std::optional<QString> m_password;
    bool m_readingPassword = false;
    bool m_replacing = false;
    QString m_offeredServer;
    QString m_offeredUser;
    bool m_waitingForKeyring = false;
    std::optional<LastRun> m_lastRun;

    // What the form found, while choosing.
    QString m_pendingServer;
    QString m_pendingUser;
    QString m_pendingPassword;
    Discovery m_found;
};

} // namespace Velmora::Sync

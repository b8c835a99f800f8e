#include "Velmora/Sync/SyncAccount.h"

#include "Velmora/Platform/Clock.h"
#include "Velmora/Platform/PasswordStore.h"
#include "Velmora/Platform/SettingsLock.h"
#include "Velmora/Sync/CalDavNetwork.h"
#include "Velmora/Sync/SyncEngine.h"

#include <QSettings>

#include <algorithm>
#include <limits>

namespace Velmora::Sync {

namespace {

// The settings keys of the account; the password is never among them.
const QString serverKey = QStringLiteral("sync/server");
const QString userKey = QStringLiteral("sync/user");
const QString calendarKey = QStringLiteral("sync/calendar");
const QString calendarNameKey = QStringLiteral("sync/calendarName");
const QString displayNameKey = QStringLiteral("sync/displayName");
const QString lastRunKey = QStringLiteral("sync/lastRun");
const QString lastErrorKey = QStringLiteral("sync/lastError");
const QString withoutDueKey = QStringLiteral("sync/withoutDue");
const QString otherItemsKey = QStringLiteral("sync/otherItems");
const QString unreadableKey = QStringLiteral("sync/unreadable");
const QString conflictsKey = QStringLiteral("sync/conflicts");
const QString outsideKey = QStringLiteral("sync/outside");
const QString overLimitKey = QStringLiteral("sync/overLimit");
const QString cleanedNamesKey = QStringLiteral("sync/cleanedNames");

// A counted value read back from the settings file, which anyone may have edited.
int count(const QSettings &settings, const QString &key)
{
    return std::max(0, settings.value(key).toInt());
}

} // namespace

SyncAccount::SyncAccount(SyncEngine &engine, PasswordStore &passwords, bool syncs, QObject *parent)
    : QObject(parent), m_engine(engine), m_passwords(passwords), m_syncs(syncs)
{
    readSettings();
    // "Synced 2 minutes ago" moves on by itself.
    m_tick.setInterval(30000);
    connect(&m_tick, &QTimer::timeout, this, &SyncAccount::statusChanged);
    if (m_stage == Connected)
        m_tick.start();
    connect(&m_engine, &SyncEngine::runningChanged, this, &SyncAccount::statusChanged);
    connect(&m_engine, &SyncEngine::finished, this, &SyncAccount::onFinished);
}

SyncAccount::~SyncAccount() = default;

void SyncAccount::readSettings()
{
    QSettings settings;
    const QUrl calendar(settings.value(calendarKey).toString());
    const QString server = settings.value(serverKey).toString();
    const QString user = settings.value(userKey).toString();
    // Half an account (an edited file) is none.
    if (server.isEmpty() || user.isEmpty() || !calendar.isValid() || calendar.isRelative())
        return;
    m_server = server;
    m_user = user;
    m_calendar = calendar;
    // The password goes to the calendar's origin alone; one that took the account from https
    // down to http is not used.
    if (downgraded())
        m_problem = tr("The calendar's address is not encrypted; connect the account again.");
    m_calendarName = settings.value(calendarNameKey).toString();
    m_displayName = settings.value(displayNameKey).toString();
    m_stage = Connected;
    const QDateTime at = QDateTime::fromString(settings.value(lastRunKey).toString(), Qt::ISODate);
    if (at.isValid()) {
        m_lastRun = LastRun{at.toUTC(), settings.value(lastErrorKey).toString(), count(settings, withoutDueKey),
                            count(settings, otherItemsKey), count(settings, unreadableKey),
                            count(settings, conflictsKey), count(settings, outsideKey), count(settings, overLimitKey),
                            count(settings, cleanedNamesKey)};
    }
}

void SyncAccount::writeLastRun()
{
    if (!m_lastRun)
        return;
    QSettings settings;
    releaseOrphanedLock(settings);
    settings.setValue(lastRunKey, m_lastRun->at.toString(Qt::ISODate));
    settings.setValue(lastErrorKey, m_lastRun->error);
    settings.setValue(withoutDueKey, m_lastRun->withoutDue);
    settings.setValue(otherItemsKey, m_lastRun->otherItems);
    settings.setValue(unreadableKey, m_lastRun->unreadable);
    settings.setValue(conflictsKey, m_lastRun->conflicts);
    settings.setValue(outsideKey, m_lastRun->outside);
    settings.setValue(overLimitKey, m_lastRun->overLimit);
    settings.setValue(cleanedNamesKey, m_lastRun->cleanedNames);
}

void SyncAccount::start()
{
    readPassword({});
}

bool SyncAccount::downgraded() const
{
    return QUrl(m_server).scheme() == QLatin1String("https") && m_calendar.scheme() != QLatin1String("https");
}

void SyncAccount::readPassword(std::function<void()> then)
{
    // One read at a time: a second would open a second unlock prompt beside the first.
    if (m_stage != Connected || !m_syncs || downgraded() || m_readingPassword)
        return;
    m_readingPassword = true;
    const QString server = m_server;
    const QString user = m_user;
    m_passwords.read(passwordKey(server, user), [this, server, user, then](const PasswordStore::Result &result) {
        // The prompt may stay open as long as the user likes: sync waits, and says so.
        m_waitingForKeyring = result.kind == PasswordStore::Result::Kind::Waiting;
        m_readingPassword = m_waitingForKeyring;
        // The account may have changed while the keyring was asked.
        if (m_stage != Connected || server != m_server || user != m_user)
            return;
        if (!result.ok()) {
            setProblem(result.message);
            return;
        }
        m_password = result.password;
        setProblem({});
        handOver();
        if (then)
            then();
    });
}

void SyncAccount::handOver()
{
    if (!m_syncs)
        return;
    if (m_stage == Connected && m_password)
        m_engine.setTarget(SyncTarget{m_calendar, m_user, *m_password});
    else
        m_engine.setTarget(std::nullopt);
}

QStringList SyncAccount::calendars() const
{
    QStringList names;
    for (const CalendarInfo &calendar : m_found.calendars) {
        const QString name = calendar.displayName.isEmpty() ? calendar.url.path() : calendar.displayName;
        // Said before it is chosen: such a calendar is refused.
        names.append(calendar.readOnly ? tr("%1 (read only)").arg(name) : name);
    }
    return names;
}

bool SyncAccount::isRunning() const
{
    return m_stage == Connected && m_engine.isRunning();
}

bool SyncAccount::isFailing() const
{
    return m_stage == Connected && !isRunning() && !m_waitingForKeyring
        && (!m_problem.isEmpty() || (m_lastRun && !m_lastRun->error.isEmpty()));
}

QString SyncAccount::status() const
{
    return statusText(m_stage == Connected, isRunning(), m_problem, m_lastRun, Clock::current().now());
}

QString SyncAccount::details() const
{
    return m_stage == Connected ? detailsText(m_lastRun) : QString();
}

QString SyncAccount::statusText(bool connected, bool running, const QString &problem,
                                const std::optional<LastRun> &last, const QDateTime &now)
{
    if (!connected)
        return tr("Not set up");
    if (running)
        return tr("Syncing…");
    if (!problem.isEmpty())
        return problem;
    if (!last)
        return tr("Not synced yet");
    if (!last->error.isEmpty())
        return last->error;
    // Negative after the clock was set back: "just now", not a negative time.
    const qint64 seconds = last->at.secsTo(now);
    if (seconds < 60)
        return tr("Synced just now");
    if (seconds < 3600)
        return tr("Synced %n minute(s) ago", nullptr, int(seconds / 60));
    if (seconds < 86400)
        return tr("Synced %n hour(s) ago", nullptr, int(seconds / 3600));
    return tr("Synced %n day(s) ago", nullptr, int(std::min<qint64>(seconds / 86400, std::numeric_limits<int>::max())));
}

QString SyncAccount::detailsText(const std::optional<LastRun> &last)
{
    if (!last)
        return {};
    QStringList parts;
    if (last->withoutDue > 0)
        parts.append(tr("%n task(s) without a due day not shown", nullptr, last->withoutDue));
    if (last->otherItems > 0)
        parts.append(tr("%n other item(s) not shown", nullptr, last->otherItems));
    if (last->unreadable > 0)
        parts.append(tr("%n task(s) could not be read", nullptr, last->unreadable));
    // An edit that lost to a later one on another device is told, never dropped silently.
    if (last->conflicts > 0)
        parts.append(tr("%n field(s) changed on two devices: the later change kept", nullptr, last->conflicts));
    // A server naming what is not in the calendar is told, so a user can see something is off.
    if (last->outside > 0)
        parts.append(tr("%n item(s) outside the calendar ignored", nullptr, last->outside));
    // A name another app wrote that broke the rules is shown cleaned; the user hears of it.
    if (last->cleanedNames > 0)
        parts.append(tr("%n member name(s) from the server cleaned", nullptr, last->cleanedNames));
    if (last->overLimit > 0)
        parts.append(tr("%n task(s) not taken in: the app holds at most %1 chores", nullptr, last->overLimit)
                         .arg(QLocale().toString(SyncEngine::maxChoresDefault)));
    return parts.join(QStringLiteral(" · "));
}

QUrl SyncAccount::serverUrl(const QString &typed)
{
    const QString trimmed = typed.trimmed();
    if (trimmed.isEmpty())
        return {};
    // "nextcloud.example.org/remote.php/dav" means https, as every server of an account should be.
    QUrl url = QUrl::fromUserInput(trimmed.contains(QStringLiteral("://")) ? trimmed
                                                                           : QStringLiteral("https://") + trimmed);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("https") && scheme != QLatin1String("http")))
        return {};
    // A password typed into the address would land in the settings file.
    url.setUserInfo(QString());
    return url;
}

bool SyncAccount::exposesPassword(const QUrl &url)
{
    const QString host = url.host().toLower();
    return url.scheme() != QLatin1String("https") && host != QLatin1String("localhost")
        && !(CalDavNetwork::instance() && CalDavNetwork::instance()->isLoopback(host));
}

QString SyncAccount::passwordKey(const QString &server, const QString &user)
{
    return user + QLatin1Char('@') + server;
}

void SyncAccount::setStage(Stage stage)
{
    if (stage == m_stage)
        return;
    m_stage = stage;
    if (stage == Connected)
        m_tick.start();
    else
        m_tick.stop();
    emit stageChanged();
    emit statusChanged();
}

void SyncAccount::setMessage(const QString &message)
{
    if (message == m_message)
        return;
    m_message = message;
    emit messageChanged();
}

void SyncAccount::setProblem(const QString &problem)
{
    if (problem == m_problem)
        return;
    m_problem = problem;
    emit statusChanged();
}

void SyncAccount::discover(const QString &server, const QString &user, const QString &password)
{
    runDiscovery(server, user, password, {}, [this](bool ok, const QString &message) {
        setMessage(ok ? QString() : message);
    });
}

void SyncAccount::ask(const QString &question, const QUrl &address, std::function<void()> then)
{
    m_question = question;
    m_questionAddress = CalDavClient::shownAddress(address);
    m_onConfirm = std::move(then);
    setMessage({});
    setStage(Confirming);
}

void SyncAccount::confirm()
{
    if (m_stage != Confirming || !m_onConfirm)
        return;
    const auto then = std::exchange(m_onConfirm, {});
    setStage(m_calendar.isEmpty() ? NotSetUp : Connected);
    then();
}

void SyncAccount::runDiscovery(const QString &server, const QString &user, const QString &password, Asking asking,
                               Done done)
{
    if (isBusy())
        return done(false, tr("The account is being set up already."));
    const QUrl url = serverUrl(server);
    if (url.isEmpty())
        return done(false, tr("Enter the server address, such as https://cloud.example.org/remote.php/dav."));
    if (user.trimmed().isEmpty())
        return done(false, tr("Enter the user name."));
    if (password.isEmpty())
        return done(false, tr("Enter the password."));
    if (exposesPassword(url) && !asking.plainHttpAccepted) {
        if (!asking.interactive)
            return done(false, tr("%1 is not encrypted, so the password would be readable on the network; "
                                  "give --allow-http to connect all the same.").arg(CalDavClient::shownAddress(url)));
        asking.plainHttpAccepted = true;
        return ask(tr("Connect without encryption? The password will be readable on the network."), url,
                   [=, this] { runDiscovery(server, user, password, asking, done); });
    }
    m_pendingServer = url.toString();
    m_pendingUser = user.trimmed();
    m_pendingPassword = password;
    setMessage({});
    setStage(Discovering);
    m_client.setCredentials(url, m_pendingUser, m_pendingPassword);
    // Set-up ends as a sync run does: a server answering slowly, request after request, cannot hold it.
    m_client.setRunDeadline(m_engine.runDeadline());
    m_client.discover(url, [=, this](Discovery found) {
        // Another server (/.well-known pointing to the provider's DAV host): the password goes
        // there only once the user has seen the address and said yes.
        if (found.error.kind == CalDavError::Kind::OtherOrigin && asking.interactive) {
            const QUrl there = found.error.location.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
            setStage(m_calendar.isEmpty() ? NotSetUp : Connected);
            return ask(tr("The server sends you on to another address. Connect there? Your password will be sent to it."),
                       there, [=, this] { runDiscovery(there.toString(), user, password, {}, done); });
        }
        if (!found.error.ok()) {
            m_pendingPassword.clear();
            setStage(m_calendar.isEmpty() ? NotSetUp : Connected);
            return done(false, found.error.message);
        }
        m_found = std::move(found);
        emit calendarsChanged();
        setStage(Choosing);
        done(true, {});
    });
}

void SyncAccount::choose(int index)
{
    if (m_stage != Choosing || index < 0 || index >= m_found.calendars.size())
        return;
    save(m_found.calendars.at(index), [this](bool ok, const QString &message) { setMessage(ok ? QString() : message); });
}

void SyncAccount::createCalendar()
{
    if (m_stage != Choosing || !canCreateCalendar())
        return;
    createAndSave(tr("Chores"), [this](bool ok, const QString &message) { setMessage(ok ? QString() : message); });
}

void SyncAccount::chooseAddress(const QString &address)
{
    if (m_stage != Choosing)
        return;
    const QString typed = address.trimmed();
    const auto done = [this](bool ok, const QString &message) { setMessage(ok ? QString() : message); };
    if (!typed.contains(QLatin1String("://")) && !typed.startsWith(QLatin1Char('/')))
        return done(false, tr("Enter the calendar's whole address, such as "
                              "https://cloud.example.org/remote.php/dav/calendars/alice/chores/."));
    useAddress(QUrl(m_pendingServer).resolved(QUrl(typed)), done);
}

void SyncAccount::useAddress(const QUrl &typed, Done done)
{
    const QUrl server(m_pendingServer);
    QUrl address = CalDavClient::normalized(typed);
    address.setUserInfo(QString());
    if (!address.path().endsWith(QLatin1Char('/')))
        address.setPath(address.path() + QLatin1Char('/'));
    const QString shown = CalDavClient::shownAddress(address);
    // The password goes to the server the user gave, or said yes to, and nowhere else; a calendar
    // shared by another user lies on that server too.
    if (!address.isValid() || !CalDavClient::sameOrigin(server, address))
        return done(false, tr("The calendar %1 is not on the account's server %2; the password was not sent there.")
                               .arg(shown, CalDavClient::shownAddress(server)));
    const QString path = address.path(QUrl::FullyEncoded);
    setMessage({});
    setStage(Saving);
    m_client.setRunDeadline(m_engine.runDeadline());
    m_client.describeCalendar(address, [=, this](CreatedCalendar described) {
        const CalDavError &error = described.error;
        const bool forTasks = error.ok() && described.calendar.isCalendar && described.calendar.holdsTodo();
        if (forTasks)
            return save(described.calendar, done);
        setStage(Choosing);
        if (error.kind == CalDavError::Kind::Forbidden)
            return done(false, tr("The server does not let this account read the calendar at %1; ask its owner to "
                                  "share it with you.").arg(path));
        if (error.ok() || error.kind == CalDavError::Kind::NotFound)
            return done(false, tr("The server %1 has no calendar for tasks at %2.").arg(shown, path));
        done(false, error.message);
    });
}

bool SyncAccount::canCreateCalendar() const
{
    return !calendars().contains(tr("Chores"), Qt::CaseInsensitive);
}

void SyncAccount::createAndSave(const QString &name, Done done)
{
    // A server that names no calendar home takes new calendars beside the principal's.
    const QUrl home = !m_found.home.isEmpty() ? m_found.home : m_found.principal;
    if (home.isEmpty())
        return done(false, tr("The server offers no place for a new calendar."));
    keepPassword(
        [=, this] {
            m_client.setRunDeadline(m_engine.runDeadline());
            m_client.createCalendar(home, name, [this, done](CreatedCalendar created) {
                if (!created.error.ok()) {
                    // No account came of it: a new entry goes again, one the saved account uses stays.
                    const QString key = passwordKey(m_pendingServer, m_pendingUser);
                    if (key != passwordKey(m_server, m_user))
                        m_passwords.remove(key, [](const PasswordStore::Result &) {});
                    setStage(Choosing);
                    return done(false, created.error.message);
                }
                store(created.calendar, done);
            });
        },
        done);
}

void SyncAccount::save(const CalendarInfo &calendar, Done done)
{
    // Chores finished here must reach the calendar: one the user may only read is not synced with.
    if (calendar.readOnly) {
        setStage(Choosing);
        const QString name = calendar.displayName.isEmpty() ? calendar.url.path() : calendar.displayName;
        return done(false, tr("“%1” is shared with you to read only, so chores finished here could not reach it; "
                              "choose a calendar you may change.").arg(name));
    }
    keepPassword([=, this] { store(calendar, done); }, done);
}

void SyncAccount::keepPassword(std::function<void()> then, Done failed)
{
    setStage(Saving);
    m_passwords.write(passwordKey(m_pendingServer, m_pendingUser), m_pendingPassword,
                      [this, then, failed](const PasswordStore::Result &result) {
                          if (result.kind == PasswordStore::Result::Kind::Waiting)
                              return setMessage(result.message);
                          setMessage({});
                          if (!result.ok()) {
                              // Without the Secret Service nothing is saved: no account that could never sync.
                              setStage(Choosing);
                              return failed(false, result.message);
                          }
                          then();
                      });
}

void SyncAccount::store(const CalendarInfo &calendar, Done done)
{
    const QString server = m_pendingServer;
    const QString user = m_pendingUser;
    const QString oldKey = passwordKey(m_server, m_user);
    if (!m_server.isEmpty() && oldKey != passwordKey(server, user))
        m_passwords.remove(oldKey, [](const PasswordStore::Result &) {});
    QSettings settings;
    releaseOrphanedLock(settings);
    settings.remove(QStringLiteral("sync"));
    settings.setValue(serverKey, server);
    settings.setValue(userKey, user);
    settings.setValue(calendarKey, calendar.url.toString());
    settings.setValue(calendarNameKey, calendar.displayName);
    if (!m_found.displayName.isEmpty())
        settings.setValue(displayNameKey, m_found.displayName);
    settings.sync();
    if (settings.status() != QSettings::NoError) {
        setStage(Choosing);
        return done(false, tr("The account could not be written to the settings file."));
    }
    m_server = server;
    m_user = user;
    m_calendar = calendar.url;
    m_calendarName = calendar.displayName;
    m_displayName = m_found.displayName;
    m_password = m_pendingPassword;
    m_lastRun.reset();
    m_pendingPassword.clear();
    m_found = {};
    m_replacing = false;
    emit calendarsChanged();
    emit accountChanged();
    setProblem({});
    setStage(Connected);
    handOver();
    done(true, calendar.url.toString());
}

void SyncAccount::offer(const QString &server, const QString &user)
{
    m_offeredServer = server;
    m_offeredUser = user;
    emit offerChanged();
    if (m_stage != Connected || m_replacing)
        return;
    ask(tr("Replace the connected account? Your chores will sync with the account at this address instead, once "
           "you give its password."),
        serverUrl(server), [this] {
            m_replacing = true;
            emit stageChanged();
        });
}

void SyncAccount::keepTyped(const QString &server, const QString &user)
{
    if (server == m_offeredServer && user == m_offeredUser)
        return;
    m_offeredServer = server;
    m_offeredUser = user;
    emit offerChanged();
}

void SyncAccount::cancel()
{
    if (std::exchange(m_replacing, false)) {
        emit stageChanged();
        return;
    }
    // Saving is not taken back halfway: the keyring may have the password already.
    if (m_stage == Connected || m_stage == Saving)
        return;
    m_client.abortAll();
    m_onConfirm = {};
    m_pendingPassword.clear();
    m_found = {};
    emit calendarsChanged();
    setMessage({});
    setStage(m_calendar.isEmpty() ? NotSetUp : Connected);
}

SyncAccount::LastRun SyncAccount::LastRun::of(const SyncReport &report, const QDateTime &at)
{
    return {at, outcomeError(report), report.withoutDue, report.otherItems, report.unreadable,
            report.sameFieldConflicts, report.outside, report.overLimit, report.cleanedNames};
}

QString SyncAccount::outcomeError(const SyncReport &report)
{
    if (!report.ok())
        return report.error.message;
    // Never "Synced" while a chore stayed behind: the first refusal, and how many more.
    if (report.refused.isEmpty())
        return {};
    if (report.refused.size() == 1)
        return report.refused.first();
    return tr("%1 (and %n more)", nullptr, int(report.refused.size() - 1)).arg(report.refused.first());
}

void SyncAccount::syncNow()
{
    if (m_stage != Connected || !m_syncs)
        return;
    m_engine.retryRefused();
    if (!m_password) {
        // The keyring may be reachable by now (unlocked at last).
        readPassword([this] { m_engine.start(); });
        return;
    }
    m_engine.start();
}

void SyncAccount::forget()
{
    if (m_stage != Connected)
        return;
    m_passwords.remove(passwordKey(m_server, m_user), [this](const PasswordStore::Result &result) {
        if (!result.ok() && result.kind != PasswordStore::Result::Kind::Waiting)
            setMessage(result.message);
    });
    QSettings settings;
    releaseOrphanedLock(settings);
    settings.remove(QStringLiteral("sync"));
    m_server.clear();
    m_user.clear();
    m_calendar.clear();
    m_calendarName.clear();
    m_displayName.clear();
    m_password.reset();
    m_lastRun.reset();
    setProblem({});
    setMessage({});
    emit accountChanged();
    setStage(NotSetUp);
    handOver();
}

void SyncAccount::onFinished(const SyncReport &report)
{
    if (m_stage != Connected)
        return;
    m_lastRun = LastRun::of(report, report.finishedAt.isValid() ? report.finishedAt.toUTC() : Clock::current().now().toUTC());
    writeLastRun();
    emit statusChanged();
}

void SyncAccount::syncOnce(std::function<void(bool ok, const QString &message)> done)
{
    if (m_stage != Connected) {
        done(false, tr("No sync account is set up: connect one first with --sync-account."));
        return;
    }
    m_passwords.read(passwordKey(m_server, m_user), [this, done](const PasswordStore::Result &result) {
        // A command waits for the prompt as the window does.
        if (result.kind == PasswordStore::Result::Kind::Waiting)
            return;
        if (!result.ok()) {
            done(false, result.message);
            return;
        }
        if (!m_engine.target())
            m_engine.setTarget(SyncTarget{m_calendar, m_user, result.password});
        // A run already under way may have missed the latest changes: the answer is the next one's.
        auto skip = std::make_shared<bool>(m_engine.isRunning());
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = connect(&m_engine, &SyncEngine::finished, this,
                              [skip, connection, done](const SyncReport &report) {
                                  if (std::exchange(*skip, false))
                                      return;
                                  QObject::disconnect(*connection);
                                  const QString details = detailsText(LastRun::of(report, {}));
                                  const QString outcome = report.complete()
                                      ? tr("Synced: %1 sent, %2 received.").arg(report.sent).arg(report.received)
                                      : outcomeError(report);
                                  done(report.complete(), details.isEmpty() ? outcome : outcome + u' ' + details + u'.');
                              });
        m_engine.start();
    });
}

void SyncAccount::setUp(const QString &server, const QString &user, const QString &password, const QString &collection,
                        bool allowPlainHttp, std::function<void(bool ok, const QString &message)> done)
{
    runDiscovery(server, user, password, {false, allowPlainHttp}, [=, this](bool ok, const QString &message) {
        if (!ok)
            return done(false, message);
        const QList<CalendarInfo> &found = m_found.calendars;
        // A URL as --sync-account printed it, a path, or a name.
        const QUrl address = QUrl(m_pendingServer).resolved(QUrl(collection.trimmed()));
        const bool byAddress = collection.contains(QLatin1String("://")) || collection.startsWith(QLatin1Char('/'));
        const auto matches = [&](const CalendarInfo &calendar) {
            if (byAddress)
                return CalDavClient::sameResource(calendar.url, address);
            return calendar.displayName == collection
                || calendar.url.path().section(QLatin1Char('/'), -1, -1, QString::SectionSkipEmpty) == collection;
        };
        const auto chosen = collection.isEmpty()
            ? std::find_if(found.cbegin(), found.cend(), [](const CalendarInfo &c) { return !c.readOnly; })
            : std::find_if(found.cbegin(), found.cend(), matches);
        const auto finish = [this, done](bool saved, const QString &answer) {
            if (!saved)
                cancel();
            done(saved, answer);
        };
        if (chosen != found.cend())
            save(*chosen, finish);
        else if (byAddress)
            useAddress(address, finish); // outside the home: shared by another user
        else
            createAndSave(collection.isEmpty() ? tr("Chores") : collection, finish);
    });
}

} // namespace Velmora::Sync

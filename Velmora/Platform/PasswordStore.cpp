#include "Velmora/Platform/PasswordStore.h"

#include "Velmora/Platform/CoreLibrary.h"
#include "Velmora/Platform/Keyring.h"
#include "Velmora/Platform/Logging.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>


namespace Velmora {

PasswordStore::PasswordStore(const QString &service, QObject *parent) : QObject(parent), m_service(service) {}

PasswordStore::~PasswordStore() = default;

void PasswordStore::read(const QString &key, Done done)
{
    run(Operation::Read, key, {}, std::move(done));
}

void PasswordStore::write(const QString &key, const QString &password, Done done)
{
    run(Operation::Write, key, password, std::move(done));
}

void PasswordStore::remove(const QString &key, Done done)
{
    run(Operation::Remove, key, {}, std::move(done));
}

Keyring *Keyring::instance()
{
    static Keyring *const loaded = CoreLibrary::make<Keyring>(VELMORA_KEYRING_LIBRARY, "velmora_keyring", &logSync,
                                                              "The keyring could not be loaded:");
    return loaded;
}

void PasswordStore::run(Operation operation, const QString &key, const QString &password, Done done)
{
    // The call's wait is one object on this thread, owning its timer: it goes only once the job
    // has answered, however long after the timeout, so a late answer never meets a timer gone
    // and a store destroyed meanwhile takes the wait and its answer with it.
    auto *wait = new QObject(this);
    auto *timer = new QTimer(wait);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, wait, [done] {
        Result result;
        result.kind = Result::Kind::Waiting;
        result.message = tr("Waiting for the keyring to be unlocked");
        done(result);
    });

    const auto finished = [this, wait, timer, done, key, operation](Keyring::Outcome outcome, const QString &found) {
        timer->stop();
        wait->deleteLater();
        Result result;
        switch (outcome) {
        case Keyring::Outcome::Ok:
            result.password = found;
            break;
        case Keyring::Outcome::NotFound:
            if (operation != Operation::Remove) {
                result.kind = Result::Kind::NotFound;
                result.message = tr("The password is not in the Secret Service; disconnect and connect the account again.");
            }
            if (operation == Operation::Read)
                return tellLocked(key, result, done);
            break;
        case Keyring::Outcome::Refused:
            result.kind = Result::Kind::Refused;
            result.message = tr("The Secret Service refused access to the password.");
            break;
        case Keyring::Outcome::Unreachable:
        case Keyring::Outcome::CouldNotDelete:
            result.kind = outcome == Keyring::Outcome::CouldNotDelete ? Result::Kind::Failed : Result::Kind::Unreachable;
            if (operation == Operation::Read)
                result.message = tr("No Secret Service is reachable, so the password cannot be read.");
            else if (operation == Operation::Write)
                result.message = tr("No Secret Service is reachable, so the password was not saved.");
            else
                result.message = tr("The password could not be removed from the Secret Service.");
            break;
        }
        done(result);
    };
    Keyring *keyring = Keyring::instance();
    if (!keyring) {
        // Answered later, as the keyring would: the caller's state is set up by then.
        QTimer::singleShot(0, wait, [finished] { finished(Keyring::Outcome::Unreachable, {}); });
        return;
    }
    timer->start(m_timeout);
    keyring->start(operation, m_service, key, password, wait, finished);
}

void PasswordStore::tellLocked(const QString &key, Result notFound, Done done)
{
    // Found by the attributes qtkeychain files its entries under.
    QDBusMessage search = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.secrets"), QStringLiteral("/org/freedesktop/secrets"),
        QStringLiteral("org.freedesktop.Secret.Service"), QStringLiteral("SearchItems"));
    qDBusRegisterMetaType<QMap<QString, QString>>();
    search << QVariant::fromValue(QMap<QString, QString>{{QStringLiteral("user"), key}, {QStringLiteral("server"), m_service}});
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(search), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, notFound, done] {
        watcher->deleteLater();
        const QDBusPendingReply<QList<QDBusObjectPath>, QList<QDBusObjectPath>> reply = *watcher;
        Result result = notFound;
        if (reply.isValid() && !reply.argumentAt<1>().isEmpty()) {
            result.kind = Result::Kind::Refused;
            result.message = tr("The keyring stayed locked, so the password cannot be read.");
        }
        done(result);
    });
}

} // namespace Velmora

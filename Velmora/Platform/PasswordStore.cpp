#include "Velmora/Platform/PasswordStore.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QTimer>

#include <qt6keychain/keychain.h>

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

void PasswordStore::run(Operation operation, const QString &key, const QString &password, Done done)
{
    QKeychain::Job *job = nullptr;
    switch (operation) {
    case Operation::Read:
        job = new QKeychain::ReadPasswordJob(m_service);
        break;
    case Operation::Write: {
        auto *write = new QKeychain::WritePasswordJob(m_service);
        write->setTextData(password);
        job = write;
        break;
    }
    case Operation::Remove:
        job = new QKeychain::DeletePasswordJob(m_service);
        break;
    }
    job->setKey(key);
    job->setAutoDelete(true);
    // Never a plain-text file beside the settings when the keyring is missing.
    job->setInsecureFallback(false);

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
    timer->start(m_timeout);

    connect(job, &QKeychain::Job::finished, wait, [this, wait, timer, done, key, operation](QKeychain::Job *finished) {
        timer->stop();
        wait->deleteLater();
        Result result;
        switch (finished->error()) {
        case QKeychain::NoError:
            if (operation == Operation::Read)
                result.password = static_cast<QKeychain::ReadPasswordJob *>(finished)->textData();
            break;
        case QKeychain::EntryNotFound:
            if (operation != Operation::Remove) {
                result.kind = Result::Kind::NotFound;
                result.message = tr("The password is not in the Secret Service; disconnect and connect the account again.");
            }
            if (operation == Operation::Read)
                return tellLocked(key, result, done);
            break;
        case QKeychain::AccessDenied:
        case QKeychain::AccessDeniedByUser:
            result.kind = Result::Kind::Refused;
            result.message = tr("The Secret Service refused access to the password.");
            break;
        case QKeychain::NoBackendAvailable:
        case QKeychain::NotImplemented:
        case QKeychain::OtherError:
        case QKeychain::CouldNotDeleteEntry:
            // libsecret reports a missing service as an error of its D-Bus call, which qtkeychain
            // passes on as OtherError: unreachable is what the user needs to hear.
            result.kind = finished->error() == QKeychain::CouldNotDeleteEntry ? Result::Kind::Failed
                                                                               : Result::Kind::Unreachable;
            if (operation == Operation::Read)
                result.message = tr("No Secret Service is reachable, so the password cannot be read.");
            else if (operation == Operation::Write)
                result.message = tr("No Secret Service is reachable, so the password was not saved.");
            else
                result.message = tr("The password could not be removed from the Secret Service.");
            break;
        }
        done(result);
    });
    job->start();
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

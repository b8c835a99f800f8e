#include "Velmora/Platform/PasswordStore.h"

#include <QPointer>
#include <QTimer>

#include <qt6keychain/keychain.h>

#include <memory>

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

    // Whichever comes first, the job's end or the timeout, answers; the other is ignored.
    auto answered = std::make_shared<bool>(false);
    auto answer = [answered, done](const Result &result) {
        if (std::exchange(*answered, true))
            return;
        done(result);
    };
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [timer, answer, operation] {
        timer->deleteLater();
        Result result;
        result.kind = Result::Kind::Unreachable;
        result.message = operation == Operation::Read ? tr("The Secret Service did not answer, so the password cannot be read.")
                                                      : tr("The Secret Service did not answer, so the password was not saved.");
        answer(result);
    });
    timer->start(m_timeout);

    connect(job, &QKeychain::Job::finished, this, [timer, answer, operation](QKeychain::Job *finished) {
        timer->stop();
        timer->deleteLater();
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
        answer(result);
    });
    job->start();
}

} // namespace Velmora

// The keyring's library: qtkeychain's jobs for the core's PasswordStore.
#include "Velmora/Platform/Keyring.h"

#include <QObject>

#include <qt6keychain/keychain.h>

namespace Velmora {
namespace {

class QtKeyring final : public Keyring {
public:
    void start(Operation operation, const QString &service, const QString &key, const QString &password,
               QObject *context, Finished finished) override
    {
        QKeychain::Job *job = nullptr;
        switch (operation) {
        case Operation::Read: job = new QKeychain::ReadPasswordJob(service); break;
        case Operation::Write: {
            auto *write = new QKeychain::WritePasswordJob(service);
            write->setTextData(password);
            job = write;
            break;
        }
        case Operation::Remove: job = new QKeychain::DeletePasswordJob(service); break;
        }
        job->setKey(key);
        job->setAutoDelete(true);
        // Never a plain-text file beside the settings when the keyring is missing.
        job->setInsecureFallback(false);
        QObject::connect(job, &QKeychain::Job::finished, context, [operation, finished](QKeychain::Job *done) {
            const QString found = operation == Operation::Read && done->error() == QKeychain::NoError
                ? static_cast<QKeychain::ReadPasswordJob *>(done)->textData()
                : QString();
            finished(outcome(done->error()), found);
        });
        job->start();
    }

private:
    static Outcome outcome(QKeychain::Error error)
    {
        switch (error) {
        case QKeychain::NoError: return Outcome::Ok;
        case QKeychain::EntryNotFound: return Outcome::NotFound;
        case QKeychain::AccessDenied:
        case QKeychain::AccessDeniedByUser: return Outcome::Refused;
        case QKeychain::CouldNotDeleteEntry: return Outcome::CouldNotDelete;
        // libsecret reports a missing service as an error of its D-Bus call, which qtkeychain
        // passes on as OtherError: unreachable is what the user needs to hear.
        case QKeychain::NoBackendAvailable:
        case QKeychain::NotImplemented:
        case QKeychain::OtherError: return Outcome::Unreachable;
        }
        return Outcome::Unreachable;
    }
};

} // namespace
} // namespace Velmora

extern "C" Q_DECL_EXPORT Velmora::Keyring *velmora_keyring()
{
    static Velmora::QtKeyring keyring;
    return &keyring;
}

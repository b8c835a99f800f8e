#pragma once

#include "Velmora/Platform/Keyring.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <functional>

namespace Velmora {

// Passwords in the desktop's Secret Service (through qtkeychain), never anywhere else: where
// none is reachable every call fails with a sentence saying so. Every call returns at once and
// answers later on this object's thread; answers of a destroyed store never run. A call still
// unanswered after the timeout (an unlock prompt left open) answers Waiting first, then its
// outcome whenever the Secret Service gives it.
class PasswordStore : public QObject {
    Q_OBJECT

public:
    struct Result {
        enum class Kind { Ok, NotFound, Unreachable, Refused, Failed, Waiting };
        Kind kind = Kind::Ok;
        QString password; // what read() found
        QString message;  // one sentence for the user when it failed

        bool ok() const { return kind == Kind::Ok; }
    };
    using Done = std::function<void(const Result &)>;

    // service: the name the entries are filed under in the keyring.
    explicit PasswordStore(const QString &service, QObject *parent = nullptr);
    ~PasswordStore() override;

    // A Secret Service that asks the user (an unlock prompt) may take long; past this, the
    // caller hears Waiting and may say so.
    void setTimeout(std::chrono::milliseconds timeout) { m_timeout = timeout; }

    void read(const QString &key, Done done);
    void write(const QString &key, const QString &password, Done done);
    // Removing an entry that is not there succeeds.
    void remove(const QString &key, Done done);

private:
    using Operation = Keyring::Operation;
    void run(Operation operation, const QString &key, const QString &password, Done done);
    // libsecret reads an unlock prompt's Cancel as a missing entry: ask whether the entry is
    // there but locked, and say so then.
    void tellLocked(const QString &key, Result notFound, Done done);

    QString m_service;
    std::chrono::milliseconds m_timeout{20000};
};

} // namespace Velmora

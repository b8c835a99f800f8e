#pragma once

#include <QString>

#include <functional>

class QObject;

namespace Velmora {

// The Secret Service behind one seam: qtkeychain is called from a library of its own
// (velmora_keyring), which the core loads at the first password asked for. A process that never
// reaches the keyring (one waiting for the day's reminders) maps neither.
class Keyring {
public:
    enum class Operation { Read, Write, Remove };
    enum class Outcome { Ok, NotFound, Refused, Unreachable, CouldNotDelete };
    using Finished = std::function<void(Outcome outcome, const QString &password)>;

    virtual ~Keyring() = default;
    // Starts one job on the entry `key` of `service`; `finished` runs on the thread of `context`
    // once it answers, and never once `context` is gone. Nothing is ever written as plain text.
    virtual void start(Operation operation, const QString &service, const QString &key, const QString &password,
                       QObject *context, Finished finished) = 0;

    // Loaded at the first call; null, with a warning, when the library is missing.
    static Keyring *instance();
};

} // namespace Velmora

#pragma once

#include <QString>

#include <chrono>

namespace Velmora {

// A lock the kernel holds on an open file (flock) and lets go of when the process ends, however
// it ends: whatever the file holds (nothing, garbage, another computer's name), it keeps no one
// out once its holder is gone. Two locks on one file conflict within a process too.
class FileLock {
public:
    enum class Result { Locked, Held, Failed };

    explicit FileLock(const QString &path);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    // Tries until wait has passed. Held: someone else holds it all that time. Failed: the file
    // cannot be opened (a symbolic link is refused), see errorString().
    Result tryLock(std::chrono::milliseconds wait);
    QString path() const { return m_path; }
    QString errorString() const { return m_error; }

private:
    QString m_path;
    QString m_error;
    int m_fd = -1;
};

} // namespace Velmora

#include "Velmora/Platform/FileLock.h"

#include "Velmora/Platform/PrivateFiles.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace Velmora {

FileLock::FileLock(const QString &path) : m_path(path) {}

FileLock::~FileLock()
{
    // Closing lets go of the lock; the file stays, so no second process can lock a new file of
    // the same name while a third still holds the old one.
    if (m_fd >= 0)
        ::close(m_fd);
}

FileLock::Result FileLock::tryLock(std::chrono::milliseconds wait)
{
    if (m_fd >= 0)
        return Result::Locked;
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        m_error = errno == ELOOP ? PrivateFiles::linkRefused(m_path)
                                 : QStringLiteral("%1: %2").arg(m_path, QString::fromLocal8Bit(std::strerror(errno)));
        return Result::Failed;
    }
    const QDeadlineTimer deadline(wait);
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        const bool held = error == EWOULDBLOCK || error == EINTR;
        if (!held || deadline.hasExpired()) {
            m_error = QString::fromLocal8Bit(std::strerror(error));
            ::close(fd);
            return held ? Result::Held : Result::Failed;
        }
        QThread::msleep(20);
    }
    // Who holds it, as QLockFile writes it: an earlier version of the app reads it and takes the
    // lock over once this process is gone.
    const QByteArray holder = QByteArray::number(QCoreApplication::applicationPid()) + '\n'
        + QCoreApplication::applicationName().toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
    if (::ftruncate(fd, 0) == 0 && ::write(fd, holder.constData(), size_t(holder.size())) < 0)
        m_error = QString::fromLocal8Bit(std::strerror(errno)); // the lock holds all the same
    m_fd = fd;
    return Result::Locked;
}

} // namespace Velmora

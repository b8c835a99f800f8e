#include "Velmora/Platform/PrivateFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Velmora::PrivateFiles {

void restrictNewFiles()
{
    ::umask(077);
}

bool makeFolder(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (QFileInfo(absolute).isDir())
        return true;
    const QString parent = QFileInfo(absolute).absolutePath();
    if (parent != absolute && !QFileInfo(parent).isDir() && !makeFolder(parent))
        return false;
    // Another process may make it at the same moment: that is as good.
    return (::mkdir(QFile::encodeName(absolute).constData(), 0700) == 0 || errno == EEXIST) && QFileInfo(absolute).isDir();
}

bool makeFile(const QString &path)
{
    // Made here, not by SQLite or Qt, whose new files get 0644 less the umask.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (regular && (status.st_mode & 0777) != 0600)
        ::fchmod(fd, 0600);
    ::close(fd);
    return regular;
}

void tighten(const QString &path)
{
    // Opened, not looked at then changed by name: a link put there meanwhile is never followed.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW);
    if (fd < 0)
        return;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && (status.st_mode & 0777) != 0600)
        ::fchmod(fd, 0600);
    ::close(fd);
}

bool isLink(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

QString linkRefused(const QString &path)
{
    return QCoreApplication::translate("PrivateFiles", "%1 is a symbolic link; Taskarello does not follow links "
                                                       "where it keeps its files. Remove it and start again.")
        .arg(QDir::toNativeSeparators(path));
}

void tightenFolder(const QString &path)
{
    if (!QFileInfo(path).isDir())
        return;
    ::chmod(QFile::encodeName(path).constData(), 0700);
    for (const QFileInfo &file : QDir(path).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks))
        tighten(file.absoluteFilePath());
}

} // namespace Velmora::PrivateFiles

#include "filemoves.h"

#include "filenames.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#if defined(Q_OS_LINUX)
#include <sys/stat.h>
#include <sys/syscall.h>
#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif
#endif

namespace {

#ifdef Q_OS_UNIX
QString reasonOf(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}
#endif

} // namespace

bool putInPlace(const QByteArray &temporary, const QByteArray &target)
{
    return std::rename(temporary.constData(), target.constData()) == 0;
}

bool removeFile(const QString &path)
{
#ifdef Q_OS_UNIX
    return ::unlink(nameToBytes(path).constData()) == 0;
#else
    return QFile::remove(path);
#endif
}

bool pathExists(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status;
    return ::lstat(nameToBytes(path).constData(), &status) == 0;
#else
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
#endif
}

bool isSameFile(const QString &a, const QString &b)
{
#ifdef Q_OS_UNIX
    struct stat first;
    struct stat second;
    if (::stat(nameToBytes(a).constData(), &first) != 0
        || ::stat(nameToBytes(b).constData(), &second) != 0)
        return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
#else
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
#endif
}

int renameNoReplaceAt(int folderFd, const QByteArray &from, const QByteArray &to, QString *error)
{
#if defined(Q_OS_LINUX) && defined(SYS_renameat2)
    if (::syscall(SYS_renameat2, folderFd, from.constData(), folderFd, to.constData(),
                  RENAME_NOREPLACE)
        == 0)
        return 1;
    // File systems without support for the flag answer EINVAL.
    if (errno == EINVAL || errno == ENOSYS)
        return -1;
    if (error)
        *error = reasonOf(errno);
    return 0;
#else
    Q_UNUSED(folderFd);
    Q_UNUSED(from);
    Q_UNUSED(to);
    Q_UNUSED(error);
    return -1;
#endif
}

bool renameNoReplace(const QString &from, const QString &to, QString *error)
{
#ifdef Q_OS_UNIX
    const QByteArray source = nameToBytes(from);
    const QByteArray target = nameToBytes(to);
#if defined(Q_OS_LINUX)
    const int done = renameNoReplaceAt(AT_FDCWD, source, target, error);
    if (done >= 0)
        return done == 1;
#endif
    if (pathExists(to)) {
        if (error)
            *error = reasonOf(EEXIST);
        return false;
    }
    if (std::rename(source.constData(), target.constData()) == 0)
        return true;
    if (error)
        *error = reasonOf(errno);
    return false;
#else
    QFile file(from);
    if (file.rename(to))
        return true;
    if (error)
        *error = file.errorString();
    return false;
#endif
}

Displacement replaceExistingFile(const QString &source, const QString &target,
                                 const QString &asidePath)
{
    Displacement displacement;
    if (!renameNoReplace(target, asidePath, &displacement.reason)) {
        displacement.result = Displacement::NotSetAside;
        return displacement;
    }
    if (renameNoReplace(source, target, &displacement.reason)) {
        displacement.result = Displacement::Moved;
        return displacement;
    }
    displacement.result = renameNoReplace(asidePath, target) ? Displacement::MovePutBack
                                                             : Displacement::MoveAsideKept;
    return displacement;
}

quint64 fileIdOf(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (::lstat(nameToBytes(path).constData(), &status) != 0)
        return 0;
    return quint64(status.st_ino);
#else
    Q_UNUSED(path);
    return 0;
#endif
}

QString fingerprintOf(const QString &path, bool withTime)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (::lstat(nameToBytes(path).constData(), &status) != 0)
        return QString();
#if defined(Q_OS_DARWIN)
    const struct timespec &time = status.st_mtimespec;
#else
    const struct timespec &time = status.st_mtim;
#endif
    const qint64 msecs = qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
    if (!withTime)
        return QString::number(qint64(status.st_size));
    return QStringLiteral("%1:%2").arg(qint64(status.st_size)).arg(msecs);
#else
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QString();
    if (!withTime)
        return QString::number(info.size());
    return QStringLiteral("%1:%2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
#endif
}

bool isSameFileSince(const QString &path, quint64 fileId, qint64 beganMsecs, qint64 settledMsecs)
{
#if defined(Q_OS_LINUX) && defined(STATX_BTIME)
    struct statx status;
    if (::statx(AT_FDCWD, nameToBytes(path).constData(), AT_SYMLINK_NOFOLLOW,
                STATX_INO | STATX_BTIME | STATX_CTIME, &status)
        != 0)
        return false;
    if (fileId != 0 && status.stx_ino != fileId)
        return false;
    const auto msecs = [](const struct statx_timestamp &time) {
        return qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
    };
    if (status.stx_mask & STATX_BTIME)
        return msecs(status.stx_btime) <= beganMsecs;
    // Timestamps of some file systems are coarse: a second of grace.
    return settledMsecs < 0 || msecs(status.stx_ctime) <= settledMsecs + 1000;
#else
    Q_UNUSED(beganMsecs);
    Q_UNUSED(settledMsecs);
    if (!pathExists(path))
        return false;
    return fileId == 0 || fileIdOf(path) == fileId;
#endif
}

#include "folderhandle.h"

#include "filemoves.h"

#include <QFile>

#if defined(Q_OS_LINUX)
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>
#ifndef RENAME_NOREPLACE
#define RENAME_NOREPLACE (1 << 0)
#endif
#endif

FolderHandle::FolderHandle(const QString &folderPath) : m_path(folderPath)
{
#if defined(Q_OS_LINUX) && defined(SYS_renameat2)
    m_fd = ::open(QFile::encodeName(folderPath).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
#endif
}

FolderHandle::~FolderHandle()
{
#if defined(Q_OS_LINUX)
    if (m_fd >= 0)
        ::close(m_fd);
#endif
}

bool FolderHandle::renameNoReplace(const QString &from, const QString &to, QString *error) const
{
#if defined(Q_OS_LINUX) && defined(SYS_renameat2)
    if (m_fd >= 0) {
        if (::syscall(SYS_renameat2, m_fd, QFile::encodeName(from).constData(), m_fd,
                      QFile::encodeName(to).constData(), RENAME_NOREPLACE)
            == 0)
            return true;
        // File systems without the flag answer EINVAL: the path-based rename
        // below knows what to do then.
        if (errno != EINVAL && errno != ENOSYS) {
            if (error)
                *error = QString::fromLocal8Bit(std::strerror(errno));
            return false;
        }
    }
#endif
    return ::renameNoReplace(m_path + from, m_path + to, error);
}

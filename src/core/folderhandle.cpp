#include "folderhandle.h"

#include "filemoves.h"
#include "filenames.h"

#include <QFile>

#if defined(Q_OS_LINUX)
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

FolderHandle::FolderHandle(const QString &folderPath) : m_path(folderPath)
{
#if defined(Q_OS_LINUX) && defined(SYS_renameat2)
    m_fd = ::open(nameToBytes(folderPath).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
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
        const QByteArray source = nameToBytes(from);
        const QByteArray target = nameToBytes(to);
        if (!m_noReplaceRefused) {
            const int done = renameNoReplaceAt(m_fd, source, target, error);
            if (done >= 0)
                return done == 1;
            // Some FUSE drivers cannot promise not to replace; asking again
            // for every file would cost each a walk of the folder.
            m_noReplaceRefused = true;
        }
        struct stat status;
        if (::fstatat(m_fd, target.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
            if (error)
                *error = QString::fromLocal8Bit(std::strerror(EEXIST));
            return false;
        }
        if (::renameat(m_fd, source.constData(), m_fd, target.constData()) == 0)
            return true;
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
#endif
    return ::renameNoReplace(m_path + from, m_path + to, error);
}

#include "folderhandle.h"

#include "filemoves.h"
#include "filenames.h"

#include <QFile>

#if defined(Q_OS_LINUX)
#include <fcntl.h>
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
        // Where the file system cannot refuse to replace, the path-based
        // rename below knows what to do.
        const int done =
            renameNoReplaceAt(m_fd, nameToBytes(from), nameToBytes(to), error);
        if (done >= 0)
            return done == 1;
    }
#endif
    return ::renameNoReplace(m_path + from, m_path + to, error);
}

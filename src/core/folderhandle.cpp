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

namespace {

#if defined(Q_OS_LINUX) && defined(SYS_renameat2)
using NameBuffer = char[256];

// A name's bytes for a system call: an ASCII name (most) narrowed into the
// caller's buffer, so that a million renames allocate nothing for them.
QByteArray bytesOf(const QString &name, NameBuffer &buffer)
{
    const qsizetype size = name.size();
    if (size >= qsizetype(sizeof(NameBuffer)) || !isAsciiText(name))
        return nameToBytes(name);
    const char16_t *units = QStringView(name).utf16();
    for (qsizetype i = 0; i < size; ++i)
        buffer[i] = char(units[i]);
    buffer[size] = '\0';
    return QByteArray::fromRawData(buffer, size);
}
#endif

} // namespace

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
        NameBuffer sourceBuffer;
        NameBuffer targetBuffer;
        const QByteArray source = bytesOf(from, sourceBuffer);
        const QByteArray target = bytesOf(to, targetBuffer);
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

#ifndef FOLDERHANDLE_H
#define FOLDERHANDLE_H

#include <QString>

// A folder opened once for the renames inside it. On Linux the renames then
// name files relative to the open folder, which spares the system a walk of
// the whole path for each of many thousand files; elsewhere the paths are
// composed. Never replaces an existing file. Used by one thread at a time.
class FolderHandle
{
public:
    explicit FolderHandle(const QString &folderPath); // with a trailing separator
    ~FolderHandle();
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;

    // Renames the file called from to the name to, unless something exists
    // there; on failure gives a short reason.
    bool renameNoReplace(const QString &from, const QString &to, QString *error) const;

private:
    QString m_path;
    int m_fd = -1;
    mutable bool m_noReplaceRefused = false;
};

#endif // FOLDERHANDLE_H

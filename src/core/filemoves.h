#ifndef FILEMOVES_H
#define FILEMOVES_H

#include <QString>

// File operations that the renaming and the replacing carry out. Safe on any
// thread. None of them ever replaces an existing file.

// Renames from to to unless something exists at to. On failure returns false
// and, when error is given, puts a short reason there. Atomic where the
// platform allows it (Linux), a test followed by the rename elsewhere.
bool renameNoReplace(const QString &from, const QString &to, QString *error = nullptr);

// Linux's atomic no-replace rename, relative to an open folder (AT_FDCWD for
// paths): 1 when done, 0 when refused (the reason in error), -1 when the file
// system cannot promise not to replace, so that the caller falls back.
int renameNoReplaceAt(int folderFd, const QByteArray &from, const QByteArray &to, QString *error);

// Puts a file this program wrote under a temporary name in place of target,
// at once (its own records, never a user's file); errno tells a failure.
bool putInPlace(const QByteArray &temporary, const QByteArray &target);

// Deletes the file (or link) at path for good; false when it cannot.
bool removeFile(const QString &path);

// True when something (file, folder, or a dangling link) exists at path.
bool pathExists(const QString &path);

// True when both paths name one and the same file, as on a file system that
// ignores letter case.
bool isSameFile(const QString &a, const QString &b);

// Moves source to target, where a file already exists: the existing file is
// first set aside under asidePath, and put back when the move fails. The
// caller disposes of the set-aside file once source is in place.
struct Displacement
{
    enum Result {
        Moved,        // source is in place; the old file is at asidePath
        NotSetAside,  // nothing moved
        MovePutBack,  // the move failed; the old file is back under its name
        MoveAsideKept // the move failed and the old file stays at asidePath
    };
    Result result = NotSetAside;
    QString reason;

    operator Result() const { return result; }
};

Displacement replaceExistingFile(const QString &source, const QString &target,
                                 const QString &asidePath);

// A number that stays with a file through renames and tells it from another
// file that later takes its name (the inode on Unix); 0 when unknown.
quint64 fileIdOf(const QString &path);

// What tells a file where the volume has no lasting file numbers: its size
// and, where the volume keeps it through a rename, its modification time, as
// one text; empty when nothing is there.
QString fingerprintOf(const QString &path, bool withTime = true);

// Whether the file at path is still the one that bore fileId when a batch
// began (msecs since the epoch): the same number, and not created since, for
// a new file may be given a freed number. Where the file system keeps no
// creation time, a change after settledMsecs (when given, >= 0) counts as
// another file.
bool isSameFileSince(const QString &path, quint64 fileId, qint64 beganMsecs, qint64 settledMsecs);

#endif // FILEMOVES_H

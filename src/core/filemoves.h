#ifndef FILEMOVES_H
#define FILEMOVES_H

#include <QString>

// File operations that the renaming and the replacing carry out. Safe on any
// thread. None of them ever replaces an existing file.

// Renames from to to unless something exists at to. On failure returns false
// and, when error is given, puts a short reason there. Atomic where the
// platform allows it (Linux), a test followed by the rename elsewhere.
bool renameNoReplace(const QString &from, const QString &to, QString *error = nullptr);

// True when something (file, folder, or a dangling link) exists at path.
bool pathExists(const QString &path);

// True when both paths name one and the same file, as on a file system that
// ignores letter case.
bool isSameFile(const QString &a, const QString &b);

// Moves source to target, where a file already exists: the existing file is
// first set aside under a free name (target + ".bak", ".bak2"...), deleted
// only once source is in place, and put back when the move fails. The caller
// has made sure target is a file that may go.
struct Displacement
{
    enum Result {
        Replaced,
        ReplacedAsideKept, // source is in place; the old file could not be deleted
        NotSetAside,       // nothing moved
        MovePutBack,       // the move failed; the old file is back under its name
        MoveAsideKept      // the move failed and the old file stays under asidePath
    };
    Result result = NotSetAside;
    QString asidePath;
    QString reason;
};

Displacement replaceExistingFile(const QString &source, const QString &target);

#endif // FILEMOVES_H

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

// False for a name that would take a file out of its folder or that the file
// system cannot hold: empty, ".", "..", a separator, a NUL (and on Windows the
// characters it reserves).
bool isPlainFileName(const QString &name);

#endif // FILEMOVES_H

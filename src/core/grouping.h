#ifndef GROUPING_H
#define GROUPING_H

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// How the renaming and the replacing see their input: one group per input
// directory (its plain files, as listed), and one group per folder for the
// entries given one by one (in input order, at the position of the first).
// Plain functions, safe on any thread; they only read the file system.

struct FileGroup
{
    enum Kind { Directory, Files };

    Kind kind = Files;
    // For a directory group: the input entry exactly as given.
    QString directoryEntry;
    // The folder every file of the group lies in: absolute path followed by
    // the native separator. Known even for an empty directory group.
    QString folderPrefix;
    QStringList files;
};

using GroupList = QVector<FileGroup>;

// Lists the plain files directly inside a directory, as paths.
using DirectoryLister = std::function<QStringList(const QString &dirPath)>;

GroupList groupInput(const QStringList &pathList, const DirectoryLister &listDirectory);

// Puts dirPath (with a trailing "/" added when missing) in front of every
// element of list.
void prependDirectoryPath(QString dirPath, QStringList &list);

// The base name (up to the first dot) and the suffix (after the last dot) of a
// file name, and what lies between them, so that a new name can be composed
// without losing any part of the old one.
struct NameParts
{
    QString baseName;
    QString middle; // ".tar" of "archive.tar.gz": everything between them, dots included
    QString suffix;
    bool hasDot = false;

    QString compose(const QString &newBase, const QString &newSuffix) const;
};

NameParts splitFileName(const QString &fileName);

#endif // GROUPING_H

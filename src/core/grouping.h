#ifndef GROUPING_H
#define GROUPING_H

#include "directorylisting.h"

#include <QString>
#include <QStringList>
#include <QVector>

// How renaming and replacing see their input: one group per input directory
// (the names of its plain files, as listed), and one group per folder for the
// entries given one by one (in input order, at the position of the first),
// and, when asked, one per folder beneath an input directory.
// Reads the file system, never changes it; safe on any thread.

struct FileGroup
{
    enum Kind { Directory, Files };

    Kind kind = Files;
    // For a directory group: the input entry exactly as given.
    QString directoryEntry;
    // The folder every file of the group lies in, as folderPrefixOf gives it.
    // Known even for an empty directory group.
    QString folderPrefix;
    // A directory group: file names in listing order. A file group: the
    // entries as given.
    QStringList entries;
    // For a directory group, what the listing tells of each file's identity.
    QVector<quint64> fileIds;
    // A subfolder reached through a recursive listing: it has no entry of
    // its own in the input list.
    bool nested = false;
};

using GroupList = QVector<FileGroup>;

// The folders beneath dirPath, each before its own subfolders, by name;
// hidden folders and links to folders left out, so that no loop is followed.
QStringList subfoldersOf(const QString &dirPath);

// With recursive, every folder under an input directory is a group of its
// own, right after the directory's.
GroupList groupInput(const QStringList &pathList, ListingOrder order, bool recursive = false);

// A directory group's files put in the order of the dates they were taken
// (ListingOrder::Taken), from names in name order.
void sortByTaken(FileGroup &group);

#endif // GROUPING_H

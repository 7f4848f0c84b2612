#ifndef DIRECTORYLISTING_H
#define DIRECTORYLISTING_H

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// The plain files directly inside a directory, with size and modification
// time: exactly the entries QDir::entryList(QDir::Files) gives (no hidden
// files, no folders, links to files included, broken links left out), and,
// when sorted, exactly QDir's order for QDir::Time, QDir::Size and QDir::Name.
// Reads the folder once and stats each entry once (a large folder's entries
// on every core); QDir's own sort converts
// dates to local time in every comparison, which costs seconds on large
// folders. Safe on any thread; never changes anything.

struct ListedFile
{
    QString name;
    qint64 size = 0;
    qint64 modifiedMsecs = 0; // since the epoch, at the precision QDir compares
    quint64 fileId = 0;       // as fileIdOf gives it; 0 where unknown
};
Q_DECLARE_TYPEINFO(ListedFile, Q_RELOCATABLE_TYPE);

enum class ListingOrder {
    Unsorted, // the order the file system gives
    Time,     // newest first, equal times by name
    Size,     // largest first, equal sizes by name
    Name,     // by name, case-sensitive, by character code
    Natural,  // by name as people read it: "img2" before "img10" (grouping sorts it)
    Taken     // a photo's date taken, oldest first, equal dates by name, undated
              // last (grouping sorts it, since it reads the files)
};

// An empty list when the directory cannot be read.
QVector<ListedFile> listPlainFiles(const QString &dirPath, ListingOrder order);

// Only the names, in the order the file system gives them; cheaper, since a
// plain file needs no look-up of its size and date.
// When fileIds is given, it receives each name's identity (0 where unknown).
QStringList listPlainFileNames(const QString &dirPath, QVector<quint64> *fileIds = nullptr);

// The same files' names as the file system spells them, each handed to take
// until it returns false: for a count that needs no strings. False when the
// directory cannot be read.
bool forEachPlainFileName(const QString &dirPath,
                          const std::function<bool(QByteArrayView name)> &take);

// Every name a directory holds, hidden ones, folders and links included ("."
// and ".." aside), in the order the file system gives them, each handed to
// take until it returns false: what a lookup of each name would find, for one
// read of the folder, without a string for each. False when it cannot be read.
bool forEachName(const QString &dirPath, const std::function<bool(QByteArrayView name)> &take);

// The indexes of names in natural order (numbers by their value, letter case
// aside, equal names by character code).
QVector<int> naturalOrder(const QStringList &names);

#endif // DIRECTORYLISTING_H

#ifndef RENAMEPLAN_H
#define RENAMEPLAN_H

#include "directorylisting.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// What a numbered renaming will do, decided before any file is touched: the
// input is grouped (one group per input directory, one per folder of single
// files), each directory ordered, the selected files numbered per group and
// their new names composed. Pure apart from reading the file system (listings,
// folder identities); never renames anything. Safe on any thread.

struct RenameOptions
{
    QString outputFormat;
    bool reverseFormat = false;
    int formatPosition = 0; // 0: the numbered text alone, 1: before the old name, 2: after it
    QStringList listExtensions;
    int renameBy = 0; // 0: date, 1: size, 2: name
    bool renameByReversed = false;
    bool renameIndividually = false; // kept for the caller; changes nothing
};

// One file to rename inside its own folder.
struct PlannedRename
{
    // The folder's canonical path with a trailing "/": the same folder always
    // has the same text here, however it was reached.
    QString folder;
    QString oldName;
    QString newName;

    QString sourcePath() const { return folder + oldName; }
    QString targetPath() const { return folder + newName; }
};

// The files of one directory, as paths, in the order given.
using OrderedLister = std::function<QStringList(const QString &dirPath, ListingOrder order)>;

class RenamePlan
{
public:
    static RenamePlan make(const QStringList &pathList, const RenameOptions &options,
                           const OrderedLister &listDirectory = listDirectoryPaths);

    // Every selected file once, even those whose name does not change.
    const QVector<PlannedRename> &renames() const { return m_renames; }

    // The new input list, given the name each planned file bears after the run
    // (finalNames[i] for renames()[i]); native separators.
    QStringList refreshList(const QStringList &finalNames) const;

    // number padded with "0" to the digit count of fileCount.
    static QString formatNumber(int fileCount, int number);
    // The new name of oldName with this number; the old name is kept whole up
    // to its last dot where it stays in the new one.
    static QString composeName(const QString &oldName, const QString &number,
                               const RenameOptions &options);
    static ListingOrder orderOf(int renameBy);
    static QStringList listDirectoryPaths(const QString &dirPath, ListingOrder order);

private:
    struct RefreshEntry
    {
        QString text; // the whole entry, or the folder prefix of a renamed file
        int renameIndex = -1;
        QString given; // the entry as given, shown while the file keeps its name
    };

    QVector<PlannedRename> m_renames;
    QVector<RefreshEntry> m_refresh;
};

#endif // RENAMEPLAN_H

#ifndef RENAMEPLAN_H
#define RENAMEPLAN_H

#include "batchplan.h"
#include "directorylisting.h"

class RuleStack;

#include <QString>
#include <QStringList>

// The numbered renaming, decided before any file is touched: each input
// directory listed in the chosen order, the selected files numbered per group
// (a file reached twice keeps its first new name but uses up its number in
// every group that reaches it) and their new names composed. Pure apart from
// reading the file system; safe on any thread.

struct RenameOptions
{
    QString outputFormat;
    bool reverseFormat = false;
    int formatPosition = 0; // 0: the numbered text alone, 1: before the old name, 2: after it
    QStringList listExtensions;
    int renameBy = 0; // 0: date, 1: size, 2: name
    bool renameByReversed = false;
    bool renameIndividually = false; // kept for the caller; changes nothing
    bool everySuffix = false;        // every file, whatever listExtensions holds
    bool recursive = false;          // each folder beneath an input directory too
};

class RenamePlan
{
public:
    static BatchPlan make(const QStringList &pathList, const RenameOptions &options);
    // The Rename tab's options as a rule stack, as the journal records it.
    static RuleStack stackOf(const RenameOptions &options);

    // number padded with "0" to the digit count of fileCount.
    static QString formatNumber(int fileCount, int number);
    // The new name of oldName with this number; the old name is kept whole up
    // to its last dot where it stays in the new one.
    static QString composeName(const QString &oldName, const QString &number,
                               const RenameOptions &options);
    static ListingOrder orderOf(int renameBy);
};

#endif // RENAMEPLAN_H

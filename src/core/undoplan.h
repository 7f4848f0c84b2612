#ifndef UNDOPLAN_H
#define UNDOPLAN_H

#include "batchplan.h"
#include "journal.h"
#include "preparedbatch.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QVector>

// What takes a batch of the journal back, planned from its record and a look
// at the disk: every file that still bears the identity the batch gave it
// goes back to its old name; each file a replace displaced comes back from
// the trash to its name, once the file that took it has gone back (a row
// with a Return of its own); every other file is listed as left alone, with
// the reason. Nothing at all while a later batch renamed some of its files
// again. Changes nothing; safe on any thread.
struct UndoPlan
{
    Q_DECLARE_TR_FUNCTIONS(UndoPlan)

public:
    Journal::Batch batch;
    QVector<PlannedRename> renames;
    QHash<int, PreparedBatch::OtherMove> otherMoves; // the rows back from the trash
    QVector<Journal::LeftAlone> leftAlone;           // one per file that changed since
    QString error; // the batch could not be read, or must wait for the blocker
    // A later batch to undo first (see Journal::undoBlocker): nothing is planned.
    Journal::Batch blocker;

    bool comesBack(int row) const { return otherMoves.contains(row); }
    // Where the file of a row is now.
    QString sourcePath(int row) const;

    static UndoPlan make(const Journal &journal, const QString &id);
};

#endif // UNDOPLAN_H

#ifndef BATCHRUN_H
#define BATCHRUN_H

#include "batchexecutor.h"
#include "journal.h"
#include "undoplan.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

// The one road of every batch, whichever front end asks: the planned moves
// prepared, written to the journal (when there is one) before the first file
// moves, carried out by the executor, and their end recorded. Undo takes the
// same road with a plan read back from the journal, and so does the recovery
// of a batch cut off by a crash, as a batch of its own. Runs on the calling
// thread.
class BatchRun
{
    Q_DECLARE_TR_FUNCTIONS(BatchRun)

public:
    struct Result
    {
        BatchOutcome outcome;
        QString batchId; // empty without a journal
        // Set when the journal could not be written; then nothing was moved.
        QString journalError;
        // Set when the files moved but the end of the batch could not be
        // recorded: undo will miss it.
        QString endError;
        bool ran() const { return journalError.isEmpty(); }
    };

    // about: the batch an undo takes back or a recovery puts in order;
    // rules: the stack that planned it, as compact JSON, for the history.
    static Result carryOut(const QVector<PlannedRename> &renames, Journal::Kind kind,
                           const BatchExecutor::Options &options, Journal *journal,
                           const QString &about = QString(),
                           const BatchExecutor::OtherMoves &otherMoves = {},
                           const QByteArray &rules = QByteArray());

    struct UndoResult
    {
        UndoPlan plan;
        Result run;
        qsizetype restored = 0;                // displaced files brought back from the trash
        QVector<Journal::LeftAlone> leftAlone; // every file undo did not touch
    };
    // Takes back the batch of that id (see Journal::newestUndoable).
    static UndoResult undo(Journal &journal, const QString &batchId,
                           const BatchExecutor::Options &options);

    // Brings every batch cut off by a crash, that no other process runs, to
    // a known state: its files moved by a recovery batch, then its end
    // recorded, so that it can be undone. Never cancelled: options.cancel is
    // not heeded.
    static Journal::Recovery recover(Journal &journal, const BatchExecutor::Options &options);
};

#endif // BATCHRUN_H

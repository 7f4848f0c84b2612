#include "batchrun.h"

#include "filemoves.h"
#include "filenames.h"
#include "trash.h"

#include <QDir>

BatchRun::Result BatchRun::carryOut(const QVector<PlannedRename> &renames, Journal::Kind kind,
                                    const BatchExecutor::Options &options, Journal *journal,
                                    const QString &undoes)
{
    Result result;
    BatchExecutor executor(renames, options);
    // Cancelled while it was being planned: nothing to record.
    if (options.cancel && options.cancel->load()) {
        result.outcome = executor.untouched();
        return result;
    }
    if (journal) {
        result.batchId = journal->begin(kind, executor, undoes, &result.journalError);
        if (result.batchId.isEmpty()) {
            result.journalError = tr("Nothing was renamed: the batch could not be written to the "
                                     "journal (%1).")
                                      .arg(result.journalError);
            return result;
        }
    }
    if (journal && journal->recordsSteps())
        executor.setStepTaken([journal](int index, BatchExecutor::Options::Step step) {
            journal->noteStep(index, step);
        });
    result.outcome = executor.run();
    if (journal) {
        QString error;
        // The files have moved all the same; only undo will miss the record.
        if (!journal->finish(result.batchId, executor, result.outcome, &error))
            result.endError =
                tr("The end of the batch could not be written to the journal (%1).").arg(error);
    }
    return result;
}

BatchRun::UndoResult BatchRun::undo(Journal &journal, const QString &batchId,
                                    const BatchExecutor::Options &options)
{
    UndoResult undo;
    undo.plan = journal.planUndo(batchId);
    if (!undo.plan.error.isEmpty()) {
        undo.run.journalError = undo.plan.error;
        return undo;
    }
    undo.leftAlone = undo.plan.leftAlone;
    undo.run = carryOut(undo.plan.renames, Journal::Kind::Undo, options, &journal, batchId);
    if (!undo.run.ran())
        return undo;
    for (const FileFailure &failure : std::as_const(undo.run.outcome.failures))
        undo.leftAlone.append({failure.path, failure.reason});

    // The files a replace displaced return once their names are free again.
    for (const Journal::UndoPlan::Restore &restore : std::as_const(undo.plan.restores)) {
        QString error;
        if (renameNoReplace(restore.from, restore.to, &error)) {
            ++undo.restored;
            Trash::forget(restore.from);
        } else {
            undo.leftAlone.append({QDir::toNativeSeparators(restore.to),
                                   tr("the file it replaced stays in the trash (%1)").arg(error)});
        }
    }
    return undo;
}

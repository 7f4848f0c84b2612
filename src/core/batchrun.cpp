#include "batchrun.h"

#include "recoveryplan.h"
#include "trash.h"

#include <QDir>

BatchRun::Result BatchRun::carryOut(const QVector<PlannedRename> &renames, Journal::Kind kind,
                                    const BatchExecutor::Options &options, Journal *journal,
                                    const QString &about,
                                    const BatchExecutor::OtherMoves &otherMoves,
                                    const QByteArray &rules)
{
    Result result;
    BatchExecutor executor(renames, options, otherMoves);
    // Cancelled while it was being planned: nothing to record.
    if (options.cancel && options.cancel->load()) {
        result.outcome = executor.untouched();
        return result;
    }
    // A batch that moves no file is none: the history would only fill with
    // "0 of 0 files".
    if (otherMoves.isEmpty() && !executor.prepared().attempted.contains(true))
        journal = nullptr;
    if (journal) {
        result.batchId =
            journal->begin(kind, executor.prepared(), about, &result.journalError, rules);
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
        if (!journal->finish(result.batchId, executor.prepared(), result.outcome, &error))
            result.endError =
                tr("The end of the batch could not be written to the journal (%1).").arg(error);
    }
    return result;
}

BatchRun::UndoResult BatchRun::undo(Journal &journal, const QString &batchId,
                                    const BatchExecutor::Options &options)
{
    UndoResult undo;
    undo.plan = UndoPlan::make(journal, batchId);
    if (!undo.plan.error.isEmpty()) {
        undo.run.journalError = undo.plan.error;
        return undo;
    }
    undo.leftAlone = undo.plan.leftAlone;
    undo.run = carryOut(undo.plan.renames, Journal::Kind::Undo, options, &journal, batchId,
                        undo.plan.otherMoves);
    if (!undo.run.ran())
        return undo;
    const BatchOutcome &outcome = undo.run.outcome;
    for (const FileFailure &failure : outcome.failures) {
        if (undo.plan.comesBack(failure.index))
            undo.leftAlone.append(
                {QDir::toNativeSeparators(undo.plan.renames[failure.index].targetPath()),
                 tr("the file it replaced stays in the trash (%1)").arg(failure.reason)});
        else
            undo.leftAlone.append({failure.path, failure.reason});
    }
    for (auto it = undo.plan.otherMoves.cbegin(); it != undo.plan.otherMoves.cend(); ++it) {
        if (outcome.finalNames.at(it.key()) == undo.plan.renames[it.key()].newName)
            ++undo.restored;
    }
    return undo;
}

Journal::Recovery BatchRun::recover(Journal &journal, const BatchExecutor::Options &options)
{
    Journal::Recovery recovery;
    BatchExecutor::Options uncancelled = options;
    uncancelled.replaceExisting = false;
    uncancelled.cancel = nullptr;
    const QStringList ids = journal.claimUnfinished();
    for (const QString &id : ids) {
        Journal::Stored stored;
        QString error;
        if (!journal.read(id, &stored, &error)) {
            recovery.leftAlone.append(Journal::skipped(id, error));
            journal.release(id);
            continue;
        }
        recovery.leftAlone.append(Journal::lines(stored.unusable));
        const RecoveryPlan plan = RecoveryPlan::make(stored);
        recovery.leftAlone.append(plan.leftAlone());
        QStringList finalNames;
        for (const PlannedRename &move : plan.moves())
            finalNames.append(move.oldName);
        if (!plan.moves().isEmpty()) {
            const Result run = carryOut(plan.moves(), Journal::Kind::Recover, uncancelled, &journal,
                                        id, plan.otherMoves());
            if (!run.ran()) {
                // Nothing moved: the batch stays cut off, for the next time.
                recovery.leftAlone.append(run.journalError);
                journal.release(id);
                continue;
            }
            finalNames = run.outcome.finalNames;
            for (const FileFailure &failure : run.outcome.failures)
                recovery.leftAlone.append(failure.path + QStringLiteral(": ") + failure.reason);
        }
        for (const QString &path : plan.cameBack())
            Trash::forget(path);
        recovery.putBack += plan.putBack(finalNames);
        if (journal.endInterrupted(plan.batch(), plan.end(finalNames), &error))
            recovery.batches.append(id);
        else
            recovery.leftAlone.append(error);
    }
    return recovery;
}

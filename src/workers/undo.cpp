#include "undo.h"

#include <QDir>
#include <QLocale>

Undo::Undo(QObject *parent) : BatchWorker(parent) {}

void Undo::setBatch(const QString &batchId)
{
    this->batchId = batchId;
}

void Undo::run()
{
    const BatchRun::UndoResult undo = BatchRun::undo(journal, batchId, executorOptions(false));
    const Journal::Batch &blocker = undo.plan.blocker;
    if (!blocker.id.isEmpty()) {
        const QString when =
            QLocale().toString(blocker.started.toLocalTime(), QLocale::ShortFormat);
        emit errorAtRename(
            1, tr("Nothing was undone: a later batch renamed some of the files of this one again.")
                   + QLatin1String("\n\n")
                   + (blocker.kind == Journal::Kind::Replace
                          ? tr("Undo first the replace made on %1 (batch %2).")
                          : tr("Undo first the rename made on %1 (batch %2)."))
                         .arg(when, blocker.id));
        return;
    }
    if (!undo.run.ran()) {
        emit errorAtRename(2, tr("The batch could not be undone: %1").arg(undo.run.journalError));
        return;
    }
    const BatchOutcome &outcome = undo.run.outcome;
    announceEnd(outcome, undo.plan.renames.size());

    // The input list gets the files of the batch back, not the ones they
    // had displaced.
    QStringList restored;
    for (int i = 0; i < int(undo.plan.renames.size()); ++i) {
        const PlannedRename &rename = undo.plan.renames[i];
        if (outcome.finalNames.at(i) == rename.newName && !undo.plan.comesBack(i))
            restored.append(QDir::toNativeSeparators(rename.targetPath()));
    }
    emit refreshListView(restored);

    const qsizetype count = undo.leftAlone.size();
    tellUser(1, tr("%Ln files were left as they are:", nullptr, int(count)),
             Journal::lines(undo.leftAlone), count);
}

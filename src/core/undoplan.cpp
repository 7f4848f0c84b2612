#include "undoplan.h"

#include "trash.h"

#include "filemoves.h"
#include "filenames.h"

#include <QDir>

namespace {

// The folder of a path, with a trailing "/".
QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

QString UndoPlan::sourcePath(int row) const
{
    const auto other = otherMoves.constFind(row);
    return other == otherMoves.constEnd() ? renames[row].sourcePath()
                                          : other->fromFolder + renames[row].oldName;
}

UndoPlan UndoPlan::make(const Journal &journal, const QString &id)
{
    UndoPlan plan;
    Journal::Stored stored;
    if (!journal.read(id, &stored, &plan.error))
        return plan;
    plan.batch = stored.batch();
    if (!stored.ended) {
        plan.error = tr("the batch has not ended");
        return plan;
    }
    plan.blocker = journal.undoBlocker(stored);
    if (!plan.blocker.id.isEmpty()) {
        plan.error = tr("a later batch renamed some of its files again; undo batch %1 first")
                         .arg(plan.blocker.id);
        return plan;
    }
    plan.leftAlone = stored.unusable;
    const QVector<JournalRecord::Entry> &entries = stored.plan.entries;
    const qint64 began = plan.batch.started.toMSecsSinceEpoch();
    const qint64 settled = plan.batch.finished.toMSecsSinceEpoch();
    // Whether the file at path is this entry's file (see isSameFileSince).
    const auto isAt = [began](const JournalRecord::Entry &entry, const QString &path,
                              qint64 settledMsecs) {
        if (!entry.fingerprint.isEmpty())
            return fingerprintOf(path, entry.fingerprint.contains(QLatin1Char(':')))
                   == entry.fingerprint;
        return isSameFileSince(path, entry.fileId, began, settledMsecs);
    };
    for (int i = 0; i < entries.size(); ++i) {
        const JournalRecord::Entry &entry = entries[i];
        const QString finalName = stored.end.elsewhere.value(i, entry.newName);
        if (!entry.usable || finalName == entry.oldName)
            continue;
        // A file an undo or a recovery brought back or deleted is not taken
        // back in turn.
        if (entry.deletes || !entry.fromFolder.isEmpty()) {
            plan.leftAlone.append({QDir::toNativeSeparators(entry.newPath()),
                                   Journal::tr("its entry in the journal cannot be used")});
            continue;
        }
        const QString path = entry.folder + finalName;
        if (isAt(entry, path, settled)) {
            PlannedRename back{entry.folder, finalName, entry.oldName};
            back.fileId = entry.fileId;
            back.restoresName = true;
            plan.renames.append(back);
            continue;
        }
        // An undo cut off before its end took some files back already: the
        // next one goes on with the rest.
        if (entry.knowsIdentity() && isAt(entry, entry.oldPath(), -1))
            continue;
        plan.leftAlone.append({QDir::toNativeSeparators(path),
                               pathExists(path)
                                   ? tr("it changed, or another file bears its name now")
                                   : tr("it is no longer there")});
    }
    for (auto it = stored.end.disposed.cbegin(); it != stored.end.disposed.cend(); ++it) {
        const JournalRecord::Entry &entry = entries[it.key()];
        const QString target = QDir::toNativeSeparators(entry.newPath());
        if (it.value().isEmpty()) {
            plan.leftAlone.append(
                {target, tr("the file it replaced was deleted; it cannot come back")});
        } else if (pathExists(it.value())) {
            // Back to the name the file of the batch gives up; the executor
            // waits for it to go first.
            const int row = int(plan.renames.size());
            // Under the spelling it had, which on a volume that ignores case
            // may differ from the name that displaced it.
            const QString original = Trash::originalPathOf(it.value());
            const QString name =
                !original.isEmpty() && original.compare(entry.newPath(), Qt::CaseInsensitive) == 0
                    ? fileNameOf(original)
                    : entry.newName;
            PlannedRename back{entry.folder, fileNameOf(it.value()), name};
            back.restoresName = true;
            plan.renames.append(back);
            plan.otherMoves.insert(row,
                                   {PreparedBatch::OtherMove::Kind::Return, folderOf(it.value())});
        } else if (!(entry.knowsIdentity() && pathExists(entry.newPath())
                     && isAt(entry, entry.oldPath(), -1))) {
            // Unless an earlier undo brought it back already.
            plan.leftAlone.append({target, tr("the file it replaced is no longer in the trash")});
        }
    }
    return plan;
}

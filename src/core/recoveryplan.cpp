#include "recoveryplan.h"

#include "filemoves.h"
#include "filenames.h"
#include "trash.h"

#include <QDir>
#include <QSet>

namespace {

QString folderOf(const QString &path)
{
    return path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

void RecoveryPlan::add(int entry, Purpose purpose, const PlannedRename &move,
                       const QString &fromFolder)
{
    const int row = int(m_moves.size());
    m_moves.append(move);
    // The names a batch meant to give were checked when it was planned.
    m_moves.last().restoresName = true;
    m_entryOf.append(entry);
    m_purposes.append(purpose);
    if (purpose == Purpose::Delete)
        m_otherMoves.insert(row, {PreparedBatch::OtherMove::Kind::Delete, QString()});
    else if (!fromFolder.isEmpty())
        m_otherMoves.insert(row, {PreparedBatch::OtherMove::Kind::Return, fromFolder});
}

RecoveryPlan RecoveryPlan::make(const Journal::Stored &stored)
{
    RecoveryPlan plan;
    plan.m_batch = stored.batch();
    plan.m_entries = stored.plan.entries;
    const QVector<JournalRecord::Entry> &entries = plan.m_entries;
    const qint64 began = plan.m_batch.started.toMSecsSinceEpoch();
    const auto holds = [began](const JournalRecord::Entry &entry, const QString &path) {
        if (!entry.fingerprint.isEmpty())
            return fingerprintOf(path, entry.fingerprint.contains(QLatin1Char(':')))
                   == entry.fingerprint;
        return isSameFileSince(path, entry.fileId, began, -1);
    };

    // Where the batch recorded each move, because its volume has no lasting
    // file numbers: the name where its last step puts a file, when a file of
    // its size is there. Only one move can have missed its step, the last
    // one, so a name another file's step accounts for is not this file's.
    QHash<QString, int> recorded;
    for (int i = 0; i < entries.size() && !stored.lastSteps.isEmpty(); ++i) {
        const JournalRecord::Entry &entry = entries[i];
        if (!entry.usable || entry.deletes || entry.fileId != 0)
            continue;
        const char step = stored.lastSteps.value(i, 'R');
        const QString path = step == 'M' ? entry.newPath()
                             : step == 'P' && !entry.temporary.isEmpty()
                                 ? entry.folder + entry.temporary
                                 : entry.oldPath();
        if (holds(entry, path))
            recorded.insert(path, i);
    }
    const auto isOwn = [&recorded](int i, const QString &path) {
        return recorded.value(path, i) == i;
    };

    // Where each file is now. A parked file is looked for first: its
    // temporary name is this batch's own, whereas size and time may be
    // shared by two files. Only a file number, or the record of the moves,
    // tells the batch's file at its new name while the old one is taken.
    plan.m_positions.reserve(entries.size());
    QHash<QString, int> atNewName; // path -> entry whose file bears its new name there
    for (int i = 0; i < entries.size(); ++i) {
        const JournalRecord::Entry &entry = entries[i];
        QString at = entry.oldName;
        if (entry.deletes) {
            at = pathExists(entry.oldPath()) ? entry.oldName : QString();
        } else if (entry.usable) {
            const QString parked =
                entry.temporary.isEmpty() ? QString() : entry.folder + entry.temporary;
            // A kill may fall between a move and its step.
            const char step = stored.lastSteps.value(i, 'R');
            const bool numbered = entry.fileId != 0;
            if (!parked.isEmpty() && holds(entry, parked))
                at = entry.temporary;
            else if (step == 'M' && pathExists(entry.newPath()))
                at = entry.newName;
            // A file that left its temporary name went on to its new name,
            // unless the cycle had to go back.
            else if (holds(entry, entry.newPath()) && (numbered || isOwn(i, entry.newPath()))
                     && (numbered || step == 'P' || !pathExists(entry.oldPath())
                         || !isOwn(i, entry.oldPath())))
                at = entry.newName;
        }
        if (entry.usable && at == entry.newName && !entry.deletes)
            atNewName.insert(entry.newPath(), i);
        if (entry.usable && at == entry.newName && !entry.fromFolder.isEmpty())
            plan.m_cameBack.append(entry.oldPath());
        plan.m_positions.append(at);
    }

    // A name is free when nothing bears it, or its file moves away, and no
    // move takes it.
    QSet<QString> freed;
    QSet<QString> claimed;
    const auto isFree = [&](const QString &path) {
        return !claimed.contains(path) && (freed.contains(path) || !pathExists(path));
    };
    const auto move = [&](int entry, Purpose purpose, const QString &folder, const QString &from,
                          const QString &to, const QString &fromFolder = QString()) {
        plan.add(entry, purpose, PlannedRename{folder, from, to}, fromFolder);
        freed.insert((fromFolder.isEmpty() ? folder : fromFolder) + from);
        if (!to.isEmpty())
            claimed.insert(folder + to);
    };
    QVector<bool> moving(entries.size(), false);

    for (int i = 0; i < entries.size(); ++i) {
        const JournalRecord::Entry &entry = entries[i];
        if (!entry.usable || entry.temporary.isEmpty() || plan.m_positions[i] != entry.temporary)
            continue;
        moving[i] = true;
        if (isFree(entry.newPath())) {
            move(i, Purpose::Parked, entry.folder, entry.temporary, entry.newName);
            continue;
        }
        if (isFree(entry.oldPath())) {
            move(i, Purpose::Parked, entry.folder, entry.temporary, entry.oldName);
            continue;
        }
        // A cycle cut half-way: the files that took their new names on it go
        // back, the last one first, until the parked file's old name is free.
        QVector<int> back;
        QString name = entry.oldName;
        bool freeAtLast = false;
        while (back.size() < entries.size()) {
            const int holder = atNewName.value(entry.folder + name, -1);
            if (holder < 0 || moving[holder] || !entries[holder].fromFolder.isEmpty())
                break;
            back.append(holder);
            moving[holder] = true;
            name = entries[holder].oldName;
            if (isFree(entry.folder + name)) {
                freeAtLast = true;
                break;
            }
        }
        if (!freeAtLast) {
            for (int holder : std::as_const(back))
                moving[holder] = false;
            plan.m_leftAlone.append(tr("%1: neither its old nor its new name is free")
                                        .arg(entry.folder + entry.temporary));
            continue;
        }
        for (int holder : std::as_const(back)) {
            const JournalRecord::Entry &cycled = entries[holder];
            move(holder, Purpose::Rollback, cycled.folder, cycled.newName, cycled.oldName);
        }
        move(i, Purpose::Parked, entry.folder, entry.temporary, entry.oldName);
    }

    // A file displaced into the trash went there under its own name before
    // the file of the request took it; the trash is read once for all.
    // Where the volume ignores case, the file in the way may have spelt the
    // name otherwise; it went, and comes back, under its own spelling.
    QStringList displacing[2];
    QHash<QString, bool> ignoresCase;
    for (const JournalRecord::Entry &entry : entries) {
        if (!stored.plan.replaceExisting || !entry.usable || !entry.setAside.isEmpty()
            || entry.deletes || !entry.fromFolder.isEmpty())
            continue;
        auto folded = ignoresCase.constFind(entry.folder);
        if (folded == ignoresCase.constEnd())
            folded = ignoresCase.insert(entry.folder, Volume::of(entry.folder).caseInsensitive);
        displacing[folded.value() ? 1 : 0].append(entry.newPath());
    }
    QHash<QString, QStringList> trashed;
    if (!displacing[0].isEmpty())
        trashed = Trash::findTrashed(displacing[0], began);
    if (!displacing[1].isEmpty())
        trashed.insert(Trash::findTrashed(displacing[1], began, Qt::CaseInsensitive));
    const auto spelling = [](const JournalRecord::Entry &entry, const QString &trashedPath) {
        const QString original = Trash::originalPathOf(trashedPath);
        return !original.isEmpty() && original.compare(entry.newPath(), Qt::CaseInsensitive) == 0
                   ? fileNameOf(original)
                   : entry.newName;
    };
    for (int i = 0; i < entries.size(); ++i) {
        const JournalRecord::Entry &entry = entries[i];
        if (!entry.usable || entry.deletes || !entry.fromFolder.isEmpty())
            continue;
        // Where the file of the batch will be: a parked one goes to its new
        // name only where that was free.
        const bool atNew = plan.m_positions[i] == entry.newName
                           || (moving[i] && claimed.contains(entry.newPath()));
        // Set aside only on a volume without a trash, to be deleted.
        if (!entry.setAside.isEmpty() && pathExists(entry.folder + entry.setAside)) {
            if (atNew)
                move(i, Purpose::Delete, entry.folder, entry.setAside, QString());
            else if (isFree(entry.newPath()))
                move(i, Purpose::AsideBack, entry.folder, entry.setAside, entry.newName);
            else
                plan.m_leftAlone.append(tr("%1: its name \"%2\" is taken")
                                            .arg(entry.folder + entry.setAside, entry.newName));
            continue;
        }
        const QStringList found = trashed.value(entry.newPath());
        if (found.isEmpty())
            continue;
        if (!atNew && isFree(entry.newPath())) {
            move(i, Purpose::TrashBack, entry.folder, fileNameOf(found.first()),
                 spelling(entry, found.first()), folderOf(found.first()));
            continue;
        }
        // Recorded, for an undo to look for it there.
        plan.m_trashed.insert(i, found.first());
        if (!atNew)
            plan.m_leftAlone.append(
                tr("%1: the file it replaced stays in the trash, as another file bears its name")
                    .arg(QDir::toNativeSeparators(entry.newPath())));
    }
    return plan;
}

JournalRecord::End RecoveryPlan::end(const QStringList &finalNames) const
{
    JournalRecord::End end;
    end.finished = QDateTime::currentDateTimeUtc();
    end.cancelled = true;
    QStringList positions = m_positions;
    QMap<int, QString> disposed;
    for (auto it = m_trashed.cbegin(); it != m_trashed.cend(); ++it)
        disposed.insert(it.key(), it.value());
    for (int m = 0; m < m_moves.size(); ++m) {
        const int entry = m_entryOf[m];
        const PlannedRename &move = m_moves[m];
        const bool done = finalNames.at(m) == move.newName;
        switch (m_purposes[m]) {
        case Purpose::Parked:
        case Purpose::Rollback:
            if (done)
                positions[entry] = move.newName;
            break;
        case Purpose::Delete:
            if (done)
                disposed.insert(entry, QString());
            break;
        case Purpose::TrashBack:
            // Left in the trash, where an undo looks for it.
            if (!done)
                disposed.insert(entry, m_otherMoves.value(m).fromFolder + move.oldName);
            break;
        case Purpose::AsideBack:
            break;
        }
    }
    for (int i = 0; i < m_entries.size(); ++i) {
        const JournalRecord::Entry &entry = m_entries[i];
        if (!entry.usable)
            end.elsewhere.insert(i, entry.oldName);
        else if (positions[i] == entry.newName)
            ++end.renamed;
        else
            end.elsewhere.insert(i, positions[i]);
    }
    end.disposed = disposed;
    return end;
}

qsizetype RecoveryPlan::putBack(const QStringList &finalNames) const
{
    qsizetype count = 0;
    for (int m = 0; m < m_moves.size(); ++m) {
        if (m_purposes[m] != Purpose::Delete && finalNames.at(m) == m_moves[m].newName)
            ++count;
    }
    return count;
}

#ifndef RECOVERYPLAN_H
#define RECOVERYPLAN_H

#include "batchplan.h"
#include "journal.h"
#include "preparedbatch.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// What puts a batch cut off by a crash in order, planned from its record and
// a look at the disk, so that every file of the batch bears its old or its
// new name: a file parked under the batch's temporary name takes its new name
// where that is free, else its old one, for which the files of a cycle cut
// half-way go back first; a file the batch set aside to delete is deleted
// where the file of the batch took its name, and otherwise takes its name
// back; a file displaced into the trash comes back where its name is still
// free. The moves are a batch of their own for the executor; end() then
// tells how the cut-off batch ended, for its record, so that it can be
// undone. Changes nothing; safe on any thread.
class RecoveryPlan
{
    Q_DECLARE_TR_FUNCTIONS(RecoveryPlan)

public:
    static RecoveryPlan make(const Journal::Stored &stored);

    // The cut-off batch.
    const Journal::Batch &batch() const { return m_batch; }
    const QVector<PlannedRename> &moves() const { return m_moves; }
    const QHash<int, PreparedBatch::OtherMove> &otherMoves() const { return m_otherMoves; }
    // Files found that no move can put back, one line each.
    const QStringList &leftAlone() const { return m_leftAlone; }
    // Where the files that the batch brought back from the trash had been:
    // a kill may have come before it dropped their trash records.
    const QStringList &cameBack() const { return m_cameBack; }

    // Given the name each move's file bears after the moves (their
    // outcome's finalNames; their old names where nothing ran): the end of
    // the cut-off batch, and how many files were given a name of theirs.
    JournalRecord::End end(const QStringList &finalNames) const;
    qsizetype putBack(const QStringList &finalNames) const;

private:
    enum class Purpose : char { Parked, Rollback, AsideBack, Delete, TrashBack };
    void add(int entry, Purpose purpose, const PlannedRename &move,
             const QString &fromFolder = QString());

    Journal::Batch m_batch;
    QVector<JournalRecord::Entry> m_entries;
    QVector<PlannedRename> m_moves;
    QHash<int, PreparedBatch::OtherMove> m_otherMoves;
    QVector<int> m_entryOf; // per move
    QVector<Purpose> m_purposes;
    QStringList m_positions;       // per entry: the name its file bears before the moves
    QHash<int, QString> m_trashed; // entry -> its displaced file, left in the trash
    QStringList m_leftAlone;
    QStringList m_cameBack;
};

#endif // RECOVERYPLAN_H

#ifndef BATCHNOTES_H
#define BATCHNOTES_H

#include "batchexecutor.h"
#include "batchplan.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QVector>

// The words for what a plan notes of a file and for why a file could not be
// renamed: one sentence each, the same in the window and on the command line
// (which loads no translation, so it prints them in English). No widgets;
// any thread, one thread per instance.
class BatchNotes
{
    Q_DECLARE_TR_FUNCTIONS(BatchNotes)

public:
    // The rows of a plan whose notes are to be worded; they must outlive the
    // notes, unchanged (see setRows).
    explicit BatchNotes(const QVector<PlannedRename> *rows = nullptr) : m_rows(rows) {}
    // Rows changed or replaced: forgets what was found in the old ones.
    void setRows(const QVector<PlannedRename> *rows);

    // The note of rows[row] in one sentence, empty for none; a file that
    // stays for another that gets the same new name is named.
    QString text(int row) const;
    // For a row noted NameShared: the earlier row of the request that gets
    // the same new name in the same folder (the name exactly, or else with
    // letter case folded, for a volume that ignores it), or -1 when the rows
    // do not hold it. The first question reads every row once.
    int sharedWith(int row) const;

    // The note without the other rows: a shared new name is not traced to
    // the file that has it unless sharedWith names that file.
    static QString text(const PlannedRename &row, const QString &sharedWith = QString());
    // A name for the note that stays the same in every language and version
    // ("name-taken"), for scripts; empty for Note::None.
    static QString code(PlannedRename::Note note);

    // A file of a rename or of a rule stack that could not be renamed.
    static QString failureLine(const FileFailure &failure);
    // The same for a replace, which names the file by its old name.
    static QString replaceFailureLine(const QString &oldName, const FileFailure &failure);

private:
    void findShared() const;

    const QVector<PlannedRename> *m_rows;
    // Made on the first question about a shared name, for the names some row
    // shares: folder and folded new name -> the rows that claim it, in order.
    mutable bool m_sharedFound = false;
    mutable QHash<QString, QVector<int>> m_claimants;
};

#endif // BATCHNOTES_H

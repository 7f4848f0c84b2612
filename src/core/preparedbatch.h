#ifndef PREPAREDBATCH_H
#define PREPAREDBATCH_H

#include "batchplan.h"

#include <QHash>
#include <QString>
#include <QVector>

// A batch as the executor prepared it, before any file moves: every name the
// run may give, known in advance so that the journal can record it. A plain
// value; the executor gives it, the journal reads it.
struct PreparedBatch
{
    // A row that does not rename a file inside its own folder.
    struct OtherMove
    {
        enum class Kind : char {
            // Back from another folder of the same volume (a trash's files/),
            // where the file bears the row's old name, to its new name in the
            // row's folder.
            Return,
            // The file at the row's old name (a set-aside copy) is deleted
            // for good; the row's new name is empty.
            Delete
        };
        Kind kind = Kind::Return;
        QString fromFolder; // Return: with a trailing "/"
    };

    // What befell a file, for a record of each move.
    enum class Step : char { Parked = 'P', Moved = 'M', Returned = 'R' };

    QVector<PlannedRename> renames;
    QHash<int, OtherMove> otherMoves; // by row
    // Whether the run will try to give the file its new name: false for a
    // file that keeps it and one whose new name is refused beforehand.
    QVector<bool> attempted;
    // The temporary name of a file on a cycle or changing only its letter
    // case, and the set-aside name of a file a replacing run will displace,
    // both in the row's folder.
    QHash<int, QString> temporaries;
    QHash<int, QString> setAsides;
    bool replaceExisting = false;

    // Where the file of a row is before the run.
    QString sourcePath(int row) const
    {
        const PlannedRename &rename = renames[row];
        if (!otherMoves.isEmpty()) {
            const auto other = otherMoves.constFind(row);
            if (other != otherMoves.constEnd() && other->kind == OtherMove::Kind::Return)
                return other->fromFolder + rename.oldName;
        }
        return rename.sourcePath();
    }
};

#endif // PREPAREDBATCH_H

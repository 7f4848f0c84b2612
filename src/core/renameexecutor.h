#ifndef RENAMEEXECUTOR_H
#define RENAMEEXECUTOR_H

#include "renameplan.h"

#include <QString>
#include <QStringList>
#include <QVector>

// Carries out planned renames so that every rename succeeds whose new name is
// not held by a file outside the request: a name another planned file still
// holds is freed before it is taken, and a cycle (a->b, b->a) goes through a
// temporary name in the same folder. Never replaces an existing file; a file
// parked under a temporary name always ends under its new or its old name
// (failing that, it stays under the temporary name and is reported). Runs on
// the calling thread.

struct RenameFailure
{
    int index = -1; // into the planned renames
    QString path;   // where the file is now
    QString reason;
};

struct RenameOutcome
{
    QStringList finalNames; // the name each planned file bears afterwards
    QVector<RenameFailure> failures;
};

class RenameExecutor
{
public:
    static RenameOutcome carryOut(const QVector<PlannedRename> &renames);
};

#endif // RENAMEEXECUTOR_H

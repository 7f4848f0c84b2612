#ifndef BATCHEXECUTOR_H
#define BATCHEXECUTOR_H

#include "batchplan.h"
#include "preparedbatch.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QVector>

#include <atomic>
#include <functional>
#include <memory>

// What went wrong with one file of a batch, for the worker to tell the user.
struct FileFailure
{
    enum class Cause {
        NameTaken,    // another file holds the new name
        InvalidName,  // the new name cannot be a file name in its folder
        Vanished,     // the file is no longer there
        Blocked,      // it waited for a file that could not give up its name
        SetAsideKept, // renamed, but the file it replaced could not be disposed of
        System        // the file system refused, for the reason given
    };
    enum class Severity { Warning, Critical };

    int index = -1;  // into the planned renames
    QString path;    // where the file is now, native separators
    QString newName; // the name it was meant to get
    QString reason;  // one translated line
    Cause cause = Cause::System;
    Severity severity = Severity::Warning;
};

struct BatchOutcome
{
    // The name each planned file bears afterwards: in its folder, or, for a
    // file that was to come back from elsewhere and did not, its old name
    // there; empty for a file deleted.
    QStringList finalNames;
    QVector<FileFailure> failures; // in the order of the plan
    // The files a replacing run displaced: where each went (the trash), or
    // an empty path when the volume has no trash and it was deleted.
    struct Disposal
    {
        int index = -1;
        QString trashPath;
    };
    QVector<Disposal> disposed;
    qsizetype renamed = 0;
    bool cancelled = false;
};

class Execution;

// Carries out a planned batch so that every rename succeeds whose new name is
// not held by a file that stays: a name another planned file still holds is
// freed before it is taken, and a cycle (a->b, b->a) goes through a temporary
// name in the same folder. No file is ever overwritten. With replaceExisting,
// a file outside the request that holds a new name when the batch is prepared
// is set aside under a free name and moved to the trash (deleted where the
// volume has none) only once the new file is in place, put back when the move
// fails; a file of the request is never in the way and a directory never is
// set aside. Besides renames, a batch may bring a file back from another
// folder of the same volume (the trash) to its name, once the file of the
// batch that holds that name has moved on, and then drops its trash record;
// or delete a file set aside by an earlier batch. Every name the run may give
// besides the planned ones is known once the batch is prepared, before any
// file moves, so that it can be recorded. A file parked under a temporary
// name always ends under its new or its old name (failing that, it stays
// under the temporary name and is reported). Runs on the calling thread;
// checks the cancel flag only between whole chains and cycles.
class BatchExecutor
{
    Q_DECLARE_TR_FUNCTIONS(BatchExecutor)

public:
    struct Options
    {
        bool replaceExisting = false;
        // Called now and then with the files handled so far and their total.
        std::function<void(qsizetype done, qsizetype total)> progress;
        const std::atomic<bool> *cancel = nullptr;
        using Step = PreparedBatch::Step;
    };
    using OtherMoves = QHash<int, PreparedBatch::OtherMove>;

    BatchExecutor(const QVector<PlannedRename> &renames, const Options &options,
                  const OtherMoves &otherMoves = OtherMoves());
    ~BatchExecutor();
    BatchExecutor(const BatchExecutor &) = delete;
    BatchExecutor &operator=(const BatchExecutor &) = delete;

    // What the journal records before the run.
    const PreparedBatch &prepared() const;
    const QVector<PlannedRename> &renames() const { return prepared().renames; }
    bool attempts(int index) const { return prepared().attempted.at(index); }
    QString temporaryName(int index) const { return prepared().temporaries.value(index); }

    // Called after each move of a file, so that a record of the batch can
    // tell later where every file is, on volumes whose files cannot be told
    // apart otherwise. Before run().
    void setStepTaken(const std::function<void(int index, Options::Step step)> &stepTaken);

    // Once.
    BatchOutcome run();
    // The outcome of a run cancelled before its first file.
    BatchOutcome untouched() const;

    static BatchOutcome carryOut(const QVector<PlannedRename> &renames, const Options &options);

private:
    std::unique_ptr<Execution> m_execution;
};

#endif // BATCHEXECUTOR_H

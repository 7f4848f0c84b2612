#ifndef BATCHWORKER_H
#define BATCHWORKER_H

#include "batchexecutor.h"

#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>

// What renaming and replacing share as threads: a planned batch carried out
// with progress and cancel, and one message for the files it could not
// rename. cancel() may be called from any thread; the run stops at its next
// safe point, never inside a chain or cycle of renames.
class BatchWorker : public QThread
{
    Q_OBJECT

public:
    explicit BatchWorker(QObject *parent);
    // Waits for a run in progress: a batch is never cut off half-way.
    ~BatchWorker() override;

    void cancel();

signals:
    void errorAtRename(int priority, QString message);
    void refreshListView(QStringList newList);
    void progressChanged(qint64 done, qint64 total);
    void batchFinished(qint64 renamed, qint64 planned, bool cancelled);

protected:
    BatchOutcome carryOut(const BatchPlan &plan, bool replaceExisting);

    // One message naming the first files that failed, one line each, and
    // counting the rest; nothing when every file was renamed.
    void reportFailures(const BatchOutcome &outcome, const QString &heading,
                        const std::function<QString(const FileFailure &)> &line);

private:
    std::atomic<bool> cancelRequested{false};
};

#endif // BATCHWORKER_H

#ifndef BATCHWORKER_H
#define BATCHWORKER_H

#include "batchrun.h"
#include "journal.h"

#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>

// What renaming, replacing and undoing share as threads: a planned batch
// written to the journal and carried out with progress and cancel, and one
// message for the files it could not rename. cancel() may be called from any thread; the run stops
// at its next safe point, never inside a chain or cycle of renames.
class BatchWorker : public QThread
{
    Q_OBJECT

public:
    explicit BatchWorker(QObject *parent);
    // Waits for a run in progress: a batch is never cut off half-way.
    ~BatchWorker() override;

    // Starts the thread with a fresh cancel flag. Called on the owner's
    // thread, so that a Cancel clicked at once is never lost to the start.
    void startBatch();
    void cancel();

signals:
    void errorAtRename(int priority, QString message);
    void refreshListView(QStringList newList);
    void progressChanged(qint64 done, qint64 total);
    void batchFinished(qint64 renamed, qint64 planned, bool cancelled);

protected:
    // Nothing moved when the journal could not be written; the user has been
    // told then.
    BatchRun::Result carryOut(const QVector<PlannedRename> &renames, Journal::Kind kind,
                              bool replaceExisting, const QByteArray &rules = QByteArray());
    BatchExecutor::Options executorOptions(bool replaceExisting);
    void announceEnd(const BatchOutcome &outcome, qsizetype planned);

    Journal journal;

    // One message naming the first files that failed, one line each, and
    // counting the rest; nothing when every file was renamed.
    void reportFailures(const BatchOutcome &outcome, const QString &heading,
                        const std::function<QString(const FileFailure &)> &line);
    // The message of a renaming: each file by its path, its new name and why.
    void reportRenameFailures(const BatchOutcome &outcome);
    // One message: the heading, the first lines of count, and how many more.
    void tellUser(int priority, const QString &heading, const QStringList &lines, qsizetype count);

    static const int shownLines = 10;

private:
    std::atomic<bool> cancelRequested{false};
};

#endif // BATCHWORKER_H

#include "batchworker.h"

#include "batchnotes.h"

#include <QLocale>

BatchWorker::BatchWorker(QObject *parent) : QThread(parent) {}

BatchWorker::~BatchWorker()
{
    wait();
}

void BatchWorker::startBatch()
{
    cancelRequested.store(false);
    start(QThread::InheritPriority);
}

void BatchWorker::cancel()
{
    cancelRequested.store(true);
}

BatchExecutor::Options BatchWorker::executorOptions(bool replaceExisting)
{
    BatchExecutor::Options options;
    options.replaceExisting = replaceExisting;
    options.cancel = &cancelRequested;
    options.progress = [this](qsizetype done, qsizetype total) {
        emit progressChanged(done, total);
    };
    return options;
}

void BatchWorker::announceEnd(const BatchOutcome &outcome, qsizetype planned)
{
    emit batchFinished(outcome.renamed, planned, outcome.cancelled);
}

BatchRun::Result BatchWorker::carryOut(const QVector<PlannedRename> &renames, Journal::Kind kind,
                                       bool replaceExisting, const QByteArray &rules)
{
    BatchRun::Result result = BatchRun::carryOut(renames, kind, executorOptions(replaceExisting),
                                                 &journal, QString(), {}, rules);
    if (!result.ran()) {
        emit errorAtRename(2, result.journalError);
        return result;
    }
    if (!result.endError.isEmpty())
        emit errorAtRename(2, result.endError);
    announceEnd(result.outcome, BatchPlan::changeCount(renames));
    return result;
}

void BatchWorker::reportFailures(const BatchOutcome &outcome, const QString &heading,
                                 const std::function<QString(const FileFailure &)> &line)
{
    QStringList lines;
    bool critical = false;
    for (qsizetype i = 0; i < outcome.failures.size(); ++i) {
        const FileFailure &failure = outcome.failures[i];
        critical = critical || failure.severity == FileFailure::Severity::Critical;
        if (i < shownLines)
            lines.append(line(failure));
    }
    tellUser(critical ? 2 : 1, heading, lines, outcome.failures.size());
}

void BatchWorker::reportRenameFailures(const BatchOutcome &outcome)
{
    const qsizetype count = outcome.failures.size();
    reportFailures(outcome, tr("%Ln files could not be renamed:", nullptr, int(count)),
                   &BatchNotes::failureLine);
}

void BatchWorker::tellUser(int priority, const QString &heading, const QStringList &lines,
                           qsizetype count)
{
    if (count == 0)
        return;
    QString message = heading.isEmpty() ? QString() : heading + QLatin1String("\n\n");
    message += lines.mid(0, shownLines).join(QLatin1Char('\n'));
    if (count > shownLines)
        message += QLatin1String("\n\n")
                   + tr("and %1 more.").arg(QLocale().toString(qlonglong(count - shownLines)));
    // The window's priorities: 1 shows a warning, 2 a critical message.
    emit errorAtRename(priority, message);
}

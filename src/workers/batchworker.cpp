#include "batchworker.h"

BatchWorker::BatchWorker(QObject *parent) : QThread(parent) {}

BatchWorker::~BatchWorker()
{
    wait();
}

void BatchWorker::cancel()
{
    cancelRequested.store(true);
}

BatchExecutor::Options BatchWorker::executorOptions(bool replaceExisting)
{
    cancelRequested.store(false);
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
                                       bool replaceExisting)
{
    BatchRun::Result result =
        BatchRun::carryOut(renames, kind, executorOptions(replaceExisting), &journal);
    if (!result.ran()) {
        emit errorAtRename(2, result.journalError);
        return result;
    }
    qsizetype planned = 0;
    for (const PlannedRename &rename : renames)
        planned += rename.changesName() ? 1 : 0;
    announceEnd(result.outcome, planned);
    return result;
}

void BatchWorker::reportFailures(const BatchOutcome &outcome, const QString &heading,
                                 const std::function<QString(const FileFailure &)> &line)
{
    if (outcome.failures.isEmpty())
        return;
    const int shown = 10;
    const qsizetype count = outcome.failures.size();
    QStringList lines;
    bool critical = false;
    for (qsizetype i = 0; i < count; ++i) {
        const FileFailure &failure = outcome.failures[i];
        critical = critical || failure.severity == FileFailure::Severity::Critical;
        if (i < shown)
            lines.append(line(failure));
    }
    QString message = heading.isEmpty() ? QString() : heading + QLatin1String("\n\n");
    message += lines.join(QLatin1Char('\n'));
    if (count > shown)
        message += QLatin1String("\n\n") + tr("and %1 more.").arg(count - shown);
    // The window's priorities: 1 shows a warning, 2 a critical message.
    emit errorAtRename(critical ? 2 : 1, message);
}

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

BatchOutcome BatchWorker::carryOut(const BatchPlan &plan, bool replaceExisting)
{
    cancelRequested.store(false);
    BatchExecutor::Options options;
    options.replaceExisting = replaceExisting;
    options.cancel = &cancelRequested;
    options.progress = [this](qsizetype done, qsizetype total) {
        emit progressChanged(done, total);
    };
    const BatchOutcome outcome = BatchExecutor::carryOut(plan.renames(), options);
    emit batchFinished(outcome.renamed, plan.changeCount(), outcome.cancelled);
    return outcome;
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

#include "batchcontroller.h"

#include "applyrules.h"
#include "planner.h"
#include "progressstrip.h"
#include "recover.h"
#include "rename.h"
#include "replace.h"
#include "undo.h"
#include "undocontroller.h"

#include <QCoreApplication>
#include <QLocale>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

namespace {

const int statusMessageTimeout = 3000;

// The rename worker names its last step in English; the status bar says it in
// the user's language.
QString statusDone(const QString &statusWord)
{
    static const char *const words[] = {QT_TRANSLATE_NOOP("Rename", "Renaming"),
                                        QT_TRANSLATE_NOOP("Rename", "Reseting")};
    QString shown = statusWord;
    for (const char *word : words) {
        if (statusWord == QLatin1String(word))
            shown = QCoreApplication::translate("Rename", word);
    }
    //: Follows a status word such as "Renaming" in the status bar.
    return shown + QCoreApplication::translate("MainWindow", " done !");
}

} // namespace

BatchController::BatchController(ProgressStrip *progressStrip, UndoController *undoController,
                                 QMainWindow *window)
    : QObject(window), window(window), progressStrip(progressStrip), undoController(undoController),
      rename(new Rename(this)), replace(new Replace(this)), applyRules(new ApplyRules(this))
{
    Undo *undo = undoController->worker();
    for (BatchWorker *worker :
         std::initializer_list<BatchWorker *>{rename, replace, applyRules, undo}) {
        connect(worker, &BatchWorker::progressChanged, progressStrip, &ProgressStrip::setProgress);
        connect(worker, &BatchWorker::batchFinished, this, &BatchController::batchFinished);
        connect(worker, &BatchWorker::errorAtRename, this, &BatchController::showMessage);
        connect(worker, &BatchWorker::refreshListView, this, &BatchController::listChanged);
    }
    connect(rename, &QThread::finished, this, &BatchController::renameFinished);
    connect(replace, &QThread::finished, this, &BatchController::replaceFinished);
    connect(applyRules, &QThread::finished, this, &BatchController::rulesFinished);
    connect(undoController, &UndoController::started, this, &BatchController::undoStarted);
    connect(undoController, &UndoController::finished, this, &BatchController::undoFinished);
}

BatchController::~BatchController()
{
    rename->wait();
    replace->wait();
    applyRules->wait();
    undoController->worker()->wait();
}

bool BatchController::changesFiles() const
{
    return runsBatch() || undoController->isRunning();
}

void BatchController::startPlanned(const PlanRequest &request, const BatchPlan &plan,
                                   bool keepListView)
{
    if (request.replacing) {
        startReplace(request, plan, keepListView);
        return;
    }
    if (changesFiles())
        return;
    const RenameOptions &options = request.rename;
    rename->setParameters(request.pathList, options.outputFormat, options.reverseFormat,
                          options.formatPosition, options.listExtensions, options.renameBy,
                          options.renameByReversed, options.renameIndividually);
    rename->setPlan(plan);
    rename->setRecursive(options.recursive);
    renameRunning = true;
    lastCancelled = false;
    emit stateChanged();
    progressStrip->begin(tr("Renaming"), plan.renames().size());
    rename->startBatch();
}

void BatchController::startReplace(const PlanRequest &request, const std::optional<BatchPlan> &plan,
                                   bool keepListView)
{
    if (changesFiles())
        return;
    replace->setParameters(request.pathList, request.replaceIn, request.replaceOut, request.regExp,
                           request.suffix, request.replaceExisting, keepListView);
    if (plan)
        replace->setPlan(*plan);
    replace->setRecursive(request.recursive);
    replaceRunning = true;
    lastCancelled = false;
    emit stateChanged();
    // Without a plan the worker makes one; its first report gives the count.
    progressStrip->begin(tr("Replacing"), plan ? plan->renames().size() : 0);
    replace->startBatch();
}

void BatchController::startRules(const QStringList &paths, const RuleStack &stack, bool recursive,
                                 const BatchPlan &plan)
{
    if (changesFiles())
        return;
    applyRules->setRequest(paths, stack, recursive);
    applyRules->setPlan(plan);
    rulesRunning = true;
    lastCancelled = false;
    emit stateChanged();
    progressStrip->begin(tr("Renaming"), plan.renames().size());
    applyRules->startBatch();
}

void BatchController::cancel()
{
    if (renameRunning)
        rename->cancel();
    else if (replaceRunning)
        replace->cancel();
    else if (rulesRunning)
        applyRules->cancel();
    else if (undoController->isRunning())
        undoController->worker()->cancel();
}

void BatchController::reset()
{
    rename->reset();
    window->statusBar()->showMessage(statusDone(rename->status()), statusMessageTimeout);
}

void BatchController::batchFinished(qint64 renamed, qint64 planned, bool cancelled)
{
    lastRenamed = renamed;
    lastPlanned = planned;
    lastCancelled = cancelled;
}

QString BatchController::countedText(const QString &text) const
{
    return text.arg(QLocale().toString(qlonglong(lastRenamed)));
}

QString BatchController::cancelledText() const
{
    return tr("Cancelled: %1 of %Ln files renamed.", nullptr, int(lastPlanned));
}

void BatchController::runFinished(const QString &text, int timeout)
{
    progressStrip->end();
    undoController->refresh();
    emit stateChanged();
    window->statusBar()->showMessage(text, timeout);
}

void BatchController::renameFinished()
{
    rename->wait();
    renameRunning = false;
    if (lastCancelled)
        runFinished(countedText(cancelledText()));
    else
        runFinished(statusDone(rename->status()), statusMessageTimeout);
}

void BatchController::replaceFinished()
{
    replace->wait();
    replaceRunning = false;
    // Also when nothing matched: the user must not wonder whether it ran.
    runFinished(countedText(
        lastCancelled ? cancelledText()
                      : tr("Replace done: %1 of %Ln files renamed.", nullptr, int(lastPlanned))));
}

void BatchController::rulesFinished()
{
    applyRules->wait();
    rulesRunning = false;
    runFinished(countedText(
        lastCancelled ? cancelledText()
                      : tr("Rename done: %1 of %Ln files renamed.", nullptr, int(lastPlanned))));
}

void BatchController::undoStarted()
{
    lastCancelled = false;
    lastPlanned = -1; // until the undo tells how it ended
    emit stateChanged();
    progressStrip->begin(tr("Undoing"), 0);
}

void BatchController::undoFinished()
{
    progressStrip->end();
    emit stateChanged();
    if (lastPlanned < 0)
        window->statusBar()->showMessage(tr("Nothing was undone."));
    else
        window->statusBar()->showMessage(countedText(tr(
            "Undo done: %1 of %Ln files back under their old names.", nullptr, int(lastPlanned))));
}

void BatchController::recoverInterrupted()
{
    connect(undoController->recoverer(), &BatchWorker::progressChanged, progressStrip,
            &ProgressStrip::setProgress);
    connect(undoController, &UndoController::recoveryFinished, this,
            [this](const QString &message) {
                progressStrip->end();
                emit stateChanged();
                if (!message.isEmpty())
                    showMessage(0, message);
            });
    if (!undoController->recoverInterrupted())
        return;
    emit stateChanged();
    progressStrip->begin(tr("Recovering"), 0);
}

void BatchController::showMessage(int priority, const QString &message)
{
    switch (priority) {
    case 0:
        QMessageBox::information(window, tr("Information"), message, QMessageBox::Ok);
        break;
    case 1:
        QMessageBox::warning(window, tr("Warning"), message, QMessageBox::Ok);
        break;
    case 2:
        QMessageBox::critical(window, tr("Critical"), message, QMessageBox::Ok);
        break;
    default:
        break;
    }
}

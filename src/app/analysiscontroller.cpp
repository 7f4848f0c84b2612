#include "analysiscontroller.h"

#include "analize.h"
#include "progressstrip.h"

#include <QStatusBar>
#include <QTimer>

namespace {
const int statusMessageTimeout = 3000;
}

AnalysisController::AnalysisController(ProgressStrip *progressStrip, QStatusBar *statusBar,
                                       QObject *parent)
    : QObject(parent), analize(new Analize(this)), progressStrip(progressStrip),
      statusBar(statusBar)
{
    connect(analize, &QThread::finished, this, &AnalysisController::workerFinished);
    connect(analize, &Analize::setFilesInformations, this, &AnalysisController::takeCounts);
}

void AnalysisController::analyse(const QStringList &paths, bool recursive, bool start)
{
    if (running) {
        pending = true;
        startPending = startPending || start;
        pendingPaths = paths;
        pendingRecursive = recursive;
        return;
    }
    analize->setPathList(paths);
    analize->setRecursive(recursive);
    if (!start)
        return;
    running = true;
    cancelled = false;
    emit stateChanged();
    progressStrip->begin(tr("Analysing"), paths.size());
    analize->start(QThread::InheritPriority);
}

void AnalysisController::cancel()
{
    analize->cancel();
}

void AnalysisController::stop()
{
    analize->cancel();
    analize->wait();
}

void AnalysisController::workerFinished()
{
    analize->wait();
    running = false;
    progressStrip->end();
    if (analize->wasCancelled()) {
        // Cancel stops the analysis, the one waiting for it included.
        cancelled = true;
        pending = false;
        startPending = false;
        pendingPaths.clear();
        emit stateChanged();
        statusBar->showMessage(tr("Analysis cancelled"), statusMessageTimeout);
        return;
    }
    emit stateChanged();
    statusBar->showMessage(tr("Analize done !"), statusMessageTimeout);
    if (pending) {
        const bool start = startPending;
        const QStringList paths = std::exchange(pendingPaths, QStringList());
        pending = false;
        startPending = false;
        analyse(paths, pendingRecursive, start);
    }
}

void AnalysisController::takeCounts(int files, int suffixes)
{
    shownFiles = files;
    shownSuffixes = suffixes;
    if (countsQueued)
        return;
    countsQueued = true;
    QTimer::singleShot(0, this, [this] {
        countsQueued = false;
        emit countsChanged(shownFiles, shownSuffixes);
    });
}

#ifndef ANALYSISCONTROLLER_H
#define ANALYSISCONTROLLER_H

#include <QObject>
#include <QStringList>

class Analize;
class ProgressStrip;
class QStatusBar;

// Keeps the input list's counts in step with the list: runs the Analize
// worker, lets a change that arrives meanwhile wait for it and then analyses
// the newest list once, and hands the counts on once per event-loop turn
// however often the worker reports. GUI thread only.
class AnalysisController : public QObject
{
    Q_OBJECT

public:
    AnalysisController(ProgressStrip *progressStrip, QStatusBar *statusBar, QObject *parent);

    Analize *worker() const { return analize; }
    bool isRunning() const { return running; }
    // The last analysis was cancelled: the extension filter is incomplete
    // until the list has been analysed again.
    bool wasCancelled() const { return cancelled; }
    int files() const { return shownFiles; }
    int suffixes() const { return shownSuffixes; }

    // Hands the worker the list; with start, also counts it. While an
    // analysis runs, the newest list follows it.
    void analyse(const QStringList &paths, bool recursive, bool start);
    void cancel();
    // Waits for the worker after cancelling it.
    void stop();

signals:
    void stateChanged();
    void countsChanged(int files, int suffixes);

private:
    void workerFinished();
    void takeCounts(int files, int suffixes);

    Analize *analize;
    ProgressStrip *progressStrip;
    QStatusBar *statusBar;
    bool running = false;
    bool cancelled = false;
    bool pending = false;
    bool startPending = false;
    QStringList pendingPaths;
    bool pendingRecursive = false;
    int shownFiles = 0;
    int shownSuffixes = 0;
    bool countsQueued = false;
};

#endif // ANALYSISCONTROLLER_H

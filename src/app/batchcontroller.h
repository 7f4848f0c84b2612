#ifndef BATCHCONTROLLER_H
#define BATCHCONTROLLER_H

#include <QObject>
#include <QStringList>

#include <optional>

class ApplyRules;
class BatchPlan;
struct PlanRequest;
class ProgressStrip;
class QMainWindow;
class Rename;
class Replace;
class RuleStack;
class UndoController;

// Starts, follows and ends the batches that change files: the Rename,
// Replace and ApplyRules workers, and the undo and recovery runs of the
// UndoController. One runs at a time; each shows its progress in the strip,
// its failures in a box above the window and how it ended in the status
// bar. GUI thread only; the destructor waits for a running batch, since
// stopping it half-way would leave a folder half renamed.
class BatchController : public QObject
{
    Q_OBJECT

public:
    BatchController(ProgressStrip *progressStrip, UndoController *undoController,
                    QMainWindow *window);
    ~BatchController() override;

    // A batch, an undo or a recovery runs.
    bool changesFiles() const;
    // A batch of the tabs runs, which the undo must wait for.
    bool runsBatch() const { return renameRunning || replaceRunning || rulesRunning; }

    // Each refuses while another batch changes files.
    void startPlanned(const PlanRequest &request, const BatchPlan &plan, bool keepListView);
    // Without a plan the worker plans the replace itself.
    void startReplace(const PlanRequest &request, const std::optional<BatchPlan> &plan,
                      bool keepListView);
    void startRules(const QStringList &paths, const RuleStack &stack, bool recursive,
                    const BatchPlan &plan);
    void cancel();
    // Puts a batch cut off by a crash in order; at start, before anything else.
    void recoverInterrupted();
    // The list was emptied: the rename's counter starts afresh.
    void reset();

signals:
    void stateChanged();
    // The input list as it reads after a run.
    void listChanged(const QStringList &paths);

private:
    void showMessage(int priority, const QString &message);
    void batchFinished(qint64 renamed, qint64 planned, bool cancelled);
    void renameFinished();
    void replaceFinished();
    void rulesFinished();
    void undoStarted();
    void undoFinished();
    void runFinished(const QString &text, int timeout = 0);
    // "%1 of %Ln files": the files the last run renamed, of the %Ln it
    // planned, which tr() already filled in.
    QString countedText(const QString &text) const;
    QString cancelledText() const;

    QMainWindow *window;
    ProgressStrip *progressStrip;
    UndoController *undoController;
    Rename *rename;
    Replace *replace;
    ApplyRules *applyRules;
    bool renameRunning = false;
    bool replaceRunning = false;
    bool rulesRunning = false;
    // How the last batch ended, for the status bar once its thread is done.
    qint64 lastRenamed = 0;
    qint64 lastPlanned = 0;
    bool lastCancelled = false;
};

#endif // BATCHCONTROLLER_H

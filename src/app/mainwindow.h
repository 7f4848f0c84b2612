#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "batchplan.h"

#include <QList>
#include <QMainWindow>
#include <QSet>
#include <QStringList>
#include <QUrl>
#include <optional>

class Analize;
class ApplyRules;
class Extensions;
class InputChooser;
class InputListModel;
class PlanReview;
struct PlanRequest;
class ProgressStrip;
class Regexp;
class Rename;
class Replace;
class RuleStack;
class RulesTab;
class Ui_MainWindow;
class UndoController;
class Update;

// The program's one main window: the input list, the rename and replace
// commands and the wiring of the workers and secondary windows. Lives on the
// GUI thread. It never hands a worker new input while that worker runs, and
// its destructor waits for running workers. Closing it closes the secondary
// windows, so the program ends with it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Adds paths to the input list the way a drop does: each path once, one
    // warning when some lie outside the home folder, then an analysis of the
    // whole list. A large batch is taken in slices over several event-loop
    // turns, so the window stays responsive. Refused while files are renamed.
    void addPaths(const QStringList &paths);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void updateAvailable();
    void showAbout();
    void openInputDirectory(QStringList pathList);
    void openInputDirectory();
    void checkButtonChanged(bool checked);
    void doRename();
    void doReplace();
    void setTextLabelOutputFormat();
    void setTextLabelOutputFormat(bool reverse);
    void setTextLabelOutputFormat(QString str);
    void setFilesInformations(int files, int suffixes);
    void analizeFinished();
    void renameFinished();
    void resetListView();
    void refreshListView(QStringList newList);
    void alternateRowColor();
    void showMessage(int priority, QString message);
    void replaceFinished();
    void startRename(const BatchPlan &plan);
    void startReplace(const BatchPlan &plan);
    void startPlanned(const PlanRequest &request, const BatchPlan &plan);
    void startReplaceOf(const PlanRequest &request, const std::optional<BatchPlan> &plan);
    void startApplyRules(const BatchPlan &plan, const RuleStack &stack);
    void applyRulesFinished();
    void scanRecursiveChanged(bool recursive);
    void batchFinished(qint64 renamed, qint64 planned, bool cancelled);
    void undoStarted();
    void undoFinished();
    void cancelRunningJob();
    void recoverInterruptedBatch();

private:
    QString countedText(const QString &text) const;
    // Paths of one drop, menu choice or command line still to be listed.
    struct PendingBatch
    {
        QStringList paths;
        QList<QUrl> urls; // a drop's paths, converted as they are taken
        qsizetype next = 0;
        bool warn = true; // until the warning about the home folder was shown once
        qsizetype size() const { return urls.isEmpty() ? paths.size() : urls.size(); }
    };

    int formatPosition() const;
    // Takes a drag as a copy or a link, never as a move; false when refused.
    bool acceptHarmlessly(QDropEvent *event);
    PlanRequest renameRequest() const;
    QString renameQuestion() const;
    PlanRequest replaceRequest() const;
    bool replacePatternIsValid();
    void writeOutputFormatPreview(const QString &text, int position);
    void appendRows(const QStringList &paths);
    void enqueue(PendingBatch batch);
    void takePendingPaths();
    static qsizetype firstOutsideHome(const QStringList &paths);
    void showOutsideHomeWarning();
    void analyseInputList(bool start);
    void showFilesInformations();
    bool workerChangesFiles() const;
    bool takingPaths() const;
    void updateCommandStates();
    void setUpKeyboard();

    Ui_MainWindow *ui;
    Update *update;
    Analize *analize;
    Rename *rename;
    Replace *replace;
    ApplyRules *applyRules;
    Extensions *extensions;
    Regexp *regexp;
    InputListModel *model;
    InputChooser *inputChooser;
    ProgressStrip *progressStrip;
    PlanReview *planReview;
    UndoController *undoController;
    RulesTab *rulesTab;
    QStringList inputList;
    int itemCount = 0;

    // Exact-match lookup of inputList, rebuilt when rows go away.
    QSet<QString> knownPaths;
    bool knownPathsValid = true;

    QList<PendingBatch> pendingBatches;
    bool takingSlice = false;
    bool sliceQueued = false;

    bool analysisRunning = false;
    bool analysisPending = false;
    bool analysisStartPending = false;
    // A cancelled analysis leaves the extension filter incomplete: no rename
    // until the list has been analysed again.
    bool analysisCancelled = false;
    bool renameRunning = false;
    bool replaceRunning = false;
    bool rulesRunning = false;
    // How the last batch ended, for the status bar once its thread is done.
    qint64 lastRenamed = 0;
    qint64 lastPlanned = 0;
    bool lastCancelled = false;

    // The analysis reports after every input entry; the labels show the
    // newest figures once per event-loop turn.
    int shownFiles = 0;
    int shownSuffixes = 0;
    bool filesInformationsQueued = false;
};

#endif // MAINWINDOW_H

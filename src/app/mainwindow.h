#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "batchplan.h"

#include <QMainWindow>
#include <QStringList>

class AnalysisController;
class BatchController;
class Extensions;
class InputChooser;
class InputList;
class PlanReview;
struct PlanRequest;
class ProgressStrip;
class Regexp;
class RenameTab;
class ReplaceTab;
class RuleStack;
class RulesTab;
class Ui_MainWindow;
class UndoController;
class Update;

// The program's one main window: the form and the wiring between the input
// list, the analysis, the batches, the undo and the secondary windows, each
// a class of its own. Lives on the GUI thread. Its destructor waits for a
// running batch. Closing it closes the secondary windows, so the program ends
// with it.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Adds paths to the input list the way a drop does: each path once, one
    // warning when some lie outside the home folder, then an analysis of the
    // whole list. Refused while files are renamed.
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
    void doRename();
    void doReplace();
    void showFilesInformations(int files, int suffixes);
    void resetListView();
    void refreshListView(const QStringList &newList);
    void alternateRowColor();
    void startRename(const BatchPlan &plan);
    void startReplace(const BatchPlan &plan);
    void startPlanned(const PlanRequest &request, const BatchPlan &plan);
    void startApplyRules(const BatchPlan &plan, const RuleStack &stack);
    void scanRecursiveChanged(bool recursive);
    void cancelRunningJob();

private:
    // Takes a drag as a copy or a link, never as a move; false when refused.
    bool acceptHarmlessly(QDropEvent *event);
    PlanRequest renameRequest() const;
    PlanRequest replaceRequest() const;
    void showOutsideHomeWarning();
    // Every change of the list comes this way; with start, it is counted.
    void inputChanged(bool start);
    void updateCommandStates();
    void setUpKeyboard();

    Ui_MainWindow *ui;
    Update *update;
    Extensions *extensions;
    Regexp *regexp;
    InputList *inputList;
    InputChooser *inputChooser;
    ProgressStrip *progressStrip;
    PlanReview *planReview;
    UndoController *undoController;
    AnalysisController *analysis;
    BatchController *batches;
    RenameTab *renameTab;
    ReplaceTab *replaceTab;
    RulesTab *rulesTab;
};

#endif // MAINWINDOW_H

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "analize.h"
#include "analysiscontroller.h"
#include "batchcontroller.h"
#include "emptylisthint.h"
#include "extensions.h"
#include "inputchooser.h"
#include "inputlist.h"
#include "inputlistmodel.h"
#include "journal.h"
#include "planner.h"
#include "planreview.h"
#include "progressstrip.h"
#include "regexp.h"
#include "renametab.h"
#include "replacetab.h"
#include "rulestab.h"
#include "undocontroller.h"
#include "update.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

namespace {

// The file manager must never delete what it dropped here, so a drop is taken
// as a copy, or as a link, never as a move.
Qt::DropAction harmlessAction(Qt::DropActions possible)
{
    if (possible & Qt::CopyAction)
        return Qt::CopyAction;
    if (possible & Qt::LinkAction)
        return Qt::LinkAction;
    return Qt::IgnoreAction;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui_MainWindow), update(nullptr), extensions(nullptr),
      regexp(nullptr), inputList(nullptr), inputChooser(nullptr), progressStrip(nullptr),
      planReview(nullptr), undoController(nullptr), analysis(nullptr), batches(nullptr),
      renameTab(nullptr), replaceTab(nullptr), rulesTab(nullptr)
{
    ui->setupUi(this);

    const QString applicationName = QCoreApplication::applicationName();
    regexp = new Regexp;
    // The main window alone decides when the program ends.
    regexp->setAttribute(Qt::WA_QuitOnClose, false);
    regexp->setWindowTitle(applicationName + tr(" - RegExp Documentation"));
    extensions = new Extensions(this);
    extensions->setWindowTitle(applicationName + tr(" - Choose extensions"));
    update = new Update;
    update->setAttribute(Qt::WA_QuitOnClose, false);
    update->setWindowTitle(applicationName + tr(" - Update"));

    ui->labelUpdate->hide();

    inputList = new InputList(this);
    ui->listView->setModel(inputList->model());
    auto *hint = new EmptyListHint(ui->listView,
                                   tr("Drop files and folders here, or use File → Add folder…"));
    hint->setObjectName(QStringLiteral("emptyListHint"));

    inputChooser = new InputChooser(this);
    progressStrip = new ProgressStrip(this);
    progressStrip->setBusyWidget(ui->listView->viewport());
    statusBar()->addPermanentWidget(progressStrip);
    planReview = new PlanReview(this);
    undoController = new UndoController(ui->actionUndo, this);
    analysis = new AnalysisController(progressStrip, statusBar(), this);
    batches = new BatchController(progressStrip, undoController, this);
    renameTab = new RenameTab(ui, extensions, this);
    replaceTab = new ReplaceTab(ui, this);
    rulesTab = new RulesTab(ui, this);
    setUpKeyboard();

    connect(ui->actionUpdates, &QAction::triggered, update, &QWidget::show);
    connect(ui->actionHistory, &QAction::triggered, undoController, &UndoController::showHistory);
    connect(ui->toolButtonDoc, &QToolButton::clicked, regexp, &QWidget::show);
    connect(ui->actionRegexpHelp, &QAction::triggered, regexp, [this] {
        regexp->show();
        regexp->raise();
        regexp->activateWindow();
    });
    connect(ui->actionAbout, &QAction::triggered, this, &MainWindow::showAbout);
    connect(ui->actionAboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);
    connect(ui->pushResetList, &QPushButton::clicked, this, &MainWindow::resetListView);
    connect(ui->pushRename, &QPushButton::clicked, this, &MainWindow::doRename);
    connect(ui->pushReplace, &QPushButton::clicked, this, &MainWindow::doReplace);
    connect(ui->checkAternateRowColor, &QCheckBox::clicked, this, &MainWindow::alternateRowColor);
    connect(update, &Update::updateIsAvailable, this, &MainWindow::updateAvailable);

    connect(inputList, &InputList::takingChanged, this, &MainWindow::updateCommandStates);
    connect(inputList, &InputList::outsideHomeTaken, this, &MainWindow::showOutsideHomeWarning);
    connect(inputList, &InputList::batchTaken, this, [this] { inputChanged(true); });
    connect(analysis, &AnalysisController::stateChanged, this, &MainWindow::updateCommandStates);
    connect(analysis, &AnalysisController::countsChanged, this, &MainWindow::showFilesInformations);
    connect(analysis, &AnalysisController::countsChanged, renameTab, &RenameTab::setCounts);
    Analize *analize = analysis->worker();
    connect(analize, &Analize::progressChanged, progressStrip, &ProgressStrip::setProgress);
    connect(analize, &Analize::setListExtensions, extensions, &Extensions::setListExtensions);
    connect(analize, &Analize::resetListExtensions, extensions, &Extensions::resetListExtensions);
    connect(batches, &BatchController::stateChanged, this, &MainWindow::updateCommandStates);
    connect(batches, &BatchController::listChanged, this, &MainWindow::refreshListView);

    connect(ui->actionAddFiles, &QAction::triggered, inputChooser, &InputChooser::chooseFiles);
    connect(ui->actionAddFolder, &QAction::triggered, inputChooser, &InputChooser::chooseFolder);
    connect(ui->actionQuit, &QAction::triggered, this, &QWidget::close);
    connect(inputChooser, &InputChooser::pathsChosen, this, &MainWindow::addPaths);
    connect(progressStrip, &ProgressStrip::cancelRequested, this, &MainWindow::cancelRunningJob);

    connect(ui->pushPreview, &QPushButton::clicked, this,
            [this] { planReview->showPreview(renameRequest(), renameTab->question()); });
    connect(ui->pushPreviewReplace, &QPushButton::clicked, this, [this] {
        if (replaceTab->patternIsValid())
            planReview->showPreview(replaceRequest(), QString());
    });
    connect(planReview, &PlanReview::previewConfirmed, this, &MainWindow::startPlanned);
    connect(planReview, &PlanReview::renameConfirmed, this, &MainWindow::startRename);
    connect(planReview, &PlanReview::replaceConfirmed, this, &MainWindow::startReplace);
    connect(planReview, &PlanReview::planningChanged, this, &MainWindow::updateCommandStates);
    connect(rulesTab, &RulesTab::renameConfirmed, this, &MainWindow::startApplyRules);
    connect(ui->checkScanRecursive, &QCheckBox::toggled, this, &MainWindow::scanRecursiveChanged);
    // A batch cut off by a crash is put in order before anything else runs.
    QTimer::singleShot(0, batches, &BatchController::recoverInterrupted);
}

void MainWindow::setUpKeyboard()
{
    ui->actionAddFolder->setShortcut(QKeySequence::Open);
    ui->actionQuit->setShortcut(QKeySequence::Quit);
}

MainWindow::~MainWindow()
{
    // An analysis changes nothing, so it need not run to its end; a batch
    // does (see BatchController).
    analysis->stop();
    delete batches;
    // It keeps the rule stack for the next start and lets go of the form's
    // widgets, so it goes before them.
    delete rulesTab;
    delete ui;
    delete update;
    delete regexp;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The help and update windows have no parent; left open they would keep
    // the program running without its main window.
    regexp->close();
    update->close();
    extensions->close();
    QMainWindow::closeEvent(event);
}

void MainWindow::showAbout()
{
    const QString journal = QDir::toNativeSeparators(Journal::defaultDirectory()).toHtmlEscaped();
    QMessageBox::about(
        this, tr("About Tavrelo"),
        tr("<h3>Tavrelo %1</h3>"
           "<p>Renames files in batches, and takes back any batch it made.</p>"
           "<p>Free software under the GNU General Public License, version 3 or later.</p>"
           "<p>Its journal of batches is kept in %2</p>")
            .arg(QCoreApplication::applicationVersion().toHtmlEscaped(), journal));
}

void MainWindow::updateAvailable()
{
    ui->labelUpdate->show();
}

// ---- Input list ----

bool MainWindow::acceptHarmlessly(QDropEvent *event)
{
    const Qt::DropAction action = harmlessAction(event->possibleActions());
    // While a job renames files the list is not to change under it.
    if (batches->changesFiles() || action == Qt::IgnoreAction) {
        event->ignore();
        return false;
    }
    event->setDropAction(action);
    event->accept();
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    acceptHarmlessly(event);
}

void MainWindow::dragMoveEvent(QDragMoveEvent *event)
{
    // Every move over the window asks again; a held modifier must not turn
    // the drop into a move.
    acceptHarmlessly(event);
}

void MainWindow::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasUrls()) {
        event->ignore();
        return;
    }
    if (acceptHarmlessly(event))
        inputList->addUrls(event->mimeData()->urls());
}

void MainWindow::addPaths(const QStringList &paths)
{
    if (!batches->changesFiles())
        inputList->addPaths(paths);
}

void MainWindow::showOutsideHomeWarning()
{
    QMessageBox::warning(this, tr("Warning"),
                         tr("You have selected a non user directory.\n\nBeware that renamed files "
                            "system will results to a non working system.\n\nMake sur that you "
                            "only manipulate your own known directory..."),
                         QMessageBox::Ok);
}

void MainWindow::inputChanged(bool start)
{
    rulesTab->setInputList(inputList->paths());
    analysis->analyse(inputList->paths(), ui->checkScanRecursive->isChecked(), start);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // On the rules' tab the input list is out of sight: its rows stay.
    if ((event->key() != Qt::Key_Delete && event->key() != Qt::Key_Backspace)
        || ui->tabWidget->currentWidget() == ui->tabRules) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    if (batches->changesFiles())
        return;
    QList<int> rows;
    const QModelIndexList selected = ui->listView->selectionModel()->selectedIndexes();
    rows.reserve(selected.size());
    for (const QModelIndex &index : selected)
        rows.append(index.row());
    inputList->removeRows(rows);
    inputChanged(true);
}

void MainWindow::refreshListView(const QStringList &newList)
{
    inputList->setPaths(newList);
    inputChanged(false);
}

void MainWindow::resetListView()
{
    if (batches->changesFiles())
        return;
    inputList->clear();
    // A fresh list starts from a fresh choice of extensions.
    extensions->forgetChoice();
    rulesTab->setInputList(QStringList());
    batches->reset();
    updateCommandStates();
}

void MainWindow::alternateRowColor()
{
    ui->listView->setAlternatingRowColors(ui->checkAternateRowColor->isChecked());
}

void MainWindow::showFilesInformations(int files, int suffixes)
{
    ui->labelFilesInfosNumberFiles->setText(QLocale().toString(qlonglong(files)));
    ui->labelFilesInfosNumberExt->setText(QLocale().toString(qlonglong(suffixes)));
}

// ---- Commands ----

void MainWindow::updateCommandStates()
{
    const bool changingFiles = batches->changesFiles();
    const bool taking = inputList->isTaking();
    const bool planning = planReview->isPlanning();
    const bool analysing = analysis->isRunning();
    // A rename takes its extension filter from the analysis: not before the
    // analysis of the complete current list has delivered it.
    const bool countsReady = !analysing && !analysis->wasCancelled();
    ui->pushRename->setEnabled(!changingFiles && !taking && countsReady && !planning);
    ui->pushReplace->setEnabled(!changingFiles && !taking);
    ui->pushPreview->setEnabled(!changingFiles && !taking && !planning && countsReady);
    ui->pushPreviewReplace->setEnabled(!changingFiles && !taking && !planning);
    ui->pushResetList->setEnabled(!changingFiles);
    // A run reads it when it starts; what it lists must not change under it.
    ui->checkScanRecursive->setEnabled(!changingFiles);
    undoController->setBlocked(batches->runsBatch());
    rulesTab->setBlocked(changingFiles || taking);
    planReview->setBlocked(changingFiles || taking || analysing, changingFiles);
    ui->actionAddFiles->setEnabled(!changingFiles);
    ui->actionAddFolder->setEnabled(!changingFiles);
}

void MainWindow::doRename()
{
    if (!ui->pushRename->isEnabled())
        return;
    if (inputList->isEmpty()) {
        QMessageBox::warning(this, tr("Warning"),
                             tr("Warning : Please choose a directory/file first..."),
                             QMessageBox::Ok);
        return;
    }
    if (planReview->isPlanning())
        return;
    planReview->confirmRename(renameRequest(), renameTab->question());
}

PlanRequest MainWindow::renameRequest() const
{
    return renameTab->request(inputList->paths(), ui->checkScanRecursive->isChecked());
}

PlanRequest MainWindow::replaceRequest() const
{
    return replaceTab->request(inputList->paths(), ui->checkScanRecursive->isChecked());
}

void MainWindow::startRename(const BatchPlan &plan)
{
    // The very options the user confirmed: nothing can change them while the
    // question is open, since it is modal.
    startPlanned(renameRequest(), plan);
}

void MainWindow::startPlanned(const PlanRequest &request, const BatchPlan &plan)
{
    // A rename's extension filter comes from the analysis.
    if (!request.replacing && analysis->isRunning())
        return;
    batches->startPlanned(request, plan, replaceTab->keepsListView());
}

void MainWindow::doReplace()
{
    if (!ui->pushReplace->isEnabled())
        return;
    if (!replaceTab->readyToRun())
        return;
    // Only a run that may delete files for good asks first; it needs the plan
    // for that, and then carries out the very plan it asked about.
    if (replaceTab->replacesExisting()) {
        if (!planReview->isPlanning())
            planReview->confirmReplace(replaceRequest());
        return;
    }
    startReplace(BatchPlan());
}

void MainWindow::startReplace(const BatchPlan &plan)
{
    // Without deletions to ask about, the worker plans the run itself.
    const PlanRequest request = replaceRequest();
    batches->startReplace(request,
                          request.replaceExisting ? std::optional<BatchPlan>(plan) : std::nullopt,
                          replaceTab->keepsListView());
}

void MainWindow::startApplyRules(const BatchPlan &plan, const RuleStack &stack)
{
    // The plan is the one shown, made from this very list.
    batches->startRules(inputList->paths(), stack, ui->checkScanRecursive->isChecked(), plan);
}

void MainWindow::scanRecursiveChanged(bool recursive)
{
    rulesTab->setRecursive(recursive);
    // The counts follow; an empty list has none to change.
    if (!inputList->isEmpty())
        inputChanged(true);
}

void MainWindow::cancelRunningJob()
{
    if (batches->changesFiles())
        batches->cancel();
    else
        analysis->cancel();
}

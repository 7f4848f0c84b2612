#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "analize.h"
#include "applyrules.h"
#include "emptylisthint.h"
#include "extensions.h"
#include "inputchooser.h"
#include "inputlistmodel.h"
#include "journal.h"
#include "planreview.h"
#include "progressstrip.h"
#include "recover.h"
#include "regexp.h"
#include "rename.h"
#include "replace.h"
#include "rulestab.h"
#include "undo.h"
#include "undocontroller.h"
#include "update.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QRegExp>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace {

const int statusMessageTimeout = 3000;
// How long one event-loop turn may spend taking dropped paths, and how many
// paths pass between two looks at the clock.
const qint64 sliceBudgetMs = 15;
const qsizetype pathsPerChunk = 2048;

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
    return shown + MainWindow::tr(" done !");
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui_MainWindow), update(nullptr), analize(nullptr),
      rename(nullptr), replace(nullptr), applyRules(nullptr), extensions(nullptr), regexp(nullptr),
      model(nullptr), inputChooser(nullptr), progressStrip(nullptr), planReview(nullptr),
      undoController(nullptr), rulesTab(nullptr)
{
    ui->setupUi(this);

    ui->comboRenameBy->addItem(tr("Date (newer first)"));
    ui->comboRenameBy->addItem(tr("Size (greater first)"));
    ui->comboRenameBy->addItem(tr("Name (alphabetical)"));

    ui->groupRenameFiles->setEnabled(false);
    ui->groupRenameGroup->setEnabled(false);
    ui->groupRenameBy->setEnabled(false);

    analize = new Analize(this);
    rename = new Rename(this);
    replace = new Replace(this);
    applyRules = new ApplyRules(this);

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

    inputList.clear();
    itemCount = 0;
    // The window owns the model, so it goes with the window.
    model = new InputListModel(this);
    ui->listView->setModel(model);
    auto *hint = new EmptyListHint(ui->listView,
                                   tr("Drop files and folders here, or use File → Add folder…"));
    hint->setObjectName(QStringLiteral("emptyListHint"));

    inputChooser = new InputChooser(this);
    progressStrip = new ProgressStrip(this);
    progressStrip->setBusyWidget(ui->listView->viewport());
    statusBar()->addPermanentWidget(progressStrip);
    planReview = new PlanReview(this);
    undoController = new UndoController(ui->actionUndo, this);
    rulesTab = new RulesTab(ui, this);
    setUpKeyboard();

    connect(ui->actionUpdates, &QAction::triggered, update, &QWidget::show);
    connect(ui->actionHistory, &QAction::triggered, undoController, &UndoController::showHistory);
    connect(ui->pushExtensions, &QPushButton::clicked, extensions, &QWidget::show);
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
    connect(ui->checkRenameAllExtensions, &QCheckBox::clicked, this,
            &MainWindow::checkButtonChanged);
    connect(ui->checkRenameByExtensions, &QCheckBox::clicked, this,
            &MainWindow::checkButtonChanged);
    connect(ui->checkRenameByExtensions, &QCheckBox::toggled, this,
            &MainWindow::checkButtonChanged);
    connect(ui->checkReplaceRegExp, &QCheckBox::toggled, this, &MainWindow::checkButtonChanged);
    connect(ui->checkReplaceSuffix, &QCheckBox::toggled, this, &MainWindow::checkButtonChanged);
    const auto previewFromRadio = qOverload<>(&MainWindow::setTextLabelOutputFormat);
    connect(ui->radioFormatName, &QRadioButton::clicked, this, previewFromRadio);
    connect(ui->radioFormatPrefix, &QRadioButton::clicked, this, previewFromRadio);
    connect(ui->radioFormatSuffix, &QRadioButton::clicked, this, previewFromRadio);
    connect(ui->checkReverseFormat, &QCheckBox::clicked, this,
            qOverload<bool>(&MainWindow::setTextLabelOutputFormat));
    connect(ui->lineOutputFormat, &QLineEdit::textChanged, this,
            qOverload<QString>(&MainWindow::setTextLabelOutputFormat));
    writeOutputFormatPreview(ui->lineOutputFormat->text(), formatPosition());
    connect(update, &Update::updateIsAvailable, this, &MainWindow::updateAvailable);
    connect(analize, &QThread::finished, this, &MainWindow::analizeFinished);
    connect(analize, &Analize::setFilesInformations, this, &MainWindow::setFilesInformations);
    connect(analize, &Analize::setListExtensions, extensions, &Extensions::setListExtensions);
    connect(analize, &Analize::resetListExtensions, extensions, &Extensions::resetListExtensions);
    connect(rename, &QThread::finished, this, &MainWindow::renameFinished);
    connect(rename, &Rename::refreshListView, this, &MainWindow::refreshListView);
    connect(replace, &Replace::errorAtRename, this, &MainWindow::showMessage);
    connect(replace, &Replace::refreshListView, this, &MainWindow::refreshListView);
    connect(extensions, qOverload<bool>(&Extensions::accepted), ui->checkRenameByExtensions,
            &QCheckBox::setChecked);
    // A rename that could not rename every file says so, like a replace does.
    connect(rename, &Rename::errorAtRename, this, &MainWindow::showMessage);
    // Drops and the two commands wait for the end of a replace run.
    connect(replace, &QThread::finished, this, &MainWindow::replaceFinished);

    connect(ui->actionAddFiles, &QAction::triggered, inputChooser, &InputChooser::chooseFiles);
    connect(ui->actionAddFolder, &QAction::triggered, inputChooser, &InputChooser::chooseFolder);
    connect(ui->actionQuit, &QAction::triggered, this, &QWidget::close);
    connect(inputChooser, &InputChooser::pathsChosen, this, &MainWindow::addPaths);
    connect(analize, &Analize::progressChanged, progressStrip, &ProgressStrip::setProgress);
    connect(progressStrip, &ProgressStrip::cancelRequested, this, &MainWindow::cancelRunningJob);

    connect(ui->pushPreview, &QPushButton::clicked, this,
            [this] { planReview->showPreview(renameRequest(), renameQuestion()); });
    connect(ui->pushPreviewReplace, &QPushButton::clicked, this, [this] {
        if (replacePatternIsValid())
            planReview->showPreview(replaceRequest(), QString());
    });
    connect(planReview, &PlanReview::previewConfirmed, this, &MainWindow::startPlanned);
    connect(planReview, &PlanReview::renameConfirmed, this, &MainWindow::startRename);
    connect(planReview, &PlanReview::replaceConfirmed, this, &MainWindow::startReplace);
    connect(planReview, &PlanReview::planningChanged, this, &MainWindow::updateCommandStates);
    Undo *undo = undoController->worker();
    for (BatchWorker *worker :
         std::initializer_list<BatchWorker *>{rename, replace, applyRules, undo}) {
        connect(worker, &BatchWorker::progressChanged, progressStrip, &ProgressStrip::setProgress);
        connect(worker, &BatchWorker::batchFinished, this, &MainWindow::batchFinished);
    }
    connect(undo, &Undo::errorAtRename, this, &MainWindow::showMessage);
    connect(undo, &Undo::refreshListView, this, &MainWindow::refreshListView);
    connect(applyRules, &ApplyRules::errorAtRename, this, &MainWindow::showMessage);
    connect(applyRules, &ApplyRules::refreshListView, this, &MainWindow::refreshListView);
    connect(applyRules, &QThread::finished, this, &MainWindow::applyRulesFinished);
    connect(rulesTab, &RulesTab::renameConfirmed, this, &MainWindow::startApplyRules);
    connect(ui->checkScanRecursive, &QCheckBox::toggled, this, &MainWindow::scanRecursiveChanged);
    connect(undoController, &UndoController::started, this, &MainWindow::undoStarted);
    connect(undoController, &UndoController::finished, this, &MainWindow::undoFinished);
    // A batch cut off by a crash is put in order before anything else runs.
    QTimer::singleShot(0, this, &MainWindow::recoverInterruptedBatch);
}

void MainWindow::setUpKeyboard()
{
    ui->actionAddFolder->setShortcut(QKeySequence::Open);
    ui->actionQuit->setShortcut(QKeySequence::Quit);
}

MainWindow::~MainWindow()
{
    // A closed window still lets a running job finish: stopping a rename
    // half-way would leave the user's folder half renamed. An analysis
    // changes nothing, so it need not run to its end.
    analize->cancel();
    analize->wait();
    rename->wait();
    replace->wait();
    applyRules->wait();
    undoController->worker()->wait();
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
    if (workerChangesFiles() || action == Qt::IgnoreAction) {
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
    if (!acceptHarmlessly(event))
        return;
    PendingBatch batch;
    batch.urls = event->mimeData()->urls();
    enqueue(std::move(batch));
}

void MainWindow::addPaths(const QStringList &paths)
{
    if (workerChangesFiles() || paths.isEmpty())
        return;
    PendingBatch batch;
    batch.paths = paths;
    enqueue(std::move(batch));
}

void MainWindow::enqueue(PendingBatch batch)
{
    pendingBatches.append(std::move(batch));
    updateCommandStates();
    // A small batch is listed before this returns; a large one goes on in
    // later turns.
    takePendingPaths();
}

void MainWindow::takePendingPaths()
{
    sliceQueued = false;
    // A warning box runs an event loop of its own; the slice in progress
    // finishes after it.
    if (takingSlice)
        return;
    takingSlice = true;
    QElapsedTimer clock;
    clock.start();
    bool batchDone = false;
    while (!pendingBatches.isEmpty() && clock.elapsed() < sliceBudgetMs) {
        if (!knownPathsValid) {
            knownPaths = QSet<QString>(inputList.cbegin(), inputList.cend());
            knownPathsValid = true;
        }
        PendingBatch &batch = pendingBatches.first();
        const qsizetype end = qMin(batch.next + pathsPerChunk, batch.size());
        QStringList newPaths;
        for (qsizetype i = batch.next; i < end; ++i) {
            const QString path = QDir::toNativeSeparators(
                batch.urls.isEmpty() ? batch.paths.at(i) : batch.urls.at(i).toLocalFile());
            if (knownPaths.contains(path))
                continue;
            knownPaths.insert(path);
            newPaths.append(path);
        }
        batch.next = end;
        // Cleared before the box shows: its event loop may take more paths.
        bool warnNow = false;
        if (batch.warn && firstOutsideHome(newPaths) >= 0) {
            batch.warn = false;
            warnNow = true;
        }
        if (batch.next == batch.size()) {
            pendingBatches.removeFirst();
            batchDone = true;
        }
        appendRows(newPaths);
        if (warnNow)
            showOutsideHomeWarning();
    }
    takingSlice = false;
    if (!pendingBatches.isEmpty()) {
        if (!sliceQueued) {
            sliceQueued = true;
            QTimer::singleShot(0, this, &MainWindow::takePendingPaths);
        }
    } else if (batchDone) {
        analyseInputList(true);
    }
    updateCommandStates();
}

void MainWindow::appendRows(const QStringList &paths)
{
    model->appendPaths(paths);
    // Appended to both rather than shared: a shared list would be copied
    // whole at every slice of a large drop.
    inputList.append(paths);
    itemCount = int(inputList.size());
}

// The home test is a plain substring test, as it always was: a folder
// "/home/anna" lies inside the home "/home/ann".
qsizetype MainWindow::firstOutsideHome(const QStringList &paths)
{
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        QString withSeparator = paths.at(i);
        if (!withSeparator.endsWith(QDir::separator()))
            withSeparator.append(QDir::separator());
        if (!QDir::toNativeSeparators(withSeparator).contains(home))
            return i;
    }
    return -1;
}

void MainWindow::showOutsideHomeWarning()
{
    QMessageBox::warning(this, tr("Warning"),
                         tr("You have selected a non user directory.\n\nBeware that renamed files "
                            "system will results to a non working system.\n\nMake sur that you "
                            "only manipulate your own known directory..."),
                         QMessageBox::Ok);
}

void MainWindow::openInputDirectory(QStringList pathList)
{
    if (firstOutsideHome(pathList) >= 0)
        showOutsideHomeWarning();
    analyseInputList(true);
}

void MainWindow::openInputDirectory()
{
    openInputDirectory(QStringList());
}

void MainWindow::analyseInputList(bool start)
{
    // Every change of the list comes this way.
    rulesTab->setInputList(inputList);
    // The running analysis keeps its input; the newest list follows it.
    if (analysisRunning) {
        analysisPending = true;
        analysisStartPending = analysisStartPending || start;
        return;
    }
    analize->setPathList(inputList);
    analize->setRecursive(ui->checkScanRecursive->isChecked());
    if (start) {
        analysisRunning = true;
        analysisCancelled = false;
        updateCommandStates();
        progressStrip->begin(tr("Analysing"), inputList.size());
        analize->start(QThread::InheritPriority);
    }
}

void MainWindow::analizeFinished()
{
    analize->wait();
    analysisRunning = false;
    progressStrip->end();
    if (analize->wasCancelled()) {
        // Cancel stops the analysis, the one waiting for it included.
        analysisCancelled = true;
        analysisPending = false;
        analysisStartPending = false;
        updateCommandStates();
        statusBar()->showMessage(tr("Analysis cancelled"), statusMessageTimeout);
        return;
    }
    updateCommandStates();
    statusBar()->showMessage(tr("Analize done !"), statusMessageTimeout);
    if (analysisPending) {
        const bool start = analysisStartPending;
        analysisPending = false;
        analysisStartPending = false;
        analyseInputList(start);
    }
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // On the rules' tab the input list is out of sight: its rows stay.
    if ((event->key() != Qt::Key_Delete && event->key() != Qt::Key_Backspace)
        || ui->tabWidget->currentWidget() == ui->tabRules) {
        QMainWindow::keyPressEvent(event);
        return;
    }
    if (workerChangesFiles())
        return;

    QList<int> rows;
    const QModelIndexList selected = ui->listView->selectionModel()->selectedIndexes();
    rows.reserve(selected.size());
    for (const QModelIndex &index : selected)
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (!rows.isEmpty()) {
        // One pass however scattered the selection is: removing rows one by
        // one would freeze the window on a large list.
        model->removeSortedRows(rows);
        inputList = model->paths();
        itemCount = int(inputList.size());
        knownPathsValid = false;
    }
    openInputDirectory();
}

void MainWindow::refreshListView(QStringList newList)
{
    model->setPaths(newList);
    inputList = model->paths();
    itemCount = int(inputList.size());
    knownPathsValid = false;
    analyseInputList(false);
}

void MainWindow::resetListView()
{
    if (workerChangesFiles())
        return;
    pendingBatches.clear();
    model->setPaths(QStringList());
    inputList.clear();
    itemCount = 0;
    knownPaths.clear();
    knownPathsValid = true;
    // A fresh list starts from a fresh choice of extensions.
    extensions->forgetChoice();
    rename->reset();
    rulesTab->setInputList(inputList);
    statusBar()->showMessage(statusDone(rename->status()), statusMessageTimeout);
    updateCommandStates();
}

void MainWindow::alternateRowColor()
{
    ui->listView->setAlternatingRowColors(ui->checkAternateRowColor->isChecked());
}

void MainWindow::setFilesInformations(int files, int suffixes)
{
    shownFiles = files;
    shownSuffixes = suffixes;
    if (filesInformationsQueued)
        return;
    filesInformationsQueued = true;
    QTimer::singleShot(0, this, &MainWindow::showFilesInformations);
}

void MainWindow::showFilesInformations()
{
    filesInformationsQueued = false;
    ui->labelFilesInfosNumberFiles->setText(QLocale().toString(qlonglong(shownFiles)));
    ui->labelFilesInfosNumberExt->setText(QLocale().toString(qlonglong(shownSuffixes)));
    ui->groupRenameFiles->setEnabled(shownSuffixes > 1);
    ui->groupRenameBy->setEnabled(shownFiles > 1);
    // The number is as wide as the input's count.
    writeOutputFormatPreview(ui->lineOutputFormat->text(), formatPosition());
}

// ---- Output format preview ----

// What the run gives a file "filename.txt" of a folder as large as the
// input: the same function names the files.
void MainWindow::writeOutputFormatPreview(const QString &text, int position)
{
    //: Stands for the old name of a file in the example name, as in the radio buttons.
    const QString name = tr("filename") + QStringLiteral(".txt");
    RenameOptions options;
    options.outputFormat = text;
    options.reverseFormat = ui->checkReverseFormat->isChecked();
    options.formatPosition = position;
    ui->labelOutputFormat->setText(
        RenamePlan::composeName(name, RenamePlan::formatNumber(shownFiles, 1), options));
}

void MainWindow::setTextLabelOutputFormat()
{
    const QObject *source = sender();
    if (source == ui->radioFormatName)
        writeOutputFormatPreview(ui->lineOutputFormat->text(), 0);
    else if (source == ui->radioFormatPrefix)
        writeOutputFormatPreview(ui->lineOutputFormat->text(), 1);
    else if (source == ui->radioFormatSuffix)
        writeOutputFormatPreview(ui->lineOutputFormat->text(), 2);
}

void MainWindow::setTextLabelOutputFormat(bool reverse)
{
    Q_UNUSED(reverse); // the check box itself is read
    writeOutputFormatPreview(ui->lineOutputFormat->text(), formatPosition());
}

void MainWindow::setTextLabelOutputFormat(QString str)
{
    writeOutputFormatPreview(str, formatPosition());
}

// ---- Commands ----

int MainWindow::formatPosition() const
{
    if (ui->radioFormatSuffix->isChecked())
        return 2;
    if (ui->radioFormatPrefix->isChecked())
        return 1;
    return 0;
}

bool MainWindow::workerChangesFiles() const
{
    return renameRunning || replaceRunning || rulesRunning || undoController->isRunning();
}

bool MainWindow::takingPaths() const
{
    return !pendingBatches.isEmpty();
}

void MainWindow::updateCommandStates()
{
    const bool changingFiles = workerChangesFiles();
    // A rename takes its extension filter from the analysis: not before the
    // analysis of the complete current list has delivered it.
    ui->pushRename->setEnabled(!changingFiles && !takingPaths() && !analysisRunning
                               && !analysisCancelled && !planReview->isPlanning());
    ui->pushReplace->setEnabled(!changingFiles && !takingPaths());
    const bool planning = planReview->isPlanning();
    ui->pushPreview->setEnabled(!changingFiles && !takingPaths() && !planning && !analysisRunning
                                && !analysisCancelled);
    ui->pushPreviewReplace->setEnabled(!changingFiles && !takingPaths() && !planning);
    ui->pushResetList->setEnabled(!changingFiles);
    // A run reads it when it starts; what it lists must not change under it.
    ui->checkScanRecursive->setEnabled(!changingFiles);
    undoController->setBlocked(renameRunning || replaceRunning || rulesRunning);
    rulesTab->setBlocked(changingFiles || takingPaths());
    planReview->setBlocked(changingFiles || takingPaths() || analysisRunning, changingFiles);
    ui->actionAddFiles->setEnabled(!changingFiles);
    ui->actionAddFolder->setEnabled(!changingFiles);
}

void MainWindow::doRename()
{
    if (!ui->pushRename->isEnabled())
        return;
    if (inputList.isEmpty()) {
        QMessageBox::warning(this, tr("Warning"),
                             tr("Warning : Please choose a directory/file first..."),
                             QMessageBox::Ok);
        return;
    }
    if (planReview->isPlanning())
        return;
    planReview->confirmRename(renameRequest(), renameQuestion());
}

QString MainWindow::renameQuestion() const
{
    return tr("You have selected to rename your files : \n") + ui->labelOutputFormat->text()
           + tr("\n\nContinue ?");
}

PlanRequest MainWindow::renameRequest() const
{
    PlanRequest request;
    request.pathList = inputList;
    request.rename.outputFormat = ui->lineOutputFormat->text();
    request.rename.reverseFormat = ui->checkReverseFormat->isChecked();
    request.rename.formatPosition = formatPosition();
    request.rename.listExtensions =
        extensions->selectedExtensions(ui->checkRenameAllExtensions->isChecked());
    request.rename.renameBy = ui->comboRenameBy->currentIndex();
    request.rename.renameByReversed = ui->checkRenameByReversed->isChecked();
    request.rename.renameIndividually = ui->radioRenameIndividually->isChecked();
    request.rename.recursive = ui->checkScanRecursive->isChecked();
    return request;
}

PlanRequest MainWindow::replaceRequest() const
{
    PlanRequest request;
    request.replacing = true;
    request.pathList = inputList;
    request.replaceIn = ui->lineReplaceIn->text();
    request.replaceOut = ui->lineReplaceOut->text();
    request.regExp = ui->checkReplaceRegExp->isChecked();
    request.suffix = ui->checkReplaceSuffix->isChecked();
    request.replaceExisting = ui->checkReplaceDeleteIfExists->isChecked();
    request.recursive = ui->checkScanRecursive->isChecked();
    return request;
}

void MainWindow::startRename(const BatchPlan &plan)
{
    // The very options the user confirmed: nothing can change them while the
    // question is open, since it is modal.
    startPlanned(renameRequest(), plan);
}

void MainWindow::startPlanned(const PlanRequest &request, const BatchPlan &plan)
{
    if (request.replacing) {
        startReplaceOf(request, plan);
        return;
    }
    if (workerChangesFiles() || analysisRunning)
        return;
    const RenameOptions &options = request.rename;
    rename->setParameters(request.pathList, options.outputFormat, options.reverseFormat,
                          options.formatPosition, options.listExtensions, options.renameBy,
                          options.renameByReversed, options.renameIndividually);
    rename->setPlan(plan);
    rename->setRecursive(options.recursive);
    renameRunning = true;
    lastCancelled = false;
    updateCommandStates();
    progressStrip->begin(tr("Renaming"), plan.renames().size());
    rename->startBatch();
}

// "%1 of %2 files": the files the last run renamed, of those it planned.
QString MainWindow::countedText(const QString &text) const
{
    const QLocale locale;
    return text.arg(locale.toString(qlonglong(lastRenamed)),
                    locale.toString(qlonglong(lastPlanned)));
}

void MainWindow::renameFinished()
{
    rename->wait();
    renameRunning = false;
    progressStrip->end();
    undoController->refresh();
    updateCommandStates();
    if (lastCancelled)
        statusBar()->showMessage(countedText(tr("Cancelled: %1 of %2 files renamed.")));
    else
        statusBar()->showMessage(statusDone(rename->status()), statusMessageTimeout);
}

void MainWindow::doReplace()
{
    if (!ui->pushReplace->isEnabled())
        return;
    if (ui->lineReplaceIn->text().isEmpty()) {
        QMessageBox::warning(this, tr("Empty input string"),
                             tr("Warning : Please fill the input string to replace..."),
                             QMessageBox::Ok);
        return;
    }
    if (!replacePatternIsValid())
        return;
    // Only a run that may delete files for good asks first; it needs the plan
    // for that, and then carries out the very plan it asked about.
    if (ui->checkReplaceDeleteIfExists->isChecked()) {
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
    startReplaceOf(request,
                   request.replaceExisting ? std::optional<BatchPlan>(plan) : std::nullopt);
}

void MainWindow::startReplaceOf(const PlanRequest &request, const std::optional<BatchPlan> &plan)
{
    if (workerChangesFiles())
        return;
    replace->setParameters(request.pathList, request.replaceIn, request.replaceOut, request.regExp,
                           request.suffix, request.replaceExisting,
                           ui->checkRefreshListView->isChecked());
    if (plan)
        replace->setPlan(*plan);
    replace->setRecursive(request.recursive);
    replaceRunning = true;
    lastCancelled = false;
    updateCommandStates();
    // Without a plan the worker makes one; its first report gives the count.
    progressStrip->begin(tr("Replacing"), plan ? plan->renames().size() : 0);
    replace->startBatch();
}

bool MainWindow::replacePatternIsValid()
{
    if (!ui->checkReplaceRegExp->isChecked())
        return true;
    // Checked before any file is touched: the worker would otherwise find
    // nothing and say nothing.
    const QRegExp pattern(ui->lineReplaceIn->text(), Qt::CaseSensitive, QRegExp::RegExp);
    if (pattern.isValid())
        return true;
    QMessageBox::warning(this, tr("Invalid regular expression"),
                         tr("The regular expression is not valid: %1.").arg(pattern.errorString()),
                         QMessageBox::Ok);
    return false;
}

void MainWindow::replaceFinished()
{
    replace->wait();
    replaceRunning = false;
    progressStrip->end();
    undoController->refresh();
    updateCommandStates();
    // Also when nothing matched: the user must not wonder whether it ran.
    statusBar()->showMessage(countedText(lastCancelled
                                             ? tr("Cancelled: %1 of %2 files renamed.")
                                             : tr("Replace done: %1 of %2 files renamed.")));
}

void MainWindow::startApplyRules(const BatchPlan &plan, const RuleStack &stack)
{
    if (workerChangesFiles())
        return;
    // The plan is the one shown, made from this very list.
    applyRules->setRequest(inputList, stack, ui->checkScanRecursive->isChecked());
    applyRules->setPlan(plan);
    rulesRunning = true;
    lastCancelled = false;
    updateCommandStates();
    progressStrip->begin(tr("Renaming"), plan.renames().size());
    applyRules->startBatch();
}

void MainWindow::applyRulesFinished()
{
    applyRules->wait();
    rulesRunning = false;
    progressStrip->end();
    undoController->refresh();
    updateCommandStates();
    statusBar()->showMessage(countedText(lastCancelled
                                             ? tr("Cancelled: %1 of %2 files renamed.")
                                             : tr("Rename done: %1 of %2 files renamed.")));
}

void MainWindow::scanRecursiveChanged(bool recursive)
{
    rulesTab->setRecursive(recursive);
    // The counts follow; an empty list has none to change.
    if (!inputList.isEmpty())
        analyseInputList(true);
}

void MainWindow::batchFinished(qint64 renamed, qint64 planned, bool cancelled)
{
    lastRenamed = renamed;
    lastPlanned = planned;
    lastCancelled = cancelled;
}

void MainWindow::undoStarted()
{
    lastCancelled = false;
    lastPlanned = -1; // until the undo tells how it ended
    updateCommandStates();
    progressStrip->begin(tr("Undoing"), 0);
}

void MainWindow::undoFinished()
{
    progressStrip->end();
    updateCommandStates();
    if (lastPlanned < 0)
        statusBar()->showMessage(tr("Nothing was undone."));
    else
        statusBar()->showMessage(
            countedText(tr("Undo done: %1 of %2 files back under their old names.")));
}

void MainWindow::cancelRunningJob()
{
    if (renameRunning)
        rename->cancel();
    else if (replaceRunning)
        replace->cancel();
    else if (rulesRunning)
        applyRules->cancel();
    else if (undoController->isRunning())
        undoController->worker()->cancel();
    else if (analysisRunning)
        analize->cancel();
}

void MainWindow::recoverInterruptedBatch()
{
    connect(undoController->recoverer(), &BatchWorker::progressChanged, progressStrip,
            &ProgressStrip::setProgress);
    connect(undoController, &UndoController::recoveryFinished, this,
            [this](const QString &message) {
                progressStrip->end();
                updateCommandStates();
                if (!message.isEmpty())
                    showMessage(0, message);
            });
    if (!undoController->recoverInterrupted())
        return;
    updateCommandStates();
    progressStrip->begin(tr("Recovering"), 0);
}

void MainWindow::checkButtonChanged(bool checked)
{
    if (!checked)
        return;
    const QObject *source = sender();
    if (source == ui->checkRenameAllExtensions)
        ui->checkRenameByExtensions->setChecked(false);
    else if (source == ui->checkRenameByExtensions)
        ui->checkRenameAllExtensions->setChecked(false);
    else if (source == ui->checkReplaceRegExp)
        ui->checkReplaceSuffix->setChecked(false);
    else if (source == ui->checkReplaceSuffix)
        ui->checkReplaceRegExp->setChecked(false);
}

void MainWindow::showMessage(int priority, QString message)
{
    switch (priority) {
    case 0:
        QMessageBox::information(this, tr("Information"), message, QMessageBox::Ok);
        break;
    case 1:
        QMessageBox::warning(this, tr("Warning"), message, QMessageBox::Ok);
        break;
    case 2:
        QMessageBox::critical(this, tr("Critical"), message, QMessageBox::Ok);
        break;
    default:
        break;
    }
}

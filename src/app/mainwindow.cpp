#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "analize.h"
#include "extensions.h"
#include "regexp.h"
#include "rename.h"
#include "replace.h"
#include "update.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardItem>
#include <QStandardItemModel>
#include <QTimer>
#include <QUrl>

#include <algorithm>

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
    return shown + MainWindow::tr(" done !");
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui_MainWindow), update(nullptr), analize(nullptr),
      rename(nullptr), replace(nullptr), extensions(nullptr), regexp(nullptr), model(nullptr)
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

    const QString applicationName = QCoreApplication::applicationName();
    regexp = new Regexp;
    regexp->setWindowTitle(applicationName + tr(" - RegExp Documentation"));
    extensions = new Extensions(this);
    extensions->setWindowTitle(applicationName + tr(" - Choose extensions"));
    update = new Update;
    update->setWindowTitle(applicationName + tr(" - Update"));

    ui->labelUpdate->hide();

    inputList.clear();
    itemCount = 0;
    // The window owns the model, so it goes with the window.
    model = new QStandardItemModel(0, 1, this);
    ui->listView->setModel(model);

    connect(ui->actionUpdates, &QAction::triggered, update, &QWidget::show);
    connect(ui->pushExtensions, &QPushButton::clicked, extensions, &QWidget::show);
    connect(ui->toolButtonDoc, &QToolButton::clicked, regexp, &QWidget::show);
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
}

MainWindow::~MainWindow()
{
    // A closed window still lets a running job finish: stopping a rename
    // half-way would leave the user's folder half renamed.
    analize->wait();
    rename->wait();
    replace->wait();
    delete ui;
    delete update;
    delete regexp;
}

void MainWindow::updateAvailable()
{
    ui->labelUpdate->show();
}

// ---- Input list ----

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    // While a job renames files the list is not to change under it.
    if (workerChangesFiles()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    if (workerChangesFiles() || !event->mimeData()->hasUrls())
        return;

    if (!knownPathsValid) {
        knownPaths = QSet<QString>(inputList.cbegin(), inputList.cend());
        knownPathsValid = true;
    }
    QStringList newPaths;
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        const QString path = QDir::toNativeSeparators(url.toLocalFile());
        if (knownPaths.contains(path))
            continue;
        knownPaths.insert(path);
        newPaths.append(path);
    }
    appendRows(newPaths);

    // Left unaccepted: the file manager must neither move nor copy anything.
    warnOutsideHome = true;
    openInputDirectory(newPaths);
}

void MainWindow::appendRows(const QStringList &paths)
{
    QList<QStandardItem *> items;
    items.reserve(paths.size());
    for (const QString &path : paths)
        items.append(new QStandardItem(path));
    // One insertion for the whole batch keeps a drop of many files quick.
    model->invisibleRootItem()->appendRows(items);
    inputList.append(paths);
    itemCount += int(paths.size());
}

void MainWindow::openInputDirectory(QStringList pathList)
{
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    for (const QString &path : pathList) {
        if (!warnOutsideHome)
            break;
        QString withSeparator = path;
        if (!withSeparator.endsWith(QDir::separator()))
            withSeparator.append(QDir::separator());
        withSeparator = QDir::toNativeSeparators(withSeparator);
        if (!withSeparator.contains(home)) {
            QMessageBox::warning(
                this, tr("Warning"),
                tr("You have selected a non user directory.\n\nBeware that renamed files system "
                   "will results to a non working system.\n\nMake sur that you only manipulate "
                   "your own known directory..."),
                QMessageBox::Ok);
            warnOutsideHome = false;
        }
    }
    analyseInputList(true);
}

void MainWindow::openInputDirectory()
{
    openInputDirectory(QStringList());
}

void MainWindow::analyseInputList(bool start)
{
    // The running analysis keeps its input; the newest list follows it.
    if (analysisRunning) {
        analysisPending = true;
        analysisStartPending = analysisStartPending || start;
        return;
    }
    analize->setPathList(inputList);
    if (start) {
        analysisRunning = true;
        updateCommandStates();
        analize->start(QThread::InheritPriority);
    }
}

void MainWindow::analizeFinished()
{
    analize->wait();
    analysisRunning = false;
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
    if (event->key() != Qt::Key_Delete && event->key() != Qt::Key_Backspace)
        return;
    if (workerChangesFiles())
        return;

    QList<int> rows;
    const QModelIndexList selected = ui->listView->selectionModel()->selectedIndexes();
    for (const QModelIndex &index : selected)
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.isEmpty()) {
        openInputDirectory();
        return;
    }

    // Runs of neighbouring rows go in one call each, from the bottom up, so
    // that removing many rows stays quick and no row number shifts.
    int end = int(rows.size());
    while (end > 0) {
        int begin = end - 1;
        while (begin > 0 && rows[begin - 1] == rows[begin] - 1)
            --begin;
        const int first = rows[begin];
        const int count = end - begin;
        if (model->removeRows(first, count)) {
            const int listCount = std::min(count, int(inputList.size()) - first);
            if (first < inputList.size() && listCount > 0)
                inputList.remove(first, listCount);
            itemCount -= count;
        }
        end = begin;
    }
    knownPathsValid = false;
    openInputDirectory();
}

void MainWindow::refreshListView(QStringList newList)
{
    model->removeRows(0, itemCount);
    itemCount = 0;
    inputList.clear();
    appendRows(newList);
    knownPathsValid = false;
    analyseInputList(false);
}

void MainWindow::resetListView()
{
    if (workerChangesFiles())
        return;
    model->removeRows(0, itemCount);
    itemCount = 0;
    inputList.clear();
    knownPaths.clear();
    knownPathsValid = true;
    rename->reset();
    statusBar()->showMessage(statusDone(rename->status()), statusMessageTimeout);
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
    ui->labelFilesInfosNumberFiles->setText(QString::number(shownFiles));
    ui->labelFilesInfosNumberExt->setText(QString::number(shownSuffixes));
    ui->groupRenameFiles->setEnabled(shownSuffixes > 1);
    ui->groupRenameBy->setEnabled(shownFiles > 1);
}

// ---- Output format preview ----

void MainWindow::writeOutputFormatPreview(const QString &text, int position)
{
    const QString sample = text.isEmpty() ? QStringLiteral("~") : text;
    //: Stands for the old name of a file in the example name, as in the radio buttons.
    const QString name = tr("filename");
    const bool reverse = ui->checkReverseFormat->isChecked();
    QString preview;
    switch (position) {
    case 0:
        preview = reverse ? QStringLiteral("000") + sample + QStringLiteral(".txt")
                          : sample + QStringLiteral("000.txt");
        break;
    case 1:
        preview = reverse ? QStringLiteral("000") + sample + u'_' + name + QStringLiteral(".txt")
                          : sample + QStringLiteral("000_") + name + QStringLiteral(".txt");
        break;
    case 2:
        preview = reverse ? name + QStringLiteral("_000") + sample + QStringLiteral(".txt")
                          : name + u'_' + sample + QStringLiteral("000.txt");
        break;
    default:
        return;
    }
    ui->labelOutputFormat->setText(preview);
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

int MainWindow::formatPosition()
{
    if (ui->radioFormatSuffix->isChecked())
        return 2;
    if (ui->radioFormatPrefix->isChecked())
        return 1;
    return 0;
}

bool MainWindow::workerChangesFiles() const
{
    return renameRunning || replaceRunning;
}

void MainWindow::updateCommandStates()
{
    const bool changingFiles = workerChangesFiles();
    // A rename takes its extension filter from the analysis: not before the
    // analysis of the current list has delivered it.
    ui->pushRename->setEnabled(!changingFiles && !analysisRunning);
    ui->pushReplace->setEnabled(!changingFiles);
    ui->pushResetList->setEnabled(!changingFiles);
}

void MainWindow::doRename()
{
    if (workerChangesFiles() || analysisRunning)
        return;
    if (inputList.isEmpty()) {
        QMessageBox::warning(this, tr("Warning"),
                             tr("Warning : Please choose a directory/file first..."),
                             QMessageBox::Ok);
        return;
    }
    const QString question = tr("You have selected to rename your files : \n")
                             + ui->labelOutputFormat->text() + tr("\n\nContinue ?");
    QMessageBox box(QMessageBox::Question, tr("Confirmation"), question, QMessageBox::NoButton,
                    this);
    QPushButton *yes = box.addButton(tr("Yes"), QMessageBox::YesRole);
    box.addButton(tr("No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() != yes)
        return;

    rename->setParameters(inputList, ui->lineOutputFormat->text(),
                          ui->checkReverseFormat->isChecked(), formatPosition(),
                          extensions->selectedExtensions(ui->checkRenameAllExtensions->isChecked()),
                          ui->comboRenameBy->currentIndex(), ui->checkRenameByReversed->isChecked(),
                          ui->radioRenameIndividually->isChecked());
    renameRunning = true;
    updateCommandStates();
    rename->start(QThread::InheritPriority);
}

void MainWindow::renameFinished()
{
    rename->wait();
    renameRunning = false;
    updateCommandStates();
    statusBar()->showMessage(statusDone(rename->status()), statusMessageTimeout);
}

void MainWindow::doReplace()
{
    if (workerChangesFiles())
        return;
    if (ui->lineReplaceIn->text().isEmpty()) {
        QMessageBox::warning(this, tr("Empty input string"),
                             tr("Warning : Please fill the input string to replace..."),
                             QMessageBox::Ok);
        return;
    }
    replace->setParameters(inputList, ui->lineReplaceIn->text(), ui->lineReplaceOut->text(),
                           ui->checkReplaceRegExp->isChecked(), ui->checkReplaceSuffix->isChecked(),
                           ui->checkReplaceDeleteIfExists->isChecked(),
                           ui->checkRefreshListView->isChecked());
    replaceRunning = true;
    updateCommandStates();
    replace->start(QThread::InheritPriority);
}

void MainWindow::replaceFinished()
{
    replace->wait();
    replaceRunning = false;
    updateCommandStates();
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

#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QSet>
#include <QStringList>

class Analize;
class Extensions;
class QStandardItemModel;
class Regexp;
class Rename;
class Replace;
class Ui_MainWindow;
class Update;

// The program's one main window: the input list, the rename and replace
// commands and the wiring of the workers and secondary windows. Lives on the
// GUI thread. It never hands a worker new input while that worker runs, and
// its destructor waits for running workers.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    void updateAvailable();
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

private:
    int formatPosition();
    void writeOutputFormatPreview(const QString &text, int position);
    void appendRows(const QStringList &paths);
    void analyseInputList(bool start);
    void showFilesInformations();
    bool workerChangesFiles() const;
    void updateCommandStates();

    Ui_MainWindow *ui;
    Update *update;
    Analize *analize;
    Rename *rename;
    Replace *replace;
    Extensions *extensions;
    Regexp *regexp;
    QStandardItemModel *model;
    QStringList inputList;
    int itemCount = 0;
    bool warnOutsideHome = false;

    // Exact-match lookup of inputList, rebuilt when rows go away.
    QSet<QString> knownPaths;
    bool knownPathsValid = true;

    bool analysisRunning = false;
    bool analysisPending = false;
    bool analysisStartPending = false;
    bool renameRunning = false;
    bool replaceRunning = false;

    // The analysis reports after every input entry; the labels show the
    // newest figures once per event-loop turn.
    int shownFiles = 0;
    int shownSuffixes = 0;
    bool filesInformationsQueued = false;
};

#endif // MAINWINDOW_H

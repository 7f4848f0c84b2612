#ifndef UNDOCONTROLLER_H
#define UNDOCONTROLLER_H

#include "journal.h"

#include <QObject>

class History;
class QAction;
class QWidget;
class Recover;
class Undo;

// The Edit menu's undo: keeps the action's text and state in step with the
// journal ("Undo rename of 2,054 files"), asks once before taking the newest
// batch back, and runs the Undo worker; the History window lists every batch
// and takes any of them back the same way. At start, runs the Recover worker
// when a batch was cut off by a crash. Lives on the GUI thread; the window
// connects the workers' reports like those of a run.
class UndoController : public QObject
{
    Q_OBJECT

public:
    UndoController(QAction *action, QWidget *window);

    Undo *worker() const { return undo; }
    Recover *recoverer() const { return recover; }
    // An undo or a recovery runs.
    bool isRunning() const { return running; }
    // While another job changes files, nothing can be undone.
    void setBlocked(bool blocked);

public slots:
    // Reads the journal again: after every batch and at start.
    void refresh();
    // Starts putting the batches cut off by a crash in order, when there are
    // any; false when there is nothing to do. recoveryFinished() tells the end.
    bool recoverInterrupted();
    void undoNewest();
    // Made on first use; lists the journal afresh.
    void showHistory();

signals:
    void started();
    void finished();
    // What recovery found and did, in one text, or nothing.
    void recoveryFinished(const QString &message);

private:
    void updateAction();
    // Asks once, above asker, then takes the batch back, whichever it is.
    void undoBatch(Journal::Batch batch, QWidget *asker);

    QAction *action;
    QWidget *window;
    Undo *undo;
    Recover *recover;
    History *history = nullptr;
    Journal journal;
    Journal::Batch newest;
    bool blocked = false;
    bool running = false;
};

#endif // UNDOCONTROLLER_H

#ifndef UNDOCONTROLLER_H
#define UNDOCONTROLLER_H

#include "journal.h"

#include <QObject>

class QAction;
class QWidget;
class Undo;

// The Edit menu's undo: keeps the action's text and state in step with the
// journal ("Undo rename of 2,054 files"), asks once before taking the newest
// batch back, and runs the Undo worker. Lives on the GUI thread; the window
// connects the worker's reports like those of a run.
class UndoController : public QObject
{
    Q_OBJECT

public:
    UndoController(QAction *action, QWidget *window);

    Undo *worker() const { return undo; }
    bool isRunning() const { return running; }
    // While another job changes files, nothing can be undone.
    void setBlocked(bool blocked);

public slots:
    // Reads the journal again: after every batch and at start.
    void refresh();
    // Puts a batch cut off by a crash in order; what was found and done, in
    // one text, or nothing.
    QString recoverInterrupted();
    void undoNewest();

signals:
    void started();
    void finished();

private:
    void updateAction();

    QAction *action;
    QWidget *window;
    Undo *undo;
    Journal journal;
    Journal::Batch newest;
    bool blocked = false;
    bool running = false;
};

#endif // UNDOCONTROLLER_H

#ifndef HISTORY_H
#define HISTORY_H

#include "journal.h"

#include <QDialog>
#include <QVector>

class QPushButton;
class QStandardItemModel;
class QTableView;

// The window that lists every batch of the journal, newest first: when it
// ran, what it did, in which folders, how many files and how it ended. It
// only shows the batches it is given, from the end records alone, and asks
// for the undo of the selected one (undoRequested); the UndoController
// decides and undoes. GUI thread.
class History : public QDialog
{
    Q_OBJECT

public:
    explicit History(QWidget *parent);

    // Newest first, as Journal::history() gives them; the selection stays
    // on its batch.
    void setBatches(const QVector<Journal::Batch> &batches);
    // While files change, nothing can be undone.
    void setUndoAllowed(bool allowed);
    // The first folders of a batch on one line, "…" when there are more.
    static QString foldersText(const Journal::Batch &batch);

signals:
    void undoRequested(const QString &batchId);

private:
    const Journal::Batch *selected() const;
    void updateUndoButton();

    QTableView *tableHistory;
    QStandardItemModel *model;
    QPushButton *pushHistoryUndo;
    QVector<Journal::Batch> batches;
    bool undoAllowed = true;
};

#endif // HISTORY_H

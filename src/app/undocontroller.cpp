#include "undocontroller.h"

#include "history.h"
#include "recover.h"
#include "undo.h"

#include <algorithm>

#include <QAction>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

UndoController::UndoController(QAction *action, QWidget *window)
    : QObject(window), action(action), window(window), undo(new Undo(this)),
      recover(new Recover(this))
{
    action->setShortcut(QKeySequence::Undo);
    connect(action, &QAction::triggered, this, &UndoController::undoNewest);
    connect(undo, &QThread::finished, this, [this] {
        undo->wait();
        running = false;
        refresh();
        emit finished();
    });
    connect(recover, &QThread::finished, this, [this] {
        recover->wait();
        running = false;
        refresh();
        emit recoveryFinished(recover->message());
    });
    refresh();
}

void UndoController::setBlocked(bool blocked)
{
    this->blocked = blocked;
    updateAction();
}

void UndoController::refresh()
{
    newest = journal.newestUndoable();
    updateAction();
    if (history && history->isVisible())
        history->setBatches(journal.history());
}

void UndoController::showHistory()
{
    if (!history) {
        history = new History(window);
        connect(history, &History::undoRequested, this, [this](const QString &id) {
            // The journal may have changed since it was listed (the command
            // line shares it).
            const QVector<Journal::Batch> batches = journal.history();
            const auto chosen =
                std::find_if(batches.cbegin(), batches.cend(),
                             [&id](const Journal::Batch &batch) { return batch.id == id; });
            if (chosen != batches.cend() && chosen->canBeUndone())
                undoBatch(*chosen, history);
            else
                history->setBatches(batches);
        });
    }
    history->setBatches(journal.history());
    updateAction();
    history->show();
    history->raise();
    history->activateWindow();
}

bool UndoController::recoverInterrupted()
{
    if (running || !recover->isNeeded())
        return false;
    running = true;
    updateAction();
    recover->startBatch();
    return true;
}

void UndoController::updateAction()
{
    const int count = int(newest.renamed);
    if (newest.id.isEmpty())
        action->setText(tr("Undo"));
    else if (newest.kind == Journal::Kind::Replace)
        action->setText(tr("Undo replace in %Ln files", nullptr, count));
    else
        action->setText(tr("Undo rename of %Ln files", nullptr, count));
    action->setEnabled(!newest.id.isEmpty() && !blocked && !running);
    if (history)
        history->setUndoAllowed(!blocked && !running);
}

void UndoController::undoNewest()
{
    refresh();
    if (!newest.id.isEmpty())
        undoBatch(newest, window);
}

// By value: the question lets the journal be read again under it.
void UndoController::undoBatch(Journal::Batch batch, QWidget *asker)
{
    if (blocked || running)
        return;
    const int count = int(batch.renamed);
    const QString when = QLocale().toString(batch.started.toLocalTime(), QLocale::ShortFormat);
    const QString what =
        batch.kind == Journal::Kind::Replace
            ? tr("Undo the replace made on %1, which renamed %Ln files?", nullptr, count)
            : tr("Undo the rename made on %1, which renamed %Ln files?", nullptr, count);
    // The folder says which batch it is better than the time does.
    const QString where = History::foldersText(batch);
    QMessageBox box(
        QMessageBox::Question, tr("Undo"),
        what.arg(when) + (where.isEmpty() ? QString() : QLatin1Char('\n') + tr("In %1").arg(where))
            + QLatin1String("\n\n") + tr("Files changed since then are left as they are."),
        QMessageBox::NoButton, asker);
    QPushButton *yes = box.addButton(tr("Undo"), QMessageBox::YesRole);
    box.addButton(tr("Cancel"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() != yes || blocked || running)
        return;
    running = true;
    updateAction();
    undo->setBatch(batch.id);
    emit started();
    undo->startBatch();
}

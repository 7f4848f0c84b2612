#include "history.h"

#include "rulestack.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHash>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

enum Column { When, What, Folders, Files, State, ColumnCount };

const int shownFolders = 3;

QString whenText(const QDateTime &time)
{
    return QLocale().toString(time.toLocalTime(), QLocale::ShortFormat);
}

QString folderText(const QString &folder)
{
    return QDir::toNativeSeparators(folder.size() > 1 ? folder.chopped(1) : folder);
}

QString whatText(const Journal::Batch &batch, const QHash<QString, QDateTime> &startOf)
{
    const auto started = [&startOf](const QString &id) {
        const auto found = startOf.constFind(id);
        return found == startOf.constEnd() ? id : whenText(found.value());
    };
    // A renaming batch names what it did the way the command line does:
    // "Replace: IMG → Trip", so that two batches of one kind differ.
    const auto withStack = [&batch](const QString &kind) {
        RuleStack stack;
        QString error;
        if (batch.rules.isEmpty() || !RuleStack::fromJson(batch.rules, &stack, &error))
            return kind;
        //: A batch's kind, then what its rules did.
        return History::tr("%1: %2").arg(kind, stack.summary());
    };
    switch (batch.kind) {
    case Journal::Kind::Rename:
        return withStack(History::tr("Rename"));
    case Journal::Kind::Replace:
        return withStack(History::tr("Replace"));
    case Journal::Kind::Rules:
        return withStack(History::tr("Rules"));
    case Journal::Kind::Undo:
        return History::tr("Undo of the batch of %1").arg(started(batch.undoes));
    case Journal::Kind::Recover:
        return History::tr("Recovery of the batch of %1").arg(started(batch.recovers));
    }
    return QString();
}

QString stateText(const Journal::Batch &batch)
{
    if (batch.undone)
        return History::tr("undone");
    if (!batch.finished.isValid())
        return History::tr("cut off");
    if (batch.cancelled)
        return History::tr("cancelled");
    return History::tr("done");
}

QList<QStandardItem *> rowOf(const Journal::Batch &batch, const QHash<QString, QDateTime> &startOf)
{
    QStringList folders;
    for (const QString &folder : batch.folders)
        folders.append(folderText(folder));
    const QString shown = History::foldersText(batch);
    QString listed = folders.join(QLatin1Char('\n'));
    if (batch.folderCount > folders.size())
        listed +=
            QLatin1Char('\n') + History::tr("%Ln folders in all", nullptr, int(batch.folderCount));

    const QLocale locale;
    QList<QStandardItem *> row;
    row << new QStandardItem(whenText(batch.started)) << new QStandardItem(whatText(batch, startOf))
        << new QStandardItem(shown)
        << new QStandardItem(batch.renamed == batch.planned
                                 ? locale.toString(qlonglong(batch.renamed))
                                 : History::tr("%1 of %2")
                                       .arg(locale.toString(qlonglong(batch.renamed)),
                                            locale.toString(qlonglong(batch.planned))))
        << new QStandardItem(stateText(batch));
    row[When]->setData(batch.id, Qt::UserRole);
    row[When]->setToolTip(History::tr("Batch %1").arg(batch.id));
    row[What]->setToolTip(row[What]->text());
    row[Folders]->setToolTip(listed);
    row[Files]->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (QStandardItem *item : std::as_const(row))
        item->setEditable(false);
    return row;
}

} // namespace

History::History(QWidget *parent)
    : QDialog(parent), tableHistory(new QTableView(this)), model(new QStandardItemModel(this)),
      pushHistoryUndo(new QPushButton(tr("Undo"), this))
{
    setObjectName(QStringLiteral("History"));
    setWindowTitle(tr("History"));
    tableHistory->setObjectName(QStringLiteral("tableHistory"));
    pushHistoryUndo->setObjectName(QStringLiteral("pushHistoryUndo"));
    model->setHorizontalHeaderLabels(
        {tr("When"), tr("What"), tr("Folders"), tr("Files"), tr("State")});
    tableHistory->setModel(model);
    tableHistory->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableHistory->setSelectionMode(QAbstractItemView::SingleSelection);
    tableHistory->setAlternatingRowColors(true);
    tableHistory->setWordWrap(false);
    tableHistory->verticalHeader()->hide();
    tableHistory->horizontalHeader()->setStretchLastSection(true);
    tableHistory->setColumnWidth(When, 150);
    tableHistory->setColumnWidth(What, 300);
    tableHistory->setColumnWidth(Folders, 290);
    tableHistory->setColumnWidth(Files, 80);
    connect(tableHistory->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &History::updateUndoButton);
    connect(pushHistoryUndo, &QPushButton::clicked, this, [this] {
        // A copy: the list is given anew while the undo is asked for.
        if (const Journal::Batch *batch = selected())
            emit undoRequested(QString(batch->id));
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->addButton(pushHistoryUndo, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tableHistory);
    layout->addWidget(buttons);
    resize(960, 420);
    updateUndoButton();
}

void History::setBatches(const QVector<Journal::Batch> &batches)
{
    const Journal::Batch *current = selected();
    const QString keep = current ? current->id : QString();
    this->batches = batches;
    // An undo names the batch it took back by its time.
    QHash<QString, QDateTime> startOf;
    for (const Journal::Batch &batch : batches)
        startOf.insert(batch.id, batch.started);
    model->removeRows(0, model->rowCount());
    int row = 0;
    for (int i = 0; i < batches.size(); ++i) {
        model->appendRow(rowOf(batches[i], startOf));
        if (batches[i].id == keep)
            row = i;
    }
    if (!batches.isEmpty())
        tableHistory->selectRow(row);
    updateUndoButton();
}

void History::setUndoAllowed(bool allowed)
{
    undoAllowed = allowed;
    updateUndoButton();
}

QString History::foldersText(const Journal::Batch &batch)
{
    QStringList folders;
    for (qsizetype i = 0; i < qMin<qsizetype>(shownFolders, batch.folders.size()); ++i)
        folders.append(folderText(batch.folders.at(i)));
    QString shown = folders.join(QLatin1String(", "));
    if (batch.folders.size() > shownFolders || batch.folderCount > batch.folders.size())
        shown += QStringLiteral(", …");
    return shown;
}

const Journal::Batch *History::selected() const
{
    const int row = tableHistory->currentIndex().row();
    return row >= 0 && row < batches.size() ? &batches[row] : nullptr;
}

void History::updateUndoButton()
{
    const Journal::Batch *batch = selected();
    pushHistoryUndo->setEnabled(undoAllowed && batch && batch->canBeUndone());
}

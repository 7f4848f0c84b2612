#include "previewmodel.h"

#include "collationkeys.h"

#include <QDir>
#include <QFont>
#include <QMutex>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <numeric>
#include <utility>

// What the model shares with the threads that order its rows: they post an
// order to the model only while it lives, and stop early once it no longer
// waits for theirs.
struct PreviewModel::Jobs
{
    QMutex mutex;
    PreviewModel *model = nullptr;
    std::atomic<quint64> latest{0};
};

namespace {

const qsizetype rowsFreedAside = 10000;

QString cellTextOf(const QVector<PlannedRename> &rows, const BatchNotes &notes, int planRow,
                   int column)
{
    const PlannedRename &row = rows.at(planRow);
    switch (column) {
    case PreviewModel::OldNameColumn:
        return row.oldName;
    case PreviewModel::NewNameColumn:
        return row.willMove() ? row.newName : row.oldName;
    case PreviewModel::NoteColumn:
        return notes.text(planRow);
    case PreviewModel::FolderColumn:
        return QDir::toNativeSeparators(row.folder);
    }
    return QString();
}

QVector<int> planOrder(qsizetype rows)
{
    QVector<int> order(rows);
    std::iota(order.begin(), order.end(), 0);
    return order;
}

// The plan's rows in the order of a column's texts, the plan's order among
// equal ones; nothing once latest tells that no one waits for it. Works on
// its own rows and notes, on any thread.
std::optional<QVector<int>> orderedRows(const QVector<PlannedRename> &rows, int column,
                                        Qt::SortOrder sortOrder, const std::atomic<quint64> &latest,
                                        quint64 generation)
{
    const BatchNotes notes(&rows);
    const int count = int(rows.size());
    // One collation key per text, made once: comparing keys is a byte
    // compare, where comparing the texts would collate both at every step.
    // Numeric mode puts "img2" before "img10", as a file manager does.
    CollationKeys keys;
    // Notes and folders repeat from row to row: one key serves a run of
    // the same text, and one every row without a note.
    const bool repeats = column == PreviewModel::NoteColumn || column == PreviewModel::FolderColumn;
    std::vector<int> keyOf;
    if (repeats)
        keyOf.reserve(size_t(count));
    else
        keys.reserve(count);
    QString previous;
    int previousKey = -1;
    int emptyKey = -1;
    for (int row = 0; row < count; ++row) {
        if (row % 4096 == 0 && latest.load(std::memory_order_relaxed) != generation)
            return std::nullopt;
        const QString text = cellTextOf(rows, notes, row, column);
        if (!repeats) {
            keys.add(text);
        } else if (text.isEmpty()) {
            if (emptyKey < 0)
                emptyKey = int(keys.add(text));
            keyOf.push_back(emptyKey);
        } else {
            if (previousKey < 0 || text != previous) {
                previousKey = int(keys.add(text));
                previous = text;
            }
            keyOf.push_back(previousKey);
        }
    }
    const auto before = [&keys, &keyOf, repeats](int a, int b) {
        if (repeats) {
            a = keyOf[size_t(a)];
            b = keyOf[size_t(b)];
            if (a == b)
                return false;
        }
        return keys.compare(a, b) < 0;
    };
    QVector<int> order = planOrder(count);
    // Stable: rows of the same key keep the plan's order.
    if (sortOrder == Qt::AscendingOrder)
        std::stable_sort(order.begin(), order.end(), before);
    else
        std::stable_sort(order.begin(), order.end(),
                         [&before](int a, int b) { return before(b, a); });
    return order;
}

} // namespace

PreviewModel::PreviewModel(QObject *parent)
    : QAbstractTableModel(parent), m_jobs(std::make_shared<Jobs>())
{
    m_jobs->model = this;
}

PreviewModel::~PreviewModel()
{
    Jobs &jobs = *m_jobs;
    const QMutexLocker lock(&jobs.mutex);
    jobs.model = nullptr;
    jobs.latest.store(0);
}

void PreviewModel::setPreview(const PlanPreview &preview)
{
    beginResetModel();
    PlanPreview old = std::exchange(m_preview, preview);
    // Freeing a plan of a hundred thousand files holds the window for tens
    // of milliseconds: a pool thread lets it go instead.
    if (old.rows.size() >= rowsFreedAside)
        QThreadPool::globalInstance()->start([old = std::move(old)]() mutable { old = {}; });
    m_notes.setRows(&m_preview.rows);
    std::optional<QVector<int>> order = requestOrder();
    m_order = order ? std::move(*order) : planOrder(m_preview.rows.size());
    endResetModel();
    setSorting(!order);
}

int PreviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int PreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString PreviewModel::textAt(int planRow, int column) const
{
    return cellTextOf(m_preview.rows, m_notes, planRow, column);
}

QVariant PreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_order.size())
        return QVariant();
    const int planRow = m_order.at(index.row());
    const PlannedRename &row = m_preview.rows.at(planRow);
    if (role == Qt::FontRole && index.column() == NewNameColumn && row.willMove()) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::EditRole && index.column() == NewNameColumn)
        return textAt(planRow, NewNameColumn);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    return textAt(planRow, index.column());
}

Qt::ItemFlags PreviewModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (m_editable && index.column() == NewNameColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool PreviewModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editable || role != Qt::EditRole || index.column() != NewNameColumn
        || index.row() >= m_order.size())
        return false;
    const QString typed = value.toString();
    if (typed == data(index, Qt::EditRole).toString())
        return false;
    // The row shows the name once the plan made with it comes back.
    emit newNameTyped(plannedAt(index.row()).sourcePath(), typed);
    return true;
}

void PreviewModel::sort(int column, Qt::SortOrder order)
{
    if (column >= ColumnCount)
        return;
    m_sortColumn = qMax(column, -1);
    m_sortOrder = order;
    std::optional<QVector<int>> rows = requestOrder();
    if (rows)
        applyOrder(std::move(*rows));
    setSorting(!rows);
}

std::optional<QVector<int>> PreviewModel::requestOrder()
{
    const quint64 generation = ++m_generation;
    m_jobs->latest = generation;
    if (m_sortColumn < 0)
        return planOrder(m_preview.rows.size()); // the plan's order
    if (m_preview.rows.size() < m_asyncThreshold)
        return orderedRows(m_preview.rows, m_sortColumn, m_sortOrder, m_jobs->latest, generation);
    // The thread gets its own reference to the rows: the model may take
    // another plan, or go, before it ends.
    QThreadPool::globalInstance()->start([jobs = m_jobs, rows = m_preview.rows,
                                          column = m_sortColumn, sortOrder = m_sortOrder,
                                          generation]() mutable {
        const std::optional<QVector<int>> order =
            orderedRows(rows, column, sortOrder, jobs->latest, generation);
        // A plan replaced meanwhile is freed here, not in the window's thread.
        rows = {};
        const QMutexLocker lock(&jobs->mutex);
        if (!order || !jobs->model || jobs->latest != generation)
            return;
        PreviewModel *model = jobs->model;
        QMetaObject::invokeMethod(
            model, [model, generation, rows = *order] { model->takeOrder(generation, rows); },
            Qt::QueuedConnection);
    });
    return std::nullopt;
}

void PreviewModel::takeOrder(quint64 generation, const QVector<int> &order)
{
    if (generation != m_generation || order.size() != m_order.size())
        return; // a newer plan or sort has been asked for since
    applyOrder(order);
    setSorting(false);
}

void PreviewModel::applyOrder(QVector<int> order)
{
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QVector<int> planRows;
    planRows.reserve(before.size());
    for (const QModelIndex &index : before)
        planRows.append(m_order.at(index.row()));
    m_order = std::move(order);
    if (!before.isEmpty()) {
        QVector<int> rowOf(m_order.size());
        for (int row = 0; row < m_order.size(); ++row)
            rowOf[m_order.at(row)] = row;
        QModelIndexList after;
        after.reserve(before.size());
        for (int i = 0; i < before.size(); ++i)
            after.append(index(rowOf.at(planRows.at(i)), before.at(i).column()));
        changePersistentIndexList(before, after);
    }
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PreviewModel::setSorting(bool sorting)
{
    if (sorting == m_sorting)
        return;
    m_sorting = sorting;
    emit sortingChanged(sorting);
}

QVariant PreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case OldNameColumn:
        return tr("Old name");
    case NewNameColumn:
        return tr("New name");
    case NoteColumn:
        return tr("Note");
    case FolderColumn:
        return tr("Folder");
    }
    return QVariant();
}

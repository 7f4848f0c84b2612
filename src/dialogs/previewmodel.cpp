#include "previewmodel.h"

#include <QCollator>
#include <QDir>
#include <QFont>
#include <QThreadPool>

#include <algorithm>
#include <numeric>
#include <utility>

namespace {

const qsizetype rowsFreedAside = 10000;

} // namespace

PreviewModel::PreviewModel(QObject *parent) : QAbstractTableModel(parent) {}

void PreviewModel::setPreview(const PlanPreview &preview)
{
    beginResetModel();
    PlanPreview old = std::exchange(m_preview, preview);
    // Freeing a plan of a hundred thousand files holds the window for tens
    // of milliseconds: a pool thread lets it go instead.
    if (old.rows.size() >= rowsFreedAside)
        QThreadPool::globalInstance()->start([old = std::move(old)]() mutable { old = {}; });
    m_notes.setRows(&m_preview.rows);
    m_order.resize(m_preview.rows.size());
    applyOrder();
    endResetModel();
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
    const PlannedRename &row = m_preview.rows.at(planRow);
    switch (column) {
    case OldNameColumn:
        return row.oldName;
    case NewNameColumn:
        return row.willMove() ? row.newName : row.oldName;
    case NoteColumn:
        return m_notes.text(planRow);
    case FolderColumn:
        return QDir::toNativeSeparators(row.folder);
    }
    return QString();
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
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    QVector<int> planRows;
    planRows.reserve(before.size());
    for (const QModelIndex &index : before)
        planRows.append(m_order.at(index.row()));
    applyOrder();
    QVector<int> rowOf(m_order.size());
    for (int row = 0; row < m_order.size(); ++row)
        rowOf[m_order.at(row)] = row;
    QModelIndexList after;
    after.reserve(before.size());
    for (int i = 0; i < before.size(); ++i)
        after.append(index(rowOf.at(planRows.at(i)), before.at(i).column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void PreviewModel::applyOrder()
{
    std::iota(m_order.begin(), m_order.end(), 0);
    if (m_sortColumn < 0)
        return; // the plan's order
    // One collation key per row, made once: comparing keys is a byte compare,
    // where comparing the texts would collate both at every step. Numeric
    // mode puts "img2" before "img10", as a file manager does.
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(m_preview.rows.size()));
    for (int row = 0; row < int(m_preview.rows.size()); ++row)
        keys.push_back(collator.sortKey(textAt(row, m_sortColumn)));
    // Stable: rows of the same key keep the plan's order.
    if (m_sortOrder == Qt::AscendingOrder)
        std::stable_sort(m_order.begin(), m_order.end(), [&keys](int a, int b) {
            return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
        });
    else
        std::stable_sort(m_order.begin(), m_order.end(), [&keys](int a, int b) {
            return keys[size_t(b)].compare(keys[size_t(a)]) < 0;
        });
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

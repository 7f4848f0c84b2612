#include "inputlistmodel.h"

namespace {

// Beyond this many runs of neighbouring rows, one pass over the whole list
// and a reset beat a removal per run.
const qsizetype maxRunsRemovedOneByOne = 32;

} // namespace

InputListModel::InputListModel(QObject *parent) : QAbstractListModel(parent) {}

int InputListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(pathRows.size());
}

QVariant InputListModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return QVariant();
    return pathRows.at(index.row());
}

Qt::ItemFlags InputListModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

const QStringList &InputListModel::paths() const
{
    return pathRows;
}

void InputListModel::appendPaths(const QStringList &newPaths)
{
    if (newPaths.isEmpty())
        return;
    const int first = int(pathRows.size());
    beginInsertRows(QModelIndex(), first, first + int(newPaths.size()) - 1);
    pathRows.append(newPaths);
    endInsertRows();
}

void InputListModel::setPaths(const QStringList &newPaths)
{
    beginResetModel();
    pathRows = newPaths;
    endResetModel();
}

void InputListModel::removeSortedRows(const QList<int> &rows)
{
    if (rows.isEmpty())
        return;
    qsizetype runs = 1;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        if (rows[i] != rows[i - 1] + 1)
            ++runs;
    }
    if (runs <= maxRunsRemovedOneByOne) {
        // From the bottom up, so that no row number shifts.
        qsizetype end = rows.size();
        while (end > 0) {
            qsizetype begin = end - 1;
            while (begin > 0 && rows[begin - 1] == rows[begin] - 1)
                --begin;
            beginRemoveRows(QModelIndex(), rows[begin], rows[end - 1]);
            pathRows.remove(rows[begin], end - begin);
            endRemoveRows();
            end = begin;
        }
        return;
    }
    QStringList kept;
    kept.reserve(pathRows.size() - rows.size());
    qsizetype next = 0;
    for (qsizetype row = 0; row < pathRows.size(); ++row) {
        if (next < rows.size() && rows[next] == row)
            ++next;
        else
            kept.append(pathRows.at(row));
    }
    setPaths(kept);
}

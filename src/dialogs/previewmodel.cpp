#include "previewmodel.h"

#include <QDir>
#include <QFont>

namespace {

const int slice = 2000;

enum Column { FolderColumn, OldNameColumn, NewNameColumn, NoteColumn, ColumnCount };

} // namespace

PreviewModel::PreviewModel(QObject *parent) : QAbstractTableModel(parent) {}

void PreviewModel::setPreview(const PlanPreview &preview)
{
    beginResetModel();
    m_preview = preview;
    m_shown = int(qMin<qsizetype>(slice, m_preview.rows.size()));
    endResetModel();
}

int PreviewModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int PreviewModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

bool PreviewModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_shown < m_preview.rows.size();
}

void PreviewModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    const int more = int(qMin<qsizetype>(slice, m_preview.rows.size() - m_shown));
    beginInsertRows(QModelIndex(), m_shown, m_shown + more - 1);
    m_shown += more;
    endInsertRows();
}

QString PreviewModel::noteText(const PlannedRename &row)
{
    switch (row.note) {
    case PlannedRename::Note::None:
        return QString();
    case PlannedRename::Note::SuffixNotSelected:
        return tr("stays: its suffix is not selected");
    case PlannedRename::Note::NoMatch:
        return tr("stays: nothing to replace in its name");
    case PlannedRename::Note::InvalidName:
    case PlannedRename::Note::MissingField:
        return PlannedRename::refusalText(row);
    case PlannedRename::Note::NameShared:
        return tr("stays: another file gets the same new name");
    case PlannedRename::Note::NameKept:
        return tr("stays: a file that keeps its name holds the new one");
    case PlannedRename::Note::NameTaken:
        return tr("stays: its new name is taken by a file outside the request");
    case PlannedRename::Note::ReplacesFile:
        return tr("replaces the file of that name, which goes to the trash");
    case PlannedRename::Note::DeletesFile:
        return tr("replaces the file of that name, which is deleted for good (this volume has no "
                  "trash)");
    }
    return QString();
}

QVariant PreviewModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_shown)
        return QVariant();
    const PlannedRename &row = m_preview.rows.at(index.row());
    const bool stays = !row.willMove();
    if (role == Qt::FontRole && index.column() == NewNameColumn && !stays) {
        QFont bold;
        bold.setBold(true);
        return bold;
    }
    if (role == Qt::EditRole && index.column() == NewNameColumn)
        return stays ? row.oldName : row.newName;
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return QVariant();
    switch (index.column()) {
    case FolderColumn:
        return QDir::toNativeSeparators(row.folder);
    case OldNameColumn:
        return row.oldName;
    case NewNameColumn:
        return stays ? row.oldName : row.newName;
    case NoteColumn:
        return noteText(row);
    }
    return QVariant();
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
        || index.row() >= m_preview.rows.size())
        return false;
    const PlannedRename &row = m_preview.rows.at(index.row());
    const QString typed = value.toString();
    if (typed == data(index, Qt::EditRole).toString())
        return false;
    // The row shows the name once the plan made with it comes back.
    emit newNameTyped(row.sourcePath(), typed);
    return true;
}

QVariant PreviewModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case FolderColumn:
        return tr("Folder");
    case OldNameColumn:
        return tr("Old name");
    case NewNameColumn:
        return tr("New name");
    case NoteColumn:
        return tr("Note");
    }
    return QVariant();
}

#ifndef INPUTLISTMODEL_H
#define INPUTLISTMODEL_H

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

// The input list as the list view shows it: one path per row, read only.
// Lighter than an item model of one object per row, so a drop of a hundred
// thousand paths costs little more than the list itself. GUI thread only.
class InputListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit InputListModel(QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    const QStringList &paths() const;
    void appendPaths(const QStringList &paths);
    void reserve(qsizetype rows) { pathRows.reserve(rows); }
    void setPaths(const QStringList &paths);
    // Rows ascending, each once.
    void removeSortedRows(const QList<int> &rows);

private:
    QStringList pathRows;
};

#endif // INPUTLISTMODEL_H

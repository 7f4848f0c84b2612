#ifndef PREVIEWMODEL_H
#define PREVIEWMODEL_H

#include "planner.h"

#include <QAbstractTableModel>

// The rows of a preview: folder, old name, new name and a note, one per file
// a run would touch. Hands its rows to a view a slice at a time, so that
// 100,000 of them show at once and scroll without a pause.
class PreviewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit PreviewModel(QObject *parent);

    void setPreview(const PlanPreview &preview);
    const PlanPreview &preview() const { return m_preview; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    static QString noteText(const PlannedRename &row);

private:
    PlanPreview m_preview;
    int m_shown = 0;
};

#endif // PREVIEWMODEL_H

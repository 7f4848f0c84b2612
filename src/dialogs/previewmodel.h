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
    // With editable, a new name can be typed; the model only passes it on
    // (newNameTyped), for the plan to take it.
    void setEditable(bool editable) { m_editable = editable; }
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    static QString noteText(const PlannedRename &row);

signals:
    void newNameTyped(const QString &path, const QString &newName);

private:
    PlanPreview m_preview;
    int m_shown = 0;
    bool m_editable = false;
};

#endif // PREVIEWMODEL_H

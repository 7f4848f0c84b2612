#ifndef PREVIEWMODEL_H
#define PREVIEWMODEL_H

#include "batchnotes.h"
#include "planner.h"

#include <QAbstractTableModel>
#include <QVector>

#include <memory>
#include <optional>

// The rows of a preview: old name, new name, a note and the folder, one per
// file a run would touch. Every row is there at once; sort() orders them
// through a list of row numbers, so the plan itself is never copied or moved.
// A large plan is ordered on a pool thread: until its order comes (see
// isSorting), the rows keep the order they had, or the plan's for a new plan,
// and the model stays usable; an order asked for since, or a new plan, wins
// over one under way. GUI thread.
class PreviewModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { OldNameColumn, NewNameColumn, NoteColumn, FolderColumn, ColumnCount };

    explicit PreviewModel(QObject *parent);
    ~PreviewModel() override;

    // Keeps the order last asked of sort().
    void setPreview(const PlanPreview &preview);
    const PlanPreview &preview() const { return m_preview; }
    // The plan's row shown at a row of the model.
    const PlannedRename &plannedAt(int row) const { return m_preview.rows.at(m_order.at(row)); }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    // With editable, a new name can be typed; the model only passes it on
    // (newNameTyped), for the plan to take it.
    void setEditable(bool editable) { m_editable = editable; }
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Plans of at least this many rows are ordered on a pool thread.
    void setAsyncSortThreshold(int rows) { m_asyncThreshold = rows; }
    // An order is being made on a pool thread.
    bool isSorting() const { return m_sorting; }

    // The text of a cell at a row of the model, as shown.
    QString cellText(int row, int column) const { return textAt(m_order.at(row), column); }

signals:
    void newNameTyped(const QString &path, const QString &newName);
    void sortingChanged(bool sorting);

private:
    struct Jobs;

    // The order for the sort asked last: at once, or nothing when a pool
    // thread makes it (takeOrder). Any order under way is stale from here.
    std::optional<QVector<int>> requestOrder();
    void takeOrder(quint64 generation, const QVector<int> &order);
    // Moves the rows, and the indexes kept on them, to order.
    void applyOrder(QVector<int> order);
    void setSorting(bool sorting);
    QString textAt(int planRow, int column) const;

    std::shared_ptr<Jobs> m_jobs;
    quint64 m_generation = 0;
    int m_asyncThreshold = 20000;
    bool m_sorting = false;
    PlanPreview m_preview;
    BatchNotes m_notes{&m_preview.rows};
    QVector<int> m_order; // model row -> plan row
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_editable = false;
};

#endif // PREVIEWMODEL_H

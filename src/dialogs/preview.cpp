#include "preview.h"

#include "previewmodel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

Preview::Preview(QWidget *parent)
    : QDialog(parent), labelPreviewSummary(new QLabel(this)), tablePreview(new QTableView(this)),
      model(new PreviewModel(this))
{
    setObjectName(QStringLiteral("Preview"));
    labelPreviewSummary->setObjectName(QStringLiteral("labelPreviewSummary"));
    tablePreview->setObjectName(QStringLiteral("tablePreview"));
    tablePreview->setModel(model);
    tablePreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tablePreview->setSelectionBehavior(QAbstractItemView::SelectRows);
    tablePreview->setAlternatingRowColors(true);
    tablePreview->setWordWrap(false);
    // Fixed row heights and column widths cost nothing however many rows
    // there are; measuring contents would read every row.
    tablePreview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tablePreview->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tablePreview->verticalHeader()->hide();
    tablePreview->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    tablePreview->horizontalHeader()->setStretchLastSection(true);
    tablePreview->setColumnWidth(0, 260);
    tablePreview->setColumnWidth(1, 180);
    tablePreview->setColumnWidth(2, 180);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labelPreviewSummary);
    layout->addWidget(tablePreview);
    layout->addWidget(buttons);
    resize(820, 480);
}

void Preview::showPlanning()
{
    model->setPreview(PlanPreview());
    labelPreviewSummary->setText(tr("Looking at the files…"));
}

void Preview::showPlan(const PlanPreview &preview)
{
    model->setPreview(preview);
    const qsizetype stay = preview.rows.size() - preview.changes;
    labelPreviewSummary->setText((preview.replacing
                                      ? tr("%1 files will get a new name, %2 stay as they are.")
                                      : tr("%1 files will be renamed, %2 stay as they are."))
                                     .arg(preview.changes)
                                     .arg(stay));
}

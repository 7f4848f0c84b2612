#include "preview.h"

#include "previewmodel.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
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
    // The note says in a sentence why a file stays: it gets the room left.
    tablePreview->setColumnWidth(0, 220);
    tablePreview->setColumnWidth(1, 180);
    tablePreview->setColumnWidth(2, 180);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labelPreviewSummary);
    layout->addWidget(tablePreview);
    layout->addWidget(buttons);
    resize(1120, 500);
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
                                     .arg(QLocale().toString(qlonglong(preview.changes)))
                                     .arg(stay));
}

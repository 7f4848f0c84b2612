#include "preview.h"

#include "previewmodel.h"

#include <QDialogButtonBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <array>

namespace {

// Rows measured to size the columns: spread over the whole plan, so a long
// name at its end counts as much as one at its start.
const int measuredRows = 400;

} // namespace

Preview::Preview(QWidget *parent)
    : QDialog(parent), labelPreviewSummary(new QLabel(this)), tablePreview(new QTableView(this)),
      pushPreviewRename(nullptr), model(new PreviewModel(this))
{
    setObjectName(QStringLiteral("Preview"));
    labelPreviewSummary->setObjectName(QStringLiteral("labelPreviewSummary"));
    tablePreview->setObjectName(QStringLiteral("tablePreview"));
    tablePreview->setModel(model);
    tablePreview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tablePreview->setSelectionBehavior(QAbstractItemView::SelectRows);
    tablePreview->setAlternatingRowColors(true);
    tablePreview->setWordWrap(false);
    // Fixed row heights cost nothing however many rows there are; measuring
    // contents would read every row.
    tablePreview->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tablePreview->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tablePreview->verticalHeader()->hide();
    tablePreview->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    tablePreview->horizontalHeader()->setStretchLastSection(true);
    // The plan's order until a header is clicked.
    tablePreview->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tablePreview->setSortingEnabled(true);
    // A large plan is sorted aside while the table stays in use; the pointer
    // tells the order is on its way.
    connect(model, &PreviewModel::sortingChanged, tablePreview, [this](bool sorting) {
        if (sorting) {
            tablePreview->viewport()->setCursor(Qt::BusyCursor);
            return;
        }
        tablePreview->viewport()->unsetCursor();
        setFirstRowCurrent();
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    pushPreviewRename = buttons->addButton(tr("Rename"), QDialogButtonBox::ApplyRole);
    pushPreviewRename->setObjectName(QStringLiteral("pushPreviewRename"));
    pushPreviewRename->setEnabled(false);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(pushPreviewRename, &QPushButton::clicked, this, [this] {
        if (pushPreviewRename->isEnabled())
            emit renameRequested(model->preview());
    });
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(labelPreviewSummary);
    layout->addWidget(tablePreview);
    layout->addWidget(buttons);
    resize(1120, 500);
}

void Preview::showPlanning()
{
    planning = true;
    outdated = false;
    model->setPreview(PlanPreview());
    labelPreviewSummary->setText(tr("Looking at the files…"));
    updateRenameState();
}

void Preview::showPlan(const PlanPreview &preview)
{
    planning = false;
    model->setPreview(preview);
    fitColumns();
    // The first row in the order asked for: a plan being sorted gets it
    // when its order comes.
    if (!model->isSorting())
        setFirstRowCurrent();
    const QLocale locale;
    labelPreviewSummary->setText(
        tr("Files to rename: %1. Files that keep their name: %2.")
            .arg(locale.toString(qlonglong(preview.changes)),
                 locale.toString(qlonglong(preview.rows.size() - preview.changes))));
    updateRenameState();
}

void Preview::setFirstRowCurrent()
{
    // Without a current row the keys that move it (Ctrl+End) would only
    // find the first one.
    if (model->rowCount() > 0 && !tablePreview->currentIndex().isValid())
        tablePreview->selectionModel()->setCurrentIndex(model->index(0, 0),
                                                        QItemSelectionModel::NoUpdate);
}

void Preview::setBlocked(bool blocked)
{
    this->blocked = blocked;
    updateRenameState();
}

void Preview::setPlanOutdated()
{
    if (outdated || planning || model->rowCount() == 0)
        return;
    outdated = true;
    labelPreviewSummary->setText(labelPreviewSummary->text() + QLatin1Char(' ')
                                 + tr("Files were renamed since: preview again to rename from "
                                      "here."));
    updateRenameState();
}

void Preview::updateRenameState()
{
    const PlanPreview &shown = model->preview();
    pushPreviewRename->setEnabled(!planning && !blocked && !outdated && shown.changes > 0
                                  && shown.problem.isEmpty() && !shown.cancelled);
}

void Preview::fitColumns()
{
    const int rows = model->rowCount();
    if (rows == 0)
        return;
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics plain(font());
    const QFontMetrics strong(bold);
    const int padding = 2 * plain.averageCharWidth() + 8;
    QHeaderView *header = tablePreview->horizontalHeader();
    const auto fit = [&](int column, const QFontMetrics &metrics, int step, int widest) {
        int width = header->sectionSizeHint(column);
        for (int row = 0; row < rows; row += step)
            width = qMax(width, metrics.horizontalAdvance(model->cellText(row, column)) + padding);
        tablePreview->setColumnWidth(column, qMin(width, widest));
    };
    // The names are sized from a sample and never crowd the rest out.
    const int step = qMax(1, rows / measuredRows);
    fit(PreviewModel::OldNameColumn, plain, step, qMax(160, width() / 3));
    fit(PreviewModel::NewNameColumn, strong, step, qMax(160, width() / 3));

    // A note must show in full, and one that stays may be rare: every row
    // is looked at, but a sentence is built only when its kind of note meets
    // longer names than before, so that a plan with every file in conflict
    // does not word a hundred thousand notes. A refusal's sentence depends on
    // its problem, so each problem counts as a kind.
    const int kinds = int(PlannedRename::Note::DeletesFile) + 1;
    std::array<int, kinds + int(NameProblem::ReservedName) + 1> longestNames;
    longestNames.fill(-1);
    int noteWidth = header->sectionSizeHint(PreviewModel::NoteColumn);
    for (int row = 0; row < rows; ++row) {
        const PlannedRename &planned = model->plannedAt(row);
        if (planned.note == PlannedRename::Note::None)
            continue;
        const int kind = planned.note == PlannedRename::Note::InvalidName
                             ? kinds + int(planned.refusal.problem)
                             : int(planned.note);
        const int names =
            int(planned.oldName.size() + planned.newName.size() + planned.missingField().size());
        if (names <= longestNames[size_t(kind)])
            continue;
        longestNames[size_t(kind)] = names;
        noteWidth =
            qMax(noteWidth,
                 plain.horizontalAdvance(model->cellText(row, PreviewModel::NoteColumn)) + padding);
    }
    tablePreview->setColumnWidth(PreviewModel::NoteColumn, noteWidth);
}

#ifndef PREVIEW_H
#define PREVIEW_H

#include "planner.h"

#include <QDialog>

class PreviewModel;
class QLabel;
class QPushButton;
class QTableView;

// The window that shows what a rename or replace would do with the current
// options, file by file, before anything happens, and can start that very
// plan. It never asks or runs anything itself: its Rename button emits
// renameRequested() with the plan shown. GUI thread.
class Preview : public QDialog
{
    Q_OBJECT

public:
    explicit Preview(QWidget *parent);

    void showPlanning();
    void showPlan(const PlanPreview &preview);
    // While files change, the plan shown may no longer hold: no run starts.
    void setBlocked(bool blocked);
    // Files were renamed since the plan was made: it is shown, never run.
    void setPlanOutdated();

signals:
    void renameRequested(const PlanPreview &shown);

private:
    void updateRenameState();
    void fitColumns();
    void setFirstRowCurrent();

    QLabel *labelPreviewSummary;
    QTableView *tablePreview;
    QPushButton *pushPreviewRename;
    PreviewModel *model;
    bool planning = false;
    bool blocked = false;
    bool outdated = false;
};

#endif // PREVIEW_H

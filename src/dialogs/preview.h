#ifndef PREVIEW_H
#define PREVIEW_H

#include "planner.h"

#include <QDialog>

class PreviewModel;
class QLabel;
class QTableView;

// The window that shows what a rename or replace would do with the current
// options, file by file, before anything happens. It only shows: the plan
// comes from the Planner.
class Preview : public QDialog
{
    Q_OBJECT

public:
    explicit Preview(QWidget *parent);

    void showPlanning();
    void showPlan(const PlanPreview &preview);

private:
    QLabel *labelPreviewSummary;
    QTableView *tablePreview;
    PreviewModel *model;
};

#endif // PREVIEW_H

#ifndef PLANREVIEW_H
#define PLANREVIEW_H

#include "planner.h"

#include <QObject>
#include <QString>

class Preview;
class QWidget;

// Shows what a run will do before it runs: the preview window on request,
// and the rename confirmation with the new names in its details. Plans on the
// Planner's thread, so a large folder never freezes the window. GUI thread.
class PlanReview : public QObject
{
    Q_OBJECT

public:
    explicit PlanReview(QWidget *window);

    bool isPlanning() const { return planning; }
    Preview *previewWindow() const { return preview; }

    // question is the one asked when the preview's Rename button is
    // pressed; a replace that deletes files for good asks about them instead.
    void showPreview(const PlanRequest &request, const QString &question);
    // No run starts from the preview while blocked, nor ever from a plan
    // made before files changed.
    void setBlocked(bool blocked, bool filesChanging);
    // Asks the question with the plan's changes as details; emits
    // renameConfirmed() with the plan shown when the user agrees.
    void confirmRename(const PlanRequest &request, const QString &question);

    // A replace that would delete files for good (their volume has no
    // trash) asks first; emits replaceConfirmed() with the plan when the user
    // agrees or when nothing is deleted for good.
    void confirmReplace(const PlanRequest &request);

    // The one question before a rename: true when the user agrees. The
    // details list the plan's first changes.
    static bool askToRename(QWidget *window, const QString &question, const PlanPreview &plan);

signals:
    void renameConfirmed(const BatchPlan &plan);
    void replaceConfirmed(const BatchPlan &plan);
    // The plan shown in the preview, confirmed, with the request it was made
    // from: the run takes both, whatever the options say now.
    void previewConfirmed(const PlanRequest &request, const BatchPlan &plan);
    void planningChanged(bool planning);

private:
    enum class Purpose { ShowPreview, Confirm, ConfirmDeletions };

    // Asks before a replace that deletes files for good; true when nothing
    // is deleted so or when the user agrees.
    bool askAboutDeletions(const PlanPreview &plan);
    void confirmShown(const PlanPreview &shown);

    void plan(const PlanRequest &request, Purpose purpose);
    void planned(const PlanPreview &plan);

    QWidget *window;
    Planner *planner;
    Preview *preview;
    Purpose purpose = Purpose::ShowPreview;
    QString question;
    PlanRequest requested; // of the plan being made
    PlanRequest shownRequest;
    QString shownQuestion;
    bool planning = false;
};

#endif // PLANREVIEW_H

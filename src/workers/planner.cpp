#include "planner.h"

#include "filemoves.h"
#include "replaceplan.h"

#include <QHash>
#include <QSet>

Planner::Planner(QObject *parent) : QThread(parent)
{
    qRegisterMetaType<PlanPreview>();
}

Planner::~Planner()
{
    wait();
}

void Planner::setRequest(const PlanRequest &request)
{
    this->request = request;
}

void Planner::run()
{
    const BatchPlan plan =
        request.replacing ? ReplacePlan::make(
            request.pathList, ReplaceRule::make(request.replaceIn, request.replaceOut,
                                                request.regExp, request.suffix))
                          : RenamePlan::make(request.pathList, request.rename);
    PlanPreview preview;
    preview.replacing = request.replacing;
    preview.rows = plan.renames();

    // A new name is free when no file bears it, or when the file that does
    // moves away in the same run.
    QSet<QString> leaving;
    for (const PlannedRename &row : std::as_const(preview.rows)) {
        if (row.changesName())
            leaving.insert(row.sourcePath());
    }
    QSet<QString> inRequest;
    for (const PlannedRename &row : std::as_const(preview.rows))
        inRequest.insert(row.sourcePath());
    for (PlannedRename &row : preview.rows) {
        if (!row.changesName())
            continue;
        const QString target = row.targetPath();
        if (leaving.contains(target) || !pathExists(target)) {
            ++preview.changes;
            continue;
        }
        if (request.replaceExisting && request.replacing && !inRequest.contains(target)) {
            row.note = PlannedRename::Note::ReplacesFile;
            ++preview.changes;
        } else {
            row.note = PlannedRename::Note::NameTaken;
        }
    }
    emit planned(preview);
}

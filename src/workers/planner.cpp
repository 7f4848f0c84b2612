#include "planner.h"

#include "replaceplan.h"
#include "ruleplan.h"

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
    RulePlanOptions options;
    options.recursive = request.recursive;
    const BatchPlan plan =
        request.applyingRules ? RulePlan::make(request.pathList, request.rules, options)
        : request.replacing
            ? ReplacePlan::make(request.pathList,
                                ReplaceRequest::make(request.replaceIn, request.replaceOut,
                                                     request.regExp, request.suffix),
                                request.recursive)
            : RenamePlan::make(request.pathList, request.rename);
    PlanPreview preview;
    preview.replacing = request.replacing;
    preview.plan = plan;
    preview.rows = plan.renames();

    preview.changes =
        BatchPlan::foreseeConflicts(preview.rows, request.replacing && request.replaceExisting);
    emit planned(preview);
}

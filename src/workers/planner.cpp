#include "planner.h"

#include "replaceplan.h"

#include "ruleplan.h"
#include <QFileInfo>

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

namespace {

qint64 folderStamp(const FileGroup &group)
{
    const QString &folder =
        group.kind == FileGroup::Directory ? group.directoryEntry : group.folderPrefix;
    const QFileInfo info(folder);
    // A folder changes when a name in it is added, removed or renamed.
    return info.exists() ? info.lastModified().toMSecsSinceEpoch() : -1;
}

} // namespace

const GroupList &Planner::listingFor(const PlanRequest &request)
{
    const ListingOrder order = RulePlan::listingOrder(request.rules);
    bool current = listing.pathList == request.pathList && listing.order == order
                   && listing.recursive == request.recursive
                   && listing.folderStamps.size() == listing.groups.size();
    for (qsizetype i = 0; current && i < listing.groups.size(); ++i)
        current = listing.folderStamps[i] == folderStamp(listing.groups[i]);
    if (!current) {
        RulePlanOptions options;
        options.recursive = request.recursive;
        listing.pathList = request.pathList;
        listing.order = order;
        listing.recursive = request.recursive;
        listing.folderStamps.clear();
        listing.groups = RulePlan::listInput(request.pathList, request.rules, options);
        for (const FileGroup &group : std::as_const(listing.groups))
            listing.folderStamps.append(folderStamp(group));
    }
    return listing.groups;
}

void Planner::run()
{
    RulePlanOptions options;
    options.recursive = request.recursive;
    const BatchPlan plan =
        request.applyingRules ? RulePlan::make(listingFor(request), request.rules, options)
        : request.replacing
            ? ReplacePlan::make(request.pathList,
                                ReplaceRequest::make(request.replaceIn, request.replaceOut,
                                                     request.regExp, request.suffix),
                                request.recursive)
            : RenamePlan::make(request.pathList, request.rename);
    PlanPreview preview;
    if (request.applyingRules)
        preview.problem = RulePlan::problem(listingFor(request), request.rules);
    preview.replacing = request.replacing;
    preview.plan = plan;
    preview.rows = plan.renames();

    preview.changes =
        BatchPlan::foreseeConflicts(preview.rows, request.replacing && request.replaceExisting);
    emit planned(preview);
}

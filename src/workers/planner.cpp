#include "planner.h"

#include "replaceplan.h"

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

RulePlanOptions Planner::rulePlanOptions()
{
    RulePlanOptions options;
    options.recursive = request.recursive;
    options.cancel = &readingCancelled;
    options.progress = [this](qsizetype done, qsizetype total) {
        emit readingMetadata(done, total);
    };
    return options;
}

const GroupList *Planner::listingFor(const PlanRequest &request)
{
    const ListingOrder order = RulePlan::listingOrder(request.rules);
    bool current = listing.pathList == request.pathList && listing.order == order
                   && listing.recursive == request.recursive
                   && listing.folderStamps.size() == listing.groups.size();
    for (qsizetype i = 0; current && i < listing.groups.size(); ++i)
        current = listing.folderStamps[i] == folderStamp(listing.groups[i]);
    const RulePlanOptions options = rulePlanOptions();
    if (!current) {
        listing = Listing();
        GroupList groups = RulePlan::listInput(request.pathList, request.rules, options);
        if (readingCancelled)
            return nullptr;
        listing.pathList = request.pathList;
        listing.order = order;
        listing.recursive = request.recursive;
        listing.groups = std::move(groups);
        listing.metadataRead = request.rules.readsMetadata();
        for (const FileGroup &group : std::as_const(listing.groups))
            listing.folderStamps.append(folderStamp(group));
    } else if (!listing.metadataRead && request.rules.readsMetadata()) {
        // A rule reads metadata now: all of it at once, where the reading
        // can be followed and stopped, rather than file by file.
        if (!RulePlan::readMetadata(listing.groups, request.rules, options))
            return nullptr;
        listing.metadataRead = true;
    }
    return &listing.groups;
}

void Planner::run()
{
    readingCancelled = false;
    PlanPreview preview;
    preview.replacing = request.replacing;
    BatchPlan plan;
    if (request.applyingRules) {
        const GroupList *groups = listingFor(request);
        if (!groups) {
            preview.cancelled = true;
            emit planned(preview);
            return;
        }
        plan = RulePlan::make(*groups, request.rules, rulePlanOptions());
        preview.problem = RulePlan::problem(*groups, request.rules);
    } else if (request.replacing) {
        plan = ReplacePlan::make(request.pathList,
                                 ReplaceRequest::make(request.replaceIn, request.replaceOut,
                                                      request.regExp, request.suffix),
                                 request.recursive);
    } else {
        plan = RenamePlan::make(request.pathList, request.rename);
    }
    preview.plan = plan;
    preview.rows = plan.renames();
    preview.changes =
        BatchPlan::foreseeConflicts(preview.rows, request.replacing && request.replaceExisting);
    emit planned(preview);
}

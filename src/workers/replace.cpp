#include "replace.h"

#include "batchnotes.h"
#include "replaceplan.h"

Replace::Replace(QObject *parent) : BatchWorker(parent) {}

void Replace::setParameters(const QStringList &pathList, const QString &replaceIn,
                            const QString &replaceOut, bool replaceRegExp, bool replaceSuffix,
                            bool replaceDeleteIfExists, bool keepListView)
{
    this->pathList = pathList;
    this->replaceIn = replaceIn;
    this->replaceOut = replaceOut;
    this->replaceRegExp = replaceRegExp;
    this->replaceSuffix = replaceSuffix;
    this->replaceDeleteIfExists = replaceDeleteIfExists;
    this->keepListView = keepListView;
    confirmedPlan.reset();
}

void Replace::setPlan(const BatchPlan &plan)
{
    confirmedPlan = plan;
}

void Replace::run()
{
    const ReplaceRequest request =
        ReplaceRequest::make(replaceIn, replaceOut, replaceRegExp, replaceSuffix);
    const BatchPlan plan =
        confirmedPlan ? *confirmedPlan : ReplacePlan::make(pathList, request, recursive);
    confirmedPlan.reset();
    const BatchRun::Result result =
        carryOut(plan.renames(), Journal::Kind::Replace, replaceDeleteIfExists,
                 ReplacePlan::stackOf(request).toJson(true));
    if (!result.ran())
        return;
    const BatchOutcome &outcome = result.outcome;

    reportFailures(outcome, QString(), [&plan](const FileFailure &failure) {
        return BatchNotes::replaceFailureLine(plan.renames().at(failure.index).oldName, failure);
    });
    if (!keepListView)
        emit refreshListView(plan.refreshList(outcome.finalNames));
}

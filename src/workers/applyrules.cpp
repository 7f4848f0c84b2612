#include "applyrules.h"

#include "ruleplan.h"

ApplyRules::ApplyRules(QObject *parent) : BatchWorker(parent) {}

void ApplyRules::setRequest(const QStringList &pathList, const RuleStack &stack, bool recursive)
{
    this->pathList = pathList;
    this->stack = stack;
    this->recursive = recursive;
    confirmedPlan.reset();
}

void ApplyRules::setPlan(const BatchPlan &plan)
{
    confirmedPlan = plan;
}

void ApplyRules::run()
{
    RulePlanOptions options;
    options.recursive = recursive;
    const BatchPlan plan =
        confirmedPlan ? *confirmedPlan : RulePlan::make(pathList, stack, options);
    confirmedPlan.reset();
    const BatchRun::Result result =
        carryOut(plan.renames(), Journal::Kind::Rules, false, stack.toJson(true));
    if (!result.ran())
        return;
    const BatchOutcome &outcome = result.outcome;
    emit refreshListView(plan.refreshList(outcome.finalNames));
    reportRenameFailures(outcome);
}

#include "rename.h"

#include "renameplan.h"
#include "rulestack.h"

Rename::Rename(QObject *parent) : BatchWorker(parent) {}

void Rename::setParameters(const QStringList &pathList, const QString &outputFormat,
                           bool reverseFormat, int formatPosition,
                           const QStringList &listExtensions, int renameBy, bool renameByReversed,
                           bool renameIndividually)
{
    this->pathList = pathList;
    this->outputFormat = outputFormat;
    this->reverseFormat = reverseFormat;
    this->formatPosition = formatPosition;
    this->listExtensions = listExtensions;
    this->renameBy = renameBy;
    this->renameByReversed = renameByReversed;
    this->renameIndividually = renameIndividually;
    statusText = QStringLiteral("Renaming");
    confirmedPlan.reset();
}

void Rename::setPlan(const BatchPlan &plan)
{
    confirmedPlan = plan;
}

QString Rename::status() const
{
    return statusText;
}

void Rename::reset()
{
    statusText = QStringLiteral("Reseting");
    listExtensions.clear();
    emit setFilesInformations(0, 0);
    emit setListExtensions(listExtensions);
}

void Rename::run()
{
    RenameOptions options{outputFormat, reverseFormat,    formatPosition,    listExtensions,
                          renameBy,     renameByReversed, renameIndividually};
    options.recursive = recursive;
    const BatchPlan plan = confirmedPlan ? *confirmedPlan : RenamePlan::make(pathList, options);
    confirmedPlan.reset();
    const BatchRun::Result result = carryOut(plan.renames(), Journal::Kind::Rename, false,
                                             RenamePlan::stackOf(options).toJson(true));
    listExtensions.clear();
    if (!result.ran())
        return;
    const BatchOutcome &outcome = result.outcome;
    emit refreshListView(plan.refreshList(outcome.finalNames));
    reportRenameFailures(outcome);
    listExtensions.clear();
}

#ifndef APPLYRULES_H
#define APPLYRULES_H

#include "batchplan.h"
#include "batchworker.h"
#include "rulestack.h"

#include <QStringList>

#include <optional>

// Carries out any rule stack on the input list, on a thread of its own: the
// plan the user saw and confirmed (setPlan), or planned afresh; recorded in
// the journal with its stack, so that a history shows what was done. Reports
// the input list as it stands afterwards and, once, the files that could not
// be renamed. The setters run on the owner's thread, never during a run.
// Never replaces an existing file.
class ApplyRules : public BatchWorker
{
    Q_OBJECT

public:
    explicit ApplyRules(QObject *parent);

    void setRequest(const QStringList &pathList, const RuleStack &stack, bool recursive);
    void setPlan(const BatchPlan &plan);

protected:
    void run() override;

private:
    QStringList pathList;
    RuleStack stack;
    bool recursive = false;
    std::optional<BatchPlan> confirmedPlan;
};

#endif // APPLYRULES_H

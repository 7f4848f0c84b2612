#ifndef CLICOMMAND_H
#define CLICOMMAND_H

#include "batchexecutor.h"
#include "batchplan.h"
#include "clireport.h"
#include "clirequest.h"

#include <QString>

// Carries out one checked request on the calling thread, through the same
// plans and executor as the window's workers, and tells what it did through
// a CliReport. exec() returns the exit status: 0 when every planned change
// was made, 1 when some file could not be renamed.
class CliCommand
{
public:
    explicit CliCommand(const CliRequest &request);

    int exec();

private:
    int renameOrReplace();
    int showPlan(const BatchPlan &plan);
    int carryOut(const BatchPlan &plan);

    RenameOptions renameOptions() const;
    BatchExecutor::Options executorOptions();
    QString failureMessage(const BatchPlan &plan, const FileFailure &failure) const;
    QString commandName() const;

    const CliRequest &m_request;
    CliReport m_report;
    bool m_progressShown = false;
};

#endif // CLICOMMAND_H

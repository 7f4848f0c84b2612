#ifndef CLICOMMAND_H
#define CLICOMMAND_H

#include "batchexecutor.h"
#include "batchplan.h"
#include "clireport.h"
#include "clirequest.h"
#include "journal.h"
#include "replaceplan.h"

#include <QJsonObject>
#include <QString>

// Carries out one checked request on the calling thread, through the same
// plans, journal and executor as the window's workers, and tells what it did
// through a CliReport. Every command but a dry run first brings a batch cut
// off by a crash to a known state. exec() returns the exit status: 0 when
// every planned change was made, 1 when some file could not be renamed.
class CliCommand
{
public:
    explicit CliCommand(const CliRequest &request);

    int exec();

private:
    // TAVRELO_JOURNAL_DIR, for tests and benchmarks, or the window's folder.
    static QString journalDirectory();
    void recover();
    void warnUnfinished();

    // rename, replace and apply: planned, then shown or carried out.
    int renameOrReplace();
    // The plan of rename or replace.
    BatchPlan plan() const;
    // The stack that plans the batch, as the journal keeps it.
    RuleStack stack() const;
    int showPlan(const BatchPlan &plan);
    int carryOut(const BatchPlan &plan);
    int presets();
    int undo();
    // A later batch renamed files of batch again: says which to undo first.
    int refuseBlocked(const Journal::Batch &batch, const Journal::Batch &blocker,
                      QJsonObject summary);
    int history();

    RenameOptions renameOptions() const;
    ReplaceRequest replaceRequest() const;
    BatchExecutor::Options executorOptions();
    QString failureMessage(const BatchPlan &plan, const FileFailure &failure) const;
    QString commandName() const;

    const CliRequest &m_request;
    CliReport m_report;
    Journal m_journal;
    bool m_progressShown = false;
};

#endif // CLICOMMAND_H

#include "clicommand.h"

#include "batchnotes.h"
#include "batchrun.h"
#include "presets.h"
#include "renameplan.h"
#include "replaceplan.h"
#include "ruleplan.h"

#include <QDir>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#define TAVRELO_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define TAVRELO_ISATTY(fd) isatty(fd)
#endif

namespace {

std::atomic<bool> interrupted{false};

// Ctrl-C stops the batch at its next safe point; a second one kills the
// program (the journal brings the batch to a known state next time).
extern "C" void stopAtNextSafePoint(int)
{
    interrupted.store(true);
    std::signal(SIGINT, SIG_DFL);
}

// Why a file keeps its name: its note in the window's words, or, with none,
// that its rules give it the name it has.
QString unchangedReason(const QString &note)
{
    return note.isEmpty() ? QStringLiteral("the new name is the old one") : note;
}

} // namespace

CliCommand::CliCommand(const CliRequest &request)
    : m_request(request), m_report(request.json), m_journal(journalDirectory())
{
}

QString CliCommand::journalDirectory()
{
    const QString chosen = qEnvironmentVariable("TAVRELO_JOURNAL_DIR");
    return chosen.isEmpty() ? Journal::defaultDirectory() : chosen;
}

int CliCommand::exec()
{
    if (m_request.dryRun)
        warnUnfinished();
    else
        recover();
    switch (m_request.command) {
    case CliRequest::Command::Rename:
    case CliRequest::Command::Replace:
    case CliRequest::Command::Apply:
        return renameOrReplace();
    case CliRequest::Command::Presets:
        return presets();
    case CliRequest::Command::Undo:
        return undo();
    case CliRequest::Command::History:
        return history();
    }
    return 2;
}

void CliCommand::recover()
{
    const Journal::Recovery recovery = BatchRun::recover(m_journal, BatchExecutor::Options());
    const QString message = recovery.message();
    if (!message.isEmpty())
        CliReport::printError(message);
}

void CliCommand::warnUnfinished()
{
    // A dry run moves nothing, not even what a crash left behind.
    const QVector<Journal::Batch> batches = m_journal.history();
    for (const Journal::Batch &batch : batches) {
        if (!batch.finished.isValid())
            CliReport::printError(
                QStringLiteral("batch %1 has not ended; the next command that is not a dry run "
                               "brings its files to a known state.")
                    .arg(batch.id));
    }
}

QString CliCommand::commandName() const
{
    switch (m_request.command) {
    case CliRequest::Command::Rename:
        return QStringLiteral("rename");
    case CliRequest::Command::Replace:
        return QStringLiteral("replace");
    case CliRequest::Command::Apply:
        return QStringLiteral("apply");
    case CliRequest::Command::Presets:
        return QStringLiteral("presets");
    case CliRequest::Command::Undo:
        return QStringLiteral("undo");
    case CliRequest::Command::History:
        return QStringLiteral("history");
    }
    return QString();
}

RenameOptions CliCommand::renameOptions() const
{
    RenameOptions options = m_request.rename;
    // Without --ext every file counts, as the window's analysis would tick
    // every suffix it found.
    options.everySuffix = !m_request.extensionsGiven;
    return options;
}

ReplaceRequest CliCommand::replaceRequest() const
{
    return ReplaceRequest::make(m_request.find, m_request.with, m_request.regExp, m_request.suffix);
}

RuleStack CliCommand::stack() const
{
    switch (m_request.command) {
    case CliRequest::Command::Rename:
        return RenamePlan::stackOf(renameOptions());
    case CliRequest::Command::Replace:
        return ReplacePlan::stackOf(replaceRequest());
    default:
        return m_request.stack;
    }
}

BatchPlan CliCommand::plan() const
{
    // apply plans from its own listing, checked first (renameOrReplace).
    if (m_request.command == CliRequest::Command::Rename)
        return RenamePlan::make(m_request.paths, renameOptions());
    return ReplacePlan::make(m_request.paths, replaceRequest(), m_request.recursive);
}

int CliCommand::renameOrReplace()
{
    if (m_request.command == CliRequest::Command::Apply) {
        // A list of names that does not fit the input stops everything, as
        // a rule that cannot work does.
        RulePlanOptions options;
        options.recursive = m_request.recursive;
        // Reading the dates of 100,000 photos takes a while: a terminal
        // sees it go on.
        bool readingShown = false;
        if (TAVRELO_ISATTY(2) || !qEnvironmentVariableIsEmpty("TAVRELO_CLI_PROGRESS")) {
            options.progress = [&readingShown](qsizetype done, qsizetype total) {
                std::fprintf(stderr, "\rreading metadata: %lld of %lld files",
                             static_cast<long long>(done), static_cast<long long>(total));
                std::fflush(stderr);
                readingShown = true;
            };
        }
        GroupList groups = RulePlan::listInput(m_request.paths, m_request.stack, options);
        if (readingShown)
            std::fputs("\n", stderr);
        const QString fault = RulePlan::problem(groups, m_request.stack);
        if (!fault.isEmpty()) {
            CliReport::printError(fault);
            return 2;
        }
        const BatchPlan planned = RulePlan::make(std::move(groups), m_request.stack, options);
        return m_request.dryRun ? showPlan(planned) : carryOut(planned);
    }
    const BatchPlan planned = plan();
    return m_request.dryRun ? showPlan(planned) : carryOut(planned);
}

int CliCommand::showPlan(const BatchPlan &plan)
{
    QVector<PlannedRename> renames = plan.renames();
    BatchPlan::foreseeConflicts(renames, m_request.command == CliRequest::Command::Replace
                                             && m_request.deleteIfExists);
    qsizetype planned = 0;
    qsizetype conflicts = 0;
    const BatchNotes notes(&renames);
    for (int i = 0; i < int(renames.size()); ++i) {
        // Read through at(): the rows are shared with the plan, and a write
        // access would copy a million of them.
        const PlannedRename &rename = renames.at(i);
        const QString note = notes.text(i);
        const QString code = BatchNotes::code(rename.note);
        if (!rename.changesName()) {
            m_report.add(rename.sourcePath(), rename.sourcePath(), QStringLiteral("unchanged"),
                         unchangedReason(note), code);
        } else if (!rename.willMove()) {
            ++conflicts;
            m_report.add(rename.sourcePath(), rename.targetPath(), QStringLiteral("conflict"), note,
                         code);
        } else {
            ++planned;
            m_report.add(rename.sourcePath(), rename.targetPath(), QStringLiteral("planned"), note,
                         code);
        }
    }
    m_report.finish({{QStringLiteral("command"), commandName()},
                     {QStringLiteral("dryRun"), true},
                     {QStringLiteral("files"), renames.size()},
                     {QStringLiteral("planned"), planned},
                     {QStringLiteral("conflicts"), conflicts},
                     {QStringLiteral("unchanged"), renames.size() - planned - conflicts}});
    if (!m_request.json)
        CliReport::printLine(
            QStringLiteral("%1 of %2 files would be renamed.").arg(planned).arg(renames.size()));
    return conflicts > 0 ? 1 : 0;
}

BatchExecutor::Options CliCommand::executorOptions()
{
    BatchExecutor::Options options;
    options.replaceExisting =
        m_request.command == CliRequest::Command::Replace && m_request.deleteIfExists;
    interrupted.store(false);
    options.cancel = &interrupted;
    // A terminal sees the count move; a pipe or a file gets nothing extra.
    // TAVRELO_CLI_PROGRESS asks for it anyway, for whoever waits on the run.
    if (TAVRELO_ISATTY(2) || !qEnvironmentVariableIsEmpty("TAVRELO_CLI_PROGRESS")) {
        options.progress = [this](qsizetype done, qsizetype total) {
            std::fprintf(stderr, "\r%lld of %lld files", static_cast<long long>(done),
                         static_cast<long long>(total));
            std::fflush(stderr);
            m_progressShown = true;
        };
    }
    return options;
}

QString CliCommand::failureMessage(const BatchPlan &plan, const FileFailure &failure) const
{
    // The window's texts; the replacing ones name the file only by its name,
    // so the path goes in front.
    if (m_request.command != CliRequest::Command::Replace)
        return BatchNotes::failureLine(failure);
    return failure.path + QLatin1String(": ")
           + BatchNotes::replaceFailureLine(plan.renames().at(failure.index).oldName, failure);
}

int CliCommand::carryOut(const BatchPlan &plan)
{
    const QVector<PlannedRename> &renames = plan.renames();
    const Journal::Kind kind =
        m_request.command == CliRequest::Command::Replace ? Journal::Kind::Replace
        : m_request.command == CliRequest::Command::Apply ? Journal::Kind::Rules
                                                          : Journal::Kind::Rename;
    std::signal(SIGINT, stopAtNextSafePoint);
    const BatchRun::Result result = BatchRun::carryOut(renames, kind, executorOptions(), &m_journal,
                                                       QString(), {}, stack().toJson(true));
    std::signal(SIGINT, SIG_DFL);
    if (m_progressShown)
        std::fputs("\n", stderr);
    if (!result.ran()) {
        CliReport::printError(result.journalError);
        return 1;
    }
    const BatchOutcome &outcome = result.outcome;

    if (!result.endError.isEmpty())
        CliReport::printError(result.endError);
    QHash<int, const FileFailure *> failureOf;
    for (const FileFailure &failure : outcome.failures)
        failureOf.insert(failure.index, &failure);
    QHash<int, QString> disposedTo;
    for (const BatchOutcome::Disposal &disposal : outcome.disposed)
        disposedTo.insert(disposal.index, disposal.trashPath);

    qsizetype unchanged = 0;
    for (int i = 0; i < int(renames.size()); ++i) {
        const PlannedRename &rename = renames[i];
        const QString &finalName = outcome.finalNames.at(i);
        const FileFailure *failure = failureOf.isEmpty() ? nullptr : failureOf.value(i);
        if (failure) {
            m_report.addFailure(rename.sourcePath(), rename.folder + finalName,
                                failureMessage(plan, *failure));
        } else if (finalName != rename.oldName) {
            QString reason;
            if (disposedTo.contains(i)) {
                const QString trash = disposedTo.value(i);
                reason =
                    trash.isEmpty()
                        ? QStringLiteral("the file it replaced was deleted")
                        : QStringLiteral("the file it replaced is in the trash: %1").arg(trash);
            }
            m_report.addInFolder(rename.folder, rename.oldName, finalName,
                                 QStringLiteral("renamed"), reason);
        } else if (rename.changesName()) {
            m_report.add(rename.sourcePath(), rename.targetPath(), QStringLiteral("not done"),
                         QStringLiteral("the run was stopped first"));
        } else {
            ++unchanged;
            m_report.add(rename.sourcePath(), rename.sourcePath(), QStringLiteral("unchanged"),
                         unchangedReason(BatchNotes::text(rename)), BatchNotes::code(rename.note));
        }
    }
    m_report.finish({{QStringLiteral("command"), commandName()},
                     {QStringLiteral("dryRun"), false},
                     {QStringLiteral("files"), renames.size()},
                     {QStringLiteral("planned"), plan.changeCount()},
                     {QStringLiteral("renamed"), outcome.renamed},
                     {QStringLiteral("failed"), outcome.failures.size()},
                     {QStringLiteral("unchanged"), unchanged},
                     {QStringLiteral("cancelled"), outcome.cancelled},
                     {QStringLiteral("batch"), result.batchId}});

    const qsizetype failed = outcome.failures.size();
    if (failed > 0)
        CliReport::printError(failed == 1
                                  ? QStringLiteral("1 file could not be renamed.")
                                  : QStringLiteral("%1 files could not be renamed.").arg(failed));
    if (outcome.cancelled)
        CliReport::printError(QStringLiteral("stopped after %1 of %2 renames.")
                                  .arg(outcome.renamed)
                                  .arg(plan.changeCount()));
    return failed > 0 || outcome.cancelled ? 1 : 0;
}

namespace {

void addLeftAlone(CliReport &report, const Journal::LeftAlone &file)
{
    report.add(file.path, file.path, QStringLiteral("left alone"), file.reason);
    CliReport::printError(file.line());
}

QString localTime(const QDateTime &time)
{
    return time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Why a batch of the history cannot be undone; empty when it can.
QString whyNotUndoable(const Journal::Batch &batch)
{
    if (batch.kind == Journal::Kind::Undo)
        return QStringLiteral("it is an undo itself");
    if (batch.kind == Journal::Kind::Recover)
        return QStringLiteral("it is a recovery after a crash");
    if (batch.undone)
        return QStringLiteral("it was undone already");
    if (!batch.finished.isValid())
        return QStringLiteral("it has not ended");
    if (batch.renamed == 0)
        return QStringLiteral("it renamed no file");
    return QString();
}

} // namespace

int CliCommand::refuseBlocked(const Journal::Batch &batch, const Journal::Batch &blocker,
                              QJsonObject summary)
{
    CliReport::printError(QStringLiteral("batch %1 cannot be undone yet: a later batch renamed "
                                         "some of its files again. Undo batch %2 (%3, %4) first.")
                              .arg(batch.id, blocker.id, Journal::kindName(blocker.kind),
                                   localTime(blocker.started)));
    summary.insert(QStringLiteral("blockedBy"), blocker.id);
    m_report.finish(summary);
    return 1;
}

int CliCommand::undo()
{
    Journal::Batch batch;
    bool known = true;
    if (m_request.batchId.isEmpty()) {
        batch = m_journal.newestUndoable();
    } else {
        const QVector<Journal::Batch> batches = m_journal.history();
        const auto chosen =
            std::find_if(batches.cbegin(), batches.cend(), [this](const Journal::Batch &shown) {
                return shown.id == m_request.batchId;
            });
        known = chosen != batches.cend();
        if (known)
            batch = *chosen;
    }
    const QStringList problems = m_journal.problems();
    for (const QString &problem : problems)
        CliReport::printError(problem);
    if (!known) {
        CliReport::printError(
            QStringLiteral("there is no batch %1 in the journal; history lists them.")
                .arg(m_request.batchId));
        return 2;
    }
    const QString refusal = whyNotUndoable(batch);
    if (!batch.id.isEmpty() && !refusal.isEmpty()) {
        CliReport::printError(
            QStringLiteral("batch %1 cannot be undone: %2.").arg(batch.id, refusal));
        return 1;
    }
    if (batch.id.isEmpty()) {
        CliReport::printError(QStringLiteral("nothing to undo."));
        m_report.finish({{QStringLiteral("command"), commandName()},
                         {QStringLiteral("dryRun"), m_request.dryRun},
                         {QStringLiteral("undoes"), QJsonValue::Null}});
        // A script that asked for an undo must see that none happened.
        return 1;
    }

    QJsonObject summary{{QStringLiteral("command"), commandName()},
                        {QStringLiteral("dryRun"), m_request.dryRun},
                        {QStringLiteral("undoes"), batch.id}};
    if (m_request.dryRun) {
        const UndoPlan plan = UndoPlan::make(m_journal, batch.id);
        if (!plan.blocker.id.isEmpty())
            return refuseBlocked(batch, plan.blocker, summary);
        if (!plan.error.isEmpty()) {
            CliReport::printError(
                QStringLiteral("batch %1 cannot be undone: %2").arg(batch.id, plan.error));
            return 1;
        }
        for (int i = 0; i < int(plan.renames.size()); ++i) {
            if (!plan.comesBack(i))
                m_report.add(plan.sourcePath(i), plan.renames[i].targetPath(),
                             QStringLiteral("planned"));
        }
        for (int i = 0; i < int(plan.renames.size()); ++i) {
            if (plan.comesBack(i))
                m_report.add(plan.sourcePath(i), plan.renames[i].targetPath(),
                             QStringLiteral("planned"), QStringLiteral("back from the trash"));
        }
        for (const Journal::LeftAlone &line : plan.leftAlone)
            addLeftAlone(m_report, line);
        summary.insert(QStringLiteral("planned"), plan.renames.size());
        summary.insert(QStringLiteral("leftAlone"), plan.leftAlone.size());
        m_report.finish(summary);
        return plan.leftAlone.isEmpty() ? 0 : 1;
    }

    std::signal(SIGINT, stopAtNextSafePoint);
    const BatchRun::UndoResult result = BatchRun::undo(m_journal, batch.id, executorOptions());
    std::signal(SIGINT, SIG_DFL);
    if (m_progressShown)
        std::fputs("\n", stderr);
    if (!result.plan.blocker.id.isEmpty())
        return refuseBlocked(batch, result.plan.blocker, summary);
    if (!result.run.ran()) {
        CliReport::printError(
            QStringLiteral("batch %1 cannot be undone: %2").arg(batch.id, result.run.journalError));
        return 1;
    }
    // Files that failed are among the ones left alone.
    const BatchOutcome &outcome = result.run.outcome;
    const UndoPlan &plan = result.plan;
    for (int i = 0; i < int(plan.renames.size()); ++i) {
        if (!plan.comesBack(i) && outcome.finalNames.value(i) == plan.renames[i].newName)
            m_report.add(plan.sourcePath(i), plan.renames[i].targetPath(),
                         QStringLiteral("renamed"));
    }
    for (int i = 0; i < int(plan.renames.size()); ++i) {
        if (plan.comesBack(i) && outcome.finalNames.value(i) == plan.renames[i].newName)
            m_report.add(plan.sourcePath(i), plan.renames[i].targetPath(),
                         QStringLiteral("restored"), QStringLiteral("back from the trash"));
    }
    for (const Journal::LeftAlone &line : result.leftAlone)
        addLeftAlone(m_report, line);
    summary.insert(QStringLiteral("renamed"), outcome.renamed - result.restored);
    summary.insert(QStringLiteral("restored"), result.restored);
    summary.insert(QStringLiteral("leftAlone"), result.leftAlone.size());
    summary.insert(QStringLiteral("cancelled"), outcome.cancelled);
    summary.insert(QStringLiteral("batch"), result.run.batchId);
    m_report.finish(summary);
    return result.leftAlone.isEmpty() && !outcome.cancelled ? 0 : 1;
}

int CliCommand::presets()
{
    const QStringList names = Presets().names();
    if (m_request.json) {
        CliReport::printJson(QJsonDocument(QJsonArray::fromStringList(names)));
        return 0;
    }
    for (const QString &name : names)
        CliReport::printLine(name);
    return 0;
}

namespace {

// The rules a batch ran, in a few words, with the order when they count.
QString rulesText(const QByteArray &rules)
{
    RuleStack stack;
    QString error;
    if (!RuleStack::fromJson(rules, &stack, &error))
        return QStringLiteral("rules that cannot be read: %1").arg(error);
    QString text = stack.summary();
    if (stack.counts())
        text += QStringLiteral(" (%1 order%2)")
                    .arg(RuleStack::orderWord(stack.order),
                         stack.reversed ? QLatin1String(", reversed") : QLatin1String(""));
    return text;
}

// Folders as a user writes them: native separators, no "/" at the end.
QStringList shownFolders(const Journal::Batch &batch)
{
    QStringList folders;
    for (const QString &folder : batch.folders)
        folders.append(QDir::toNativeSeparators(folder.size() > 1 ? folder.chopped(1) : folder));
    return folders;
}

// The first few folders of a batch, and how many more there are.
QString foldersText(const Journal::Batch &batch)
{
    const int shown = 3;
    const QStringList folders = shownFolders(batch);
    QString text = folders.mid(0, shown).join(QLatin1String(", "));
    const qsizetype more =
        qMax(batch.folderCount, folders.size()) - qMin<qsizetype>(shown, folders.size());
    if (more > 0)
        text += more == 1 ? QStringLiteral(" and 1 more folder")
                          : QStringLiteral(" and %1 more folders").arg(more);
    return text;
}

} // namespace

int CliCommand::history()
{
    const QVector<Journal::Batch> batches = m_journal.history();
    const QStringList problems = m_journal.problems();
    for (const QString &problem : problems)
        CliReport::printError(problem);
    QJsonArray list;
    for (const Journal::Batch &batch : batches) {
        if (m_request.json) {
            list.append(QJsonObject{
                {QStringLiteral("id"), batch.id},
                {QStringLiteral("kind"), Journal::kindName(batch.kind)},
                {QStringLiteral("started"), batch.started.toUTC().toString(Qt::ISODateWithMs)},
                {QStringLiteral("finished"),
                 batch.finished.isValid()
                     ? QJsonValue(batch.finished.toUTC().toString(Qt::ISODateWithMs))
                     : QJsonValue(QJsonValue::Null)},
                {QStringLiteral("planned"), batch.planned},
                {QStringLiteral("renamed"), batch.renamed},
                {QStringLiteral("cancelled"), batch.cancelled},
                {QStringLiteral("undone"), batch.undone},
                {QStringLiteral("undoes"),
                 batch.undoes.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(batch.undoes)},
                {QStringLiteral("recovers"), batch.recovers.isEmpty() ? QJsonValue(QJsonValue::Null)
                                                                      : QJsonValue(batch.recovers)},
                {QStringLiteral("rules"),
                 batch.rules.isEmpty() ? QJsonValue(QJsonValue::Null)
                                       : QJsonValue(QJsonDocument::fromJson(batch.rules).object())},
                {QStringLiteral("folders"), QJsonArray::fromStringList(shownFolders(batch))},
                {QStringLiteral("folderCount"), batch.folderCount < 0
                                                    ? QJsonValue(QJsonValue::Null)
                                                    : QJsonValue(batch.folderCount)}});
            continue;
        }
        QStringList states;
        if (!batch.undoes.isEmpty())
            states << QStringLiteral("undoes %1").arg(batch.undoes);
        if (!batch.recovers.isEmpty())
            states << QStringLiteral("recovers %1").arg(batch.recovers);
        if (!batch.finished.isValid())
            states << QStringLiteral("cut off");
        else if (batch.cancelled)
            states << QStringLiteral("stopped");
        if (batch.undone)
            states << QStringLiteral("undone");
        CliReport::printLine(
            QStringLiteral("%1  %2  %3  %4 of %5 files renamed%6")
                .arg(batch.id,
                     batch.started.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                     Journal::kindName(batch.kind).leftJustified(7))
                .arg(batch.renamed)
                .arg(batch.planned)
                .arg(states.isEmpty() ? QString()
                                      : QLatin1String(", ") + states.join(QLatin1String(", "))));
        if (!batch.rules.isEmpty())
            CliReport::printLine(QStringLiteral("    %1").arg(rulesText(batch.rules)));
        if (!batch.folders.isEmpty())
            CliReport::printLine(QStringLiteral("    in %1").arg(foldersText(batch)));
    }
    if (m_request.json)
        CliReport::printJson(QJsonObject{{QStringLiteral("batches"), list}});
    return 0;
}

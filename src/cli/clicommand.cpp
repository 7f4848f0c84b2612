#include "clicommand.h"

#include "directorylisting.h"
#include "filemoves.h"
#include "filenames.h"
#include "renameplan.h"
#include "replaceplan.h"

#include <QFileInfo>
#include <QHash>
#include <QJsonObject>
#include <QSet>

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

QString noteText(PlannedRename::Note note)
{
    switch (note) {
    case PlannedRename::Note::SuffixNotSelected:
        return QStringLiteral("suffix not selected");
    case PlannedRename::Note::NoMatch:
        return QStringLiteral("no match");
    case PlannedRename::Note::None:
        break;
    }
    return QStringLiteral("the new name is the old one");
}

// What the executor will refuse, foreseen for a dry run without touching
// anything; empty when the rename can be made.
struct Foresight
{
    QString conflict;
    bool replacesExisting = false;
};

QVector<Foresight> foresee(const QVector<PlannedRename> &renames, bool replaceExisting)
{
    QHash<QString, int> bySource;
    QHash<QString, int> targetUses;
    for (int i = 0; i < int(renames.size()); ++i) {
        bySource.insert(renames[i].sourcePath(), i);
        if (renames[i].changesName())
            ++targetUses[renames[i].targetPath()];
    }
    QVector<Foresight> foreseen(renames.size());
    for (int i = 0; i < int(renames.size()); ++i) {
        const PlannedRename &rename = renames[i];
        if (!rename.changesName())
            continue;
        const QString target = rename.targetPath();
        const int holder = bySource.value(target, -1);
        Foresight &foresight = foreseen[i];
        if (!isPlainFileName(rename.newName))
            foresight.conflict = QStringLiteral("not a valid file name");
        else if (targetUses.value(target) > 1)
            foresight.conflict = QStringLiteral("also the new name of another file of the request");
        else if (holder >= 0 && !renames[holder].changesName())
            foresight.conflict = QStringLiteral("name taken by a file of the request that stays");
        else if (holder < 0 && pathExists(target) && !isSameFile(target, rename.sourcePath())) {
            if (replaceExisting && !QFileInfo(target).isDir())
                foresight.replacesExisting = true;
            else
                foresight.conflict = QStringLiteral("name taken by a file outside the request");
        }
    }
    return foreseen;
}

} // namespace

CliCommand::CliCommand(const CliRequest &request) : m_request(request), m_report(request.json) {}

int CliCommand::exec()
{
    switch (m_request.command) {
    case CliRequest::Command::Rename:
    case CliRequest::Command::Replace:
        return renameOrReplace();
    case CliRequest::Command::Undo:
    case CliRequest::Command::History:
        break;
    }
    CliReport::printError(QStringLiteral("%1 is not available in this build").arg(commandName()));
    return 2;
}

QString CliCommand::commandName() const
{
    switch (m_request.command) {
    case CliRequest::Command::Rename:
        return QStringLiteral("rename");
    case CliRequest::Command::Replace:
        return QStringLiteral("replace");
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
    if (m_request.extensionsGiven)
        return options;
    // Like the window's analysis: every suffix of the given files and of the
    // files directly inside the given folders.
    QSet<QString> known;
    const auto addSuffix = [&](const QString &name) {
        const QString suffix = suffixOf(name).toString();
        if (!known.contains(suffix)) {
            known.insert(suffix);
            options.listExtensions.append(suffix);
        }
    };
    for (const QString &path : m_request.paths) {
        if (QFileInfo(path).isDir()) {
            const QStringList names = listPlainFileNames(path);
            for (const QString &name : names)
                addSuffix(name);
        } else {
            addSuffix(fileNameOf(path));
        }
    }
    return options;
}

int CliCommand::renameOrReplace()
{
    const BatchPlan plan =
        m_request.command == CliRequest::Command::Replace
            ? ReplacePlan::make(m_request.paths,
                                ReplaceRule::make(m_request.find, m_request.with, m_request.regExp,
                                                  m_request.suffix))
            : RenamePlan::make(m_request.paths, renameOptions());
    return m_request.dryRun ? showPlan(plan) : carryOut(plan);
}

int CliCommand::showPlan(const BatchPlan &plan)
{
    const QVector<PlannedRename> &renames = plan.renames();
    const QVector<Foresight> foreseen = foresee(
        renames, m_request.command == CliRequest::Command::Replace && m_request.deleteIfExists);
    qsizetype planned = 0;
    qsizetype conflicts = 0;
    for (int i = 0; i < int(renames.size()); ++i) {
        const PlannedRename &rename = renames[i];
        if (!rename.changesName()) {
            m_report.add(rename.sourcePath(), rename.sourcePath(), QStringLiteral("unchanged"),
                         noteText(rename.note));
        } else if (!foreseen[i].conflict.isEmpty()) {
            ++conflicts;
            m_report.add(rename.sourcePath(), rename.targetPath(), QStringLiteral("conflict"),
                         foreseen[i].conflict);
        } else {
            ++planned;
            m_report.add(rename.sourcePath(), rename.targetPath(), QStringLiteral("planned"),
                         foreseen[i].replacesExisting ? QStringLiteral("replaces the existing file")
                                                      : QString());
        }
    }
    m_report.finish({{QStringLiteral("command"), commandName()},
                     {QStringLiteral("dryRun"), true},
                     {QStringLiteral("files"), renames.size()},
                     {QStringLiteral("planned"), planned},
                     {QStringLiteral("conflicts"), conflicts},
                     {QStringLiteral("unchanged"), renames.size() - planned - conflicts}});
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
    if (m_request.command == CliRequest::Command::Rename)
        return QStringLiteral("%1 (to \"%2\"): %3")
            .arg(failure.path, failure.newName, failure.reason);
    const QString oldName = plan.renames().at(failure.index).oldName;
    QString text;
    switch (failure.cause) {
    case FileFailure::Cause::NameTaken:
        text = QStringLiteral("\"%1\" couldn't be renamed because \"%2\" already exists !")
                   .arg(oldName, failure.newName);
        break;
    case FileFailure::Cause::SetAsideKept:
        text = QStringLiteral("\"%1\" was renamed to \"%2\", but %3.")
                   .arg(oldName, failure.newName, failure.reason);
        break;
    default:
        text = QStringLiteral("\"%1\" couldn't be renamed to \"%2\" : %3")
                   .arg(oldName, failure.newName, failure.reason);
        break;
    }
    return failure.path + QLatin1String(": ") + text;
}

int CliCommand::carryOut(const BatchPlan &plan)
{
    const QVector<PlannedRename> &renames = plan.renames();
    std::signal(SIGINT, stopAtNextSafePoint);
    const BatchOutcome outcome = BatchExecutor::carryOut(renames, executorOptions());
    std::signal(SIGINT, SIG_DFL);
    if (m_progressShown)
        std::fputs("\n", stderr);

    QHash<int, const FileFailure *> failureOf;
    for (const FileFailure &failure : outcome.failures)
        failureOf.insert(failure.index, &failure);
    QHash<int, QString> disposedTo;
    for (const BatchOutcome::Disposal &disposal : outcome.disposed)
        disposedTo.insert(disposal.index, disposal.trashPath);

    qsizetype unchanged = 0;
    for (int i = 0; i < int(renames.size()); ++i) {
        const PlannedRename &rename = renames[i];
        const QString finalPath = rename.folder + outcome.finalNames.at(i);
        if (const FileFailure *failure = failureOf.value(i)) {
            m_report.addFailure(rename.sourcePath(), finalPath, failureMessage(plan, *failure));
        } else if (outcome.finalNames.at(i) != rename.oldName) {
            QString reason;
            if (disposedTo.contains(i)) {
                const QString trash = disposedTo.value(i);
                reason =
                    trash.isEmpty()
                        ? QStringLiteral("the file it replaced was deleted")
                        : QStringLiteral("the file it replaced is in the trash: %1").arg(trash);
            }
            m_report.add(rename.sourcePath(), finalPath, QStringLiteral("renamed"), reason);
        } else if (rename.changesName()) {
            m_report.add(rename.sourcePath(), rename.targetPath(), QStringLiteral("not done"),
                         QStringLiteral("the run was stopped first"));
        } else {
            ++unchanged;
            m_report.add(rename.sourcePath(), rename.sourcePath(), QStringLiteral("unchanged"),
                         noteText(rename.note));
        }
    }
    m_report.finish({{QStringLiteral("command"), commandName()},
                     {QStringLiteral("dryRun"), false},
                     {QStringLiteral("files"), renames.size()},
                     {QStringLiteral("planned"), plan.changeCount()},
                     {QStringLiteral("renamed"), outcome.renamed},
                     {QStringLiteral("failed"), outcome.failures.size()},
                     {QStringLiteral("unchanged"), unchanged},
                     {QStringLiteral("cancelled"), outcome.cancelled}});

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

#include "rename.h"

#include "grouping.h"
#include "renameexecutor.h"
#include "renameplan.h"

#include <QDir>

Rename::Rename(QObject *parent) : QThread(parent) {}

Rename::~Rename()
{
    wait();
}

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

QStringList Rename::listDirectory(const QString &dirPath) const
{
    return RenamePlan::listDirectoryPaths(dirPath, RenamePlan::orderOf(renameBy));
}

void Rename::run()
{
    RenameOptions options;
    options.outputFormat = outputFormat;
    options.reverseFormat = reverseFormat;
    options.formatPosition = formatPosition;
    options.listExtensions = listExtensions;
    options.renameBy = renameBy;
    options.renameByReversed = renameByReversed;
    options.renameIndividually = renameIndividually;

    const RenamePlan plan =
        RenamePlan::make(pathList, options, [this](const QString &dirPath, ListingOrder) {
            return listDirectory(dirPath);
        });
    const RenameOutcome outcome = RenameExecutor::carryOut(plan.renames());

    emit refreshListView(plan.refreshList(outcome.finalNames));

    if (!outcome.failures.isEmpty()) {
        const int shown = 10;
        const int count = int(outcome.failures.size());
        QString message = count == 1 ? tr("1 file could not be renamed:")
                                     : tr("%1 files could not be renamed:").arg(count);
        message += QLatin1Char('\n');
        for (int i = 0; i < count && i < shown; ++i) {
            const RenameFailure &failure = outcome.failures[i];
            message +=
                QLatin1Char('\n')
                + tr("%1 (to \"%2\"): %3")
                      .arg(failure.path, plan.renames()[failure.index].newName, failure.reason);
        }
        if (count > shown)
            message += QLatin1String("\n\n") + tr("and %1 more.").arg(count - shown);
        emit errorAtRename(1, message);
    }

    listExtensions.clear();
}

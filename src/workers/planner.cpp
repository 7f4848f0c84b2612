#include "planner.h"

#include "filemoves.h"
#include "replaceplan.h"

#include <QHash>
#include <QSet>

Planner::Planner(QObject *parent) : QThread(parent)
{
    qRegisterMetaType<PlanPreview>();
}

Planner::~Planner()
{
    wait();
}

void Planner::setRename(const QStringList &pathList, const RenameOptions &options)
{
    replacing = false;
    this->pathList = pathList;
    renameOptions = options;
}

void Planner::setReplace(const QStringList &pathList, const QString &replaceIn,
                         const QString &replaceOut, bool regExp, bool suffix, bool replaceExisting)
{
    replacing = true;
    this->pathList = pathList;
    this->replaceIn = replaceIn;
    this->replaceOut = replaceOut;
    this->regExp = regExp;
    this->suffix = suffix;
    this->replaceExisting = replaceExisting;
}

void Planner::run()
{
    const BatchPlan plan =
        replacing
            ? ReplacePlan::make(pathList, ReplaceRule::make(replaceIn, replaceOut, regExp, suffix))
            : RenamePlan::make(pathList, renameOptions);
    PlanPreview preview;
    preview.replacing = replacing;
    preview.rows = plan.renames();

    // A new name is free when no file bears it, or when the file that does
    // moves away in the same run.
    QSet<QString> leaving;
    for (const PlannedRename &row : std::as_const(preview.rows)) {
        if (row.changesName())
            leaving.insert(row.sourcePath());
    }
    QSet<QString> inRequest;
    for (const PlannedRename &row : std::as_const(preview.rows))
        inRequest.insert(row.sourcePath());
    for (PlannedRename &row : preview.rows) {
        if (!row.changesName())
            continue;
        const QString target = row.targetPath();
        if (leaving.contains(target) || !pathExists(target)) {
            ++preview.changes;
            continue;
        }
        if (replaceExisting && replacing && !inRequest.contains(target)) {
            row.note = PlannedRename::Note::ReplacesFile;
            ++preview.changes;
        } else {
            row.note = PlannedRename::Note::NameTaken;
        }
    }
    emit planned(preview);
}

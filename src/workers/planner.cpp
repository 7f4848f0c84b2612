#include "planner.h"

#include "filemoves.h"
#include "replaceplan.h"

#include <QHash>

Planner::Planner(QObject *parent) : QThread(parent)
{
    qRegisterMetaType<PlanPreview>();
}

Planner::~Planner()
{
    wait();
}

void Planner::setRequest(const PlanRequest &request)
{
    this->request = request;
}

void Planner::run()
{
    const BatchPlan plan =
        request.replacing ? ReplacePlan::make(
            request.pathList, ReplaceRule::make(request.replaceIn, request.replaceOut,
                                                request.regExp, request.suffix))
                          : RenamePlan::make(request.pathList, request.rename);
    PlanPreview preview;
    preview.replacing = request.replacing;
    preview.rows = plan.renames();

    // A new name is free when no file bears it, or when the file that does
    // moves away in the same run. Files of the request are known by name in
    // their folder; only other names need a look at the disk.
    QHash<QString, QHash<QString, bool>> requestFiles; // folder -> name -> leaves
    QHash<QString, bool> *folderFiles = nullptr;
    const QString *folder = nullptr;
    for (const PlannedRename &row : std::as_const(preview.rows)) {
        if (!folder || row.folder.constData() != folder->constData()) {
            folder = &row.folder;
            folderFiles = &requestFiles[row.folder];
        }
        folderFiles->insert(row.oldName, row.changesName());
    }
    for (PlannedRename &row : preview.rows) {
        if (!row.changesName())
            continue;
        const QHash<QString, bool> &names = requestFiles[row.folder];
        const auto holder = names.constFind(row.newName);
        const bool inRequest = holder != names.constEnd();
        if (inRequest ? holder.value() : !pathExists(row.targetPath())) {
            ++preview.changes;
        } else if (request.replaceExisting && request.replacing && !inRequest) {
            row.note = PlannedRename::Note::ReplacesFile;
            ++preview.changes;
        } else {
            row.note = PlannedRename::Note::NameTaken;
        }
    }
    emit planned(preview);
}

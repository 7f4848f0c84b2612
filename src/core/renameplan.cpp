#include "renameplan.h"

#include "filenames.h"
#include "grouping.h"

#include <algorithm>

ListingOrder RenamePlan::orderOf(int renameBy)
{
    switch (renameBy) {
    case 0:
        return ListingOrder::Time;
    case 1:
        return ListingOrder::Size;
    default:
        return ListingOrder::Name;
    }
}

QString RenamePlan::formatNumber(int fileCount, int number)
{
    const int width = int(QString::number(fileCount).size());
    return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
}

QString RenamePlan::composeName(const QString &oldName, const QString &number,
                                const RenameOptions &options)
{
    const QString numbered =
        options.reverseFormat ? number + options.outputFormat : options.outputFormat + number;
    const qsizetype lastDot = oldName.lastIndexOf(QLatin1Char('.'));
    // Everything up to the last dot stays where the old name is kept, so
    // "IMG.2024.jpg" loses nothing; a name without a dot gets no dot.
    const QString stem = lastDot < 0 ? oldName : oldName.left(lastDot);
    const QString ending = lastDot < 0 ? QString() : oldName.mid(lastDot);
    switch (options.formatPosition) {
    case 1:
        return numbered + QLatin1Char('-') + stem + ending;
    case 2:
        return stem + QLatin1Char('-') + numbered + ending;
    default:
        return numbered + ending;
    }
}

BatchPlan RenamePlan::make(const QStringList &pathList, const RenameOptions &options)
{
    GroupList groups = groupInput(pathList, orderOf(options.renameBy));
    if (options.renameByReversed) {
        for (FileGroup &group : groups) {
            if (group.kind != FileGroup::Directory)
                continue;
            std::reverse(group.entries.begin(), group.entries.end());
            std::reverse(group.fileIds.begin(), group.fileIds.end());
        }
    }

    const FileGroup *currentGroup = nullptr;
    int counter = 0;
    return BatchPlan::fromGroups(groups, [&](const FileGroup &group, const QString &name) {
        if (&group != currentGroup) {
            currentGroup = &group;
            counter = 1;
        }
        if (!options.everySuffix && !options.listExtensions.contains(suffixOf(name)))
            return BatchPlan::Decision{name, PlannedRename::Note::SuffixNotSelected};
        const QString number = formatNumber(int(group.entries.size()), counter++);
        return BatchPlan::Decision{composeName(name, number, options), PlannedRename::Note::None};
    });
}

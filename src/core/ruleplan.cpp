#include "ruleplan.h"

#include "grouping.h"

#include <algorithm>

ListingOrder RulePlan::listingOrder(const RuleStack &stack)
{
    // Without a number, the order changes nothing, and an unsorted listing
    // spares a look-up per file.
    return stack.counts() ? stack.order : ListingOrder::Unsorted;
}

GroupList RulePlan::listInput(const QStringList &pathList, const RuleStack &stack,
                              const RulePlanOptions &options)
{
    return groupInput(pathList, listingOrder(stack), options.recursive);
}

BatchPlan RulePlan::make(const QStringList &pathList, const RuleStack &stack,
                         const RulePlanOptions &options)
{
    return make(listInput(pathList, stack, options), stack, options);
}

BatchPlan RulePlan::make(GroupList groups, const RuleStack &stack, const RulePlanOptions &options)
{
    const bool counting = stack.counts();
    if (counting && stack.reversed) {
        for (FileGroup &group : groups) {
            if (group.kind != FileGroup::Directory)
                continue;
            std::reverse(group.entries.begin(), group.entries.end());
            std::reverse(group.fileIds.begin(), group.fileIds.end());
        }
    }

    QVector<const Rule *> rules;
    for (int i = 0; i < stack.size(); ++i) {
        if (stack.at(i).enabled)
            rules.append(&stack.at(i));
    }
    qsizetype requestCount = 0;
    for (const FileGroup &group : std::as_const(groups))
        requestCount += group.entries.size();

    const FileGroup *currentGroup = nullptr;
    RuleFile file;
    file.requestCount = int(qMin<qsizetype>(requestCount, INT_MAX));
    int requestPosition = 0;
    int position = 0;
    return BatchPlan::fromGroups(groups, [&](const FileGroup &group, const QString &name) {
        if (&group != currentGroup) {
            currentGroup = &group;
            position = 0;
        }
        for (const Rule *rule : std::as_const(rules)) {
            if (!rule->selects(name))
                return BatchPlan::Decision{name, PlannedRename::Note::SuffixNotSelected};
        }
        // Facts read for the previous file are not this one's.
        file = RuleFile();
        file.folder = group.folderPrefix;
        file.oldName = name;
        file.position = position++;
        file.groupCount = int(group.entries.size());
        file.requestPosition = requestPosition++;
        file.requestCount = int(qMin<qsizetype>(requestCount, INT_MAX));
        QString newName = name;
        for (const Rule *rule : std::as_const(rules)) {
            newName = rule->apply(file, newName);
            if (!file.missing().isEmpty())
                return BatchPlan::Decision{name, PlannedRename::Note::MissingField, file.missing()};
        }
        if (newName == name)
            return BatchPlan::Decision{name, options.unchanged};
        return BatchPlan::Decision{newName, PlannedRename::Note::None};
    });
}

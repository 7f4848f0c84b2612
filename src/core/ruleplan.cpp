#include "ruleplan.h"

#include "filenames.h"
#include "grouping.h"

#include <QHash>
#include <QSet>

#include <algorithm>

namespace {

// Names given to several files of one folder get "_1", "_2", ... before the
// suffix, in the order of the files, skipping a name some file of the folder
// already ends up with; a name given once stays. A file given twice counts
// once.
void numberCollisions(QVector<BatchPlan::Decision> &decisions, const QStringList &oldNames,
                      PlannedRename::Note unchanged)
{
    QHash<QString, qsizetype> firstOf;
    QHash<QString, int> renamedTo;
    QSet<QString> taken;
    for (qsizetype i = 0; i < decisions.size(); ++i) {
        if (firstOf.contains(oldNames[i]))
            continue;
        firstOf.insert(oldNames[i], i);
        taken.insert(decisions[i].newName);
        if (decisions[i].newName != oldNames[i])
            ++renamedTo[decisions[i].newName];
    }
    QHash<QString, int> lastNumber;
    for (qsizetype i = 0; i < decisions.size(); ++i) {
        BatchPlan::Decision &decision = decisions[i];
        const qsizetype first = firstOf.value(oldNames[i]);
        if (first != i) {
            decision = decisions[first];
            continue;
        }
        if (decision.newName == oldNames[i] || renamedTo.value(decision.newName) < 2)
            continue;
        const SplitName split = SplitName::of(decision.newName);
        int &number = lastNumber[decision.newName];
        QString numbered;
        do {
            SplitName candidate = split;
            candidate.base += QLatin1Char('_') + QString::number(++number);
            numbered = candidate.joined();
        } while (taken.contains(numbered));
        taken.insert(numbered);
        decision.newName = numbered;
        if (numbered == oldNames[i])
            decision.note = unchanged;
    }
}

// Whether the order of the files changes their names.
bool ordered(const RuleStack &stack)
{
    return stack.counts() || stack.numbersCollisions();
}

} // namespace

ListingOrder RulePlan::listingOrder(const RuleStack &stack)
{
    // Without a number, the order changes nothing, and an unsorted listing
    // spares a look-up per file.
    return ordered(stack) ? stack.order : ListingOrder::Unsorted;
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
    if (ordered(stack) && stack.reversed) {
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
    int requestPosition = 0;
    int position = 0;
    const auto decide = [&](const FileGroup &group, const QString &name) {
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
    };
    if (!stack.numbersCollisions())
        return BatchPlan::fromGroups(groups, decide);

    // Numbers depend on every name of a folder: each group is decided whole
    // first, in the order fromGroups asks, which then reads the answers.
    QVector<QVector<BatchPlan::Decision>> decided;
    decided.reserve(groups.size());
    for (const FileGroup &group : std::as_const(groups)) {
        QStringList names;
        QVector<BatchPlan::Decision> decisions;
        for (const QString &entry : group.entries) {
            const QString name = group.kind == FileGroup::Directory ? entry : fileNameOf(entry);
            if (name.isEmpty())
                continue;
            names.append(name);
            decisions.append(decide(group, name));
        }
        numberCollisions(decisions, names, options.unchanged);
        decided.append(decisions);
    }
    qsizetype groupIndex = -1;
    qsizetype answer = 0;
    currentGroup = nullptr;
    return BatchPlan::fromGroups(groups, [&](const FileGroup &group, const QString &) {
        if (&group != currentGroup) {
            currentGroup = &group;
            ++groupIndex;
            answer = 0;
        }
        return decided[groupIndex][answer++];
    });
}

#include "ruleplan.h"

#include "filenames.h"
#include "grouping.h"
#include "metadatacache.h"

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
    const ListingOrder order = listingOrder(stack);
    const bool byTaken = order == ListingOrder::Taken;
    // Dates taken are read first for the whole input at once, where the
    // reading can be followed and stopped.
    GroupList groups =
        groupInput(pathList, byTaken ? ListingOrder::Name : order, options.recursive);
    if (!readMetadata(groups, stack, options))
        return GroupList();
    if (byTaken) {
        for (FileGroup &group : groups) {
            if (group.kind == FileGroup::Directory)
                sortByTaken(group);
        }
    }
    return groups;
}

bool RulePlan::readMetadata(const GroupList &groups, const RuleStack &stack,
                            const RulePlanOptions &options)
{
    if (!stack.readsMetadata() && listingOrder(stack) != ListingOrder::Taken)
        return true;
    QStringList paths;
    for (const FileGroup &group : groups) {
        for (const QString &entry : group.entries) {
            // The path RuleFile reads the cache by.
            const QString name = group.kind == FileGroup::Directory ? entry : fileNameOf(entry);
            if (!name.isEmpty())
                paths.append(group.folderPrefix + name);
        }
    }
    return MetadataCache::shared().readAll(paths, {}, options.progress, options.cancel);
}

BatchPlan RulePlan::make(const QStringList &pathList, const RuleStack &stack,
                         const RulePlanOptions &options)
{
    return make(listInput(pathList, stack, options), stack, options);
}

namespace {

// The stack's order: its listing sorted already, a counting stack may
// reverse it.
void reorder(GroupList &groups, const RuleStack &stack)
{
    if (!ordered(stack) || !stack.reversed)
        return;
    for (FileGroup &group : groups) {
        if (group.kind != FileGroup::Directory)
            continue;
        std::reverse(group.entries.begin(), group.entries.end());
        std::reverse(group.fileIds.begin(), group.fileIds.end());
    }
}

// The name a rule after rules[after] gives the file whatever it is called
// (a name typed by hand), or nothing.
QString typedNameAfter(const QVector<const Rule *> &rules, qsizetype after, const RuleFile &file,
                       const QString &name)
{
    for (qsizetype r = after + 1; r < rules.size(); ++r) {
        if (!rules[r]->namesAnyFile())
            continue;
        const QString typed = rules[r]->apply(file, name);
        if (typed != name)
            return typed;
    }
    return QString();
}

QVector<const Rule *> enabledRules(const RuleStack &stack)
{
    QVector<const Rule *> rules;
    for (int i = 0; i < stack.size(); ++i) {
        if (stack.at(i).enabled)
            rules.append(&stack.at(i));
    }
    return rules;
}

bool selectedByAll(const QVector<const Rule *> &rules, const QString &name)
{
    for (const Rule *rule : rules) {
        if (!rule->selects(name))
            return false;
    }
    return true;
}

// Numbers the files the stack renames, one after the other, the same way
// for the check of the input and for the plan.
class FileCounter
{
public:
    explicit FileCounter(const GroupList &groups)
    {
        qsizetype count = 0;
        for (const FileGroup &group : groups)
            count += group.entries.size();
        m_requestCount = int(qMin<qsizetype>(count, INT_MAX));
    }

    RuleFile next(const FileGroup &group, const QString &name)
    {
        if (&group != m_group) {
            m_group = &group;
            m_position = 0;
        }
        RuleFile file;
        file.folder = group.folderPrefix;
        file.oldName = name;
        file.position = m_position++;
        file.groupCount = int(group.entries.size());
        file.requestPosition = m_requestPosition++;
        file.requestCount = m_requestCount;
        return file;
    }

private:
    const FileGroup *m_group = nullptr;
    int m_position = 0;
    int m_requestPosition = 0;
    int m_requestCount = 0;
};

} // namespace

QString RulePlan::problem(GroupList groups, const RuleStack &stack)
{
    reorder(groups, stack);
    const QVector<const Rule *> rules = enabledRules(stack);
    FileCounter counter(groups);
    QVector<RuleFile> files;
    for (const FileGroup &group : std::as_const(groups)) {
        for (const QString &entry : group.entries) {
            // As the plan meets them: an entry that names no file is none.
            const QString name = group.kind == FileGroup::Directory ? entry : fileNameOf(entry);
            if (!name.isEmpty() && selectedByAll(rules, name))
                files.append(counter.next(group, name));
        }
    }
    return stack.inputProblem(files);
}

BatchPlan RulePlan::make(GroupList groups, const RuleStack &stack, const RulePlanOptions &options)
{
    reorder(groups, stack);
    const QVector<const Rule *> rules = enabledRules(stack);
    FileCounter counter(groups);
    RuleFile file;
    const auto decide = [&](const FileGroup &group, const QString &name) {
        if (!selectedByAll(rules, name))
            return BatchPlan::Decision{name, PlannedRename::Note::SuffixNotSelected};
        // Facts read for the previous file are not this one's.
        file = counter.next(group, name);
        QString newName = name;
        for (qsizetype r = 0; r < rules.size(); ++r) {
            newName = rules[r]->apply(file, newName);
            if (file.missing().isEmpty())
                continue;
            // A name typed for the file stands where a rule lacked a fact.
            const QString typed = typedNameAfter(rules, r, file, name);
            if (typed.isEmpty())
                return BatchPlan::Decision{name, PlannedRename::Note::MissingField, file.missing()};
            newName = typed;
            break;
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
    const FileGroup *currentGroup = nullptr;
    return BatchPlan::fromGroups(groups, [&](const FileGroup &group, const QString &) {
        if (&group != currentGroup) {
            currentGroup = &group;
            ++groupIndex;
            answer = 0;
        }
        return decided[groupIndex][answer++];
    });
}

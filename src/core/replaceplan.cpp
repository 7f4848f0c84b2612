#include "replaceplan.h"

#include "filenames.h"
#include "grouping.h"

ReplaceRule ReplaceRule::make(const QString &replaceIn, const QString &replaceOut, bool regExp,
                              bool suffix)
{
    ReplaceRule rule;
    rule.replaceIn = replaceIn;
    rule.replaceOut = replaceOut;
    if (regExp) {
        rule.mode = RegExp;
        rule.pattern = QRegExp(replaceIn, Qt::CaseSensitive, QRegExp::RegExp);
    } else if (suffix) {
        rule.mode = Suffix;
    }
    return rule;
}

QString ReplacePlan::newName(const QString &fileName, const ReplaceRule &rule)
{
    if (rule.replaceIn.isEmpty())
        return fileName;
    const NameParts parts = splitFileName(fileName);

    switch (rule.mode) {
    case ReplaceRule::BaseName: {
        if (!parts.baseName.contains(rule.replaceIn))
            return fileName;
        QString base = parts.baseName;
        base.replace(rule.replaceIn, rule.replaceOut);
        return parts.compose(base, parts.suffix);
    }
    case ReplaceRule::Suffix: {
        if (!parts.suffix.contains(rule.replaceIn))
            return fileName;
        QString suffix = parts.suffix;
        suffix.replace(rule.replaceIn, rule.replaceOut);
        // Removing the whole suffix removes its dot too, rather than leaving
        // a name that ends in a dot.
        if (suffix.isEmpty())
            return parts.baseName + parts.middle;
        return parts.compose(parts.baseName, suffix);
    }
    case ReplaceRule::RegExp:
        if (!rule.pattern.isValid() || !rule.pattern.exactMatch(parts.baseName))
            return fileName;
        return parts.compose(rule.pattern.replaceIn(parts.baseName, rule.replaceOut), parts.suffix);
    }
    return fileName;
}

BatchPlan ReplacePlan::make(const QStringList &pathList, const ReplaceRule &rule)
{
    // Every listing is taken before the first rename.
    const GroupList groups = groupInput(pathList, ListingOrder::Unsorted);
    return BatchPlan::fromGroups(groups, [&rule](const FileGroup &, const QString &name) {
        QString replaced = newName(name, rule);
        if (replaced == name)
            return BatchPlan::Decision{name, PlannedRename::Note::NoMatch};
        return BatchPlan::Decision{replaced, PlannedRename::Note::None};
    });
}

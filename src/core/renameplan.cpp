#include "renameplan.h"

#include "filenames.h"
#include "ruleplan.h"
#include "ruleregistry.h"

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

RuleStack RenamePlan::stackOf(const RenameOptions &options)
{
    std::unique_ptr<Rule> rule = RuleRegistry::create(QStringLiteral("numbering"));
    rule->setValue(QStringLiteral("text"), options.outputFormat);
    rule->setValue(QStringLiteral("reverse"), options.reverseFormat);
    static const QStringList formats = {QStringLiteral("name"), QStringLiteral("append"),
                                        QStringLiteral("prepend")};
    rule->setValue(QStringLiteral("format"), formats.value(options.formatPosition, formats[0]));
    rule->setValue(QStringLiteral("extensions"),
                   options.everySuffix ? QStringList{QStringLiteral("*")} : options.listExtensions);
    RuleStack stack;
    stack.append(std::move(rule));
    stack.order = orderOf(options.renameBy);
    stack.reversed = options.renameByReversed;
    return stack;
}

BatchPlan RenamePlan::make(const QStringList &pathList, const RenameOptions &options)
{
    RulePlanOptions planOptions;
    planOptions.recursive = options.recursive;
    return RulePlan::make(pathList, stackOf(options), planOptions);
}

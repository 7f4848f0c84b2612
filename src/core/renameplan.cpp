#include "renameplan.h"

#include "filenames.h"
#include "ruleplan.h"
#include "ruleregistry.h"

#include <QStringBuilder>

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
    if (number < 0 || fileCount < 0)
        return QStringLiteral("%1").arg(number, int(QString::number(fileCount).size()), 10,
                                        QLatin1Char('0'));
    // Written in place, zero-padded to the digits of the count: a batch
    // numbers every file.
    int width = 1;
    for (int count = fileCount; count >= 10; count /= 10)
        ++width;
    int digits = 1;
    for (int rest = number; rest >= 10; rest /= 10)
        ++digits;
    QString text(qMax(width, digits), QLatin1Char('0'));
    QChar *end = text.data() + text.size();
    for (int rest = number, i = 1; i <= digits; rest /= 10, ++i)
        *(end - i) = QLatin1Char(char('0' + rest % 10));
    return text;
}

QString RenamePlan::composeName(const QString &oldName, const QString &number,
                                const RenameOptions &options)
{
    const QStringView first = options.reverseFormat ? number : options.outputFormat;
    const QStringView second = options.reverseFormat ? options.outputFormat : number;
    const qsizetype lastDot = oldName.lastIndexOf(QLatin1Char('.'));
    // Everything up to the last dot stays where the old name is kept, so
    // "IMG.2024.jpg" loses nothing; a name without a dot gets no dot. Built
    // at its size in one go: a batch keeps a million of these.
    const QStringView stem =
        lastDot < 0 ? QStringView(oldName) : QStringView(oldName).left(lastDot);
    const QStringView ending = lastDot < 0 ? QStringView() : QStringView(oldName).mid(lastDot);
    switch (options.formatPosition) {
    case 1:
        return QString(first % second % QLatin1Char('-') % stem % ending);
    case 2:
        return QString(stem % QLatin1Char('-') % first % second % ending);
    default:
        return QString(first % second % ending);
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

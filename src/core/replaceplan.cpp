#include "replaceplan.h"

#include "filenames.h"
#include "ruleplan.h"
#include "ruleregistry.h"

ReplaceRequest ReplaceRequest::make(const QString &replaceIn, const QString &replaceOut,
                                    bool regExp, bool suffix)
{
    ReplaceRequest rule;
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

RuleStack ReplacePlan::stackOf(const ReplaceRequest &request)
{
    std::unique_ptr<Rule> rule = RuleRegistry::create(QStringLiteral("replace"));
    rule->setValue(QStringLiteral("find"), request.replaceIn);
    rule->setValue(QStringLiteral("with"), request.replaceOut);
    if (request.mode == ReplaceRequest::RegExp) {
        rule->setValue(QStringLiteral("regexp"), true);
        rule->setValue(QStringLiteral("syntax"), QStringLiteral("qregexp"));
        rule->setValue(QStringLiteral("match"), QStringLiteral("whole"));
    }
    rule->setValue(QStringLiteral("on"), request.mode == ReplaceRequest::Suffix
                                             ? QStringLiteral("suffix")
                                             : QStringLiteral("stem"));
    RuleStack stack;
    stack.append(std::move(rule));
    return stack;
}

QString ReplacePlan::newName(const QString &fileName, const ReplaceRequest &request)
{
    const RuleStack stack = stackOf(request);
    return stack.at(0).apply(RuleFile(), fileName);
}

BatchPlan ReplacePlan::make(const QStringList &pathList, const ReplaceRequest &request,
                            bool recursive)
{
    // Every listing is taken before the first rename.
    RulePlanOptions options;
    options.recursive = recursive;
    options.unchanged = PlannedRename::Note::NoMatch;
    return RulePlan::make(pathList, stackOf(request), options);
}

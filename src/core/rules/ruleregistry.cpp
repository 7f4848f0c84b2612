#include "ruleregistry.h"

#include "caserule.h"
#include "charactersrule.h"
#include "counterrule.h"
#include "editednamesrule.h"
#include "insertrule.h"
#include "listrule.h"
#include "numberingrule.h"
#include "removerule.h"
#include "replacerule.h"
#include "suffixrule.h"
#include "templaterule.h"

namespace {

template <typename KindRule> std::unique_ptr<Rule> make()
{
    return std::make_unique<KindRule>();
}

} // namespace

const QVector<RuleRegistry::Kind> &RuleRegistry::kinds()
{
    static const QVector<Kind> all = {
        {QStringLiteral("numbering"), QT_TRANSLATE_NOOP("Rule", "Text and number"),
         make<NumberingRule>},
        {QStringLiteral("replace"), QT_TRANSLATE_NOOP("Rule", "Replace"), make<ReplaceRule>},
        {QStringLiteral("case"), QT_TRANSLATE_NOOP("Rule", "Letter case"), make<CaseRule>},
        {QStringLiteral("insert"), QT_TRANSLATE_NOOP("Rule", "Insert"), make<InsertRule>},
        {QStringLiteral("remove"), QT_TRANSLATE_NOOP("Rule", "Remove"), make<RemoveRule>},
        {QStringLiteral("counter"), QT_TRANSLATE_NOOP("Rule", "Counter"), make<CounterRule>},
        {QStringLiteral("template"), QT_TRANSLATE_NOOP("Rule", "Template"), make<TemplateRule>},
        {QStringLiteral("characters"), QT_TRANSLATE_NOOP("Rule", "Characters"),
         make<CharactersRule>},
        {QStringLiteral("suffix"), QT_TRANSLATE_NOOP("Rule", "Suffix"), make<SuffixRule>},
        {QStringLiteral("list"), QT_TRANSLATE_NOOP("Rule", "Names from a list"), make<ListRule>},
        {QStringLiteral("edits"), QT_TRANSLATE_NOOP("Rule", "Names typed in the table"),
         make<EditedNamesRule>, false},
    };
    return all;
}

std::unique_ptr<Rule> RuleRegistry::create(const QString &name)
{
    for (const Kind &kind : kinds()) {
        if (kind.name == name) {
            std::unique_ptr<Rule> rule = kind.make();
            rule->reset();
            return rule;
        }
    }
    return nullptr;
}

QString RuleRegistry::title(const QString &name)
{
    for (const Kind &kind : kinds()) {
        if (kind.name == name)
            return QCoreApplication::translate("Rule", kind.title);
    }
    return name;
}

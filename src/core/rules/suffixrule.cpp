#include "suffixrule.h"

#include "caserule.h"

namespace {

// Whether the case leaves an old suffix as it is, known without a copy for
// ASCII.
bool unchangedCase(QStringView suffix, SuffixRule::Case letterCase)
{
    if (letterCase == SuffixRule::Case::Keep)
        return true;
    const bool upper = letterCase == SuffixRule::Case::Upper;
    for (const QChar c : suffix) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || (upper ? (u >= u'a' && u <= u'z') : (u >= u'A' && u <= u'Z')))
            return false;
    }
    return true;
}

} // namespace

QVector<RuleParameter> SuffixRule::parameters() const
{
    using Type = RuleParameter::Type;
    return {
        {QStringLiteral("case"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Case"),
         QStringLiteral("keep"),
         {{QStringLiteral("keep"), QT_TRANSLATE_NOOP("Rule", "as it is")},
          {QStringLiteral("lower"), QT_TRANSLATE_NOOP("Rule", "lower case")},
          {QStringLiteral("upper"), QT_TRANSLATE_NOOP("Rule", "UPPER CASE")}}},
        {QStringLiteral("set"),
         Type::Text,
         QT_TRANSLATE_NOOP("Rule", "New suffix (empty keeps it)"),
         QString(),
         {}},
        {QStringLiteral("split"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Suffix starts at"),
         QStringLiteral("last"),
         {{QStringLiteral("last"), QT_TRANSLATE_NOOP("Rule", "the last dot")},
          {QStringLiteral("first"), QT_TRANSLATE_NOOP("Rule", "the first dot")}}},
    };
}

QString SuffixRule::prepare()
{
    const QString letterCase = text(QStringLiteral("case"));
    m_case = letterCase == QLatin1String("lower")   ? Case::Lower
             : letterCase == QLatin1String("upper") ? Case::Upper
                                                    : Case::Keep;
    m_set = text(QStringLiteral("set"));
    if (m_set.startsWith(QLatin1Char('.')))
        m_set.remove(0, 1);
    m_firstDot = text(QStringLiteral("split")) == QLatin1String("first");
    return QString();
}

QString SuffixRule::apply(const RuleFile &, const QString &name) const
{
    const qsizetype dot =
        m_firstDot ? name.indexOf(QLatin1Char('.')) : name.lastIndexOf(QLatin1Char('.'));
    const QStringView old = dot < 0 ? QStringView() : QStringView(name).mid(dot + 1);
    if (m_set.isEmpty() && unchangedCase(old, m_case))
        return name;
    const QStringView given = m_set.isEmpty() ? old : QStringView(m_set);
    const QString suffix =
        m_case == Case::Keep ? given.toString() : CaseRule::cased(given, m_case == Case::Upper);
    if (suffix == old)
        return name;
    const QStringView base = QStringView(name).left(dot < 0 ? name.size() : dot);
    QString out;
    out.reserve(base.size() + 1 + suffix.size());
    out.append(base);
    if (!suffix.isEmpty()) // a suffix made empty takes its dot with it
        out.append(QLatin1Char('.'));
    out.append(suffix);
    return out;
}

QString SuffixRule::summary() const
{
    QStringList parts;
    if (!m_set.isEmpty())
        parts.append(m_firstDot ? Rule::tr("suffix .%1 from the first dot").arg(m_set)
                                : Rule::tr("suffix .%1").arg(m_set));
    if (m_case != Case::Keep)
        parts.append(Rule::tr("suffix in %1").arg(choiceLabel(QStringLiteral("case"))));
    if (parts.isEmpty())
        return Rule::tr("suffix as it is");
    return parts.join(QLatin1String(", "));
}

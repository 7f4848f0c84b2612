#include "numberingrule.h"

#include "filenames.h"

QVector<RuleParameter> NumberingRule::parameters() const
{
    using Type = RuleParameter::Type;
    return {
        {QStringLiteral("text"), Type::Text, QT_TRANSLATE_NOOP("Rule", "Text"), QString(), {}},
        {QStringLiteral("format"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Format"),
         QStringLiteral("name"),
         {{QStringLiteral("name"), QT_TRANSLATE_NOOP("Rule", "Text and number only")},
          {QStringLiteral("append"), QT_TRANSLATE_NOOP("Rule", "Before the old name")},
          {QStringLiteral("prepend"), QT_TRANSLATE_NOOP("Rule", "After the old name")}}},
        {QStringLiteral("reverse"),
         Type::Flag,
         QT_TRANSLATE_NOOP("Rule", "Number before the text"),
         false,
         {}},
        {QStringLiteral("extensions"),
         Type::List,
         QT_TRANSLATE_NOOP("Rule", "Suffixes (* for every one)"),
         QStringList{QStringLiteral("*")},
         {}},
    };
}

QString NumberingRule::prepare()
{
    m_options.outputFormat = text(QStringLiteral("text"));
    m_options.reverseFormat = flag(QStringLiteral("reverse"));
    const QString format = text(QStringLiteral("format"));
    m_options.formatPosition = format == QLatin1String("append")    ? 1
                               : format == QLatin1String("prepend") ? 2
                                                                    : 0;
    m_options.listExtensions = list(QStringLiteral("extensions"));
    m_options.everySuffix = m_options.listExtensions.contains(QStringLiteral("*"));
    return QString();
}

bool NumberingRule::selects(const QString &oldName) const
{
    return m_options.everySuffix || m_options.listExtensions.contains(suffixOf(oldName));
}

QString NumberingRule::apply(const RuleFile &file, const QString &name) const
{
    return RenamePlan::composeName(
        name, RenamePlan::formatNumber(file.groupCount, file.position + 1), m_options);
}

QString NumberingRule::summary() const
{
    const QString number = QStringLiteral("#");
    const QString numbered =
        m_options.reverseFormat ? number + m_options.outputFormat : m_options.outputFormat + number;
    switch (m_options.formatPosition) {
    case 1:
        return numbered + QStringLiteral("-{name}");
    case 2:
        return QStringLiteral("{name}-") + numbered;
    default:
        return numbered;
    }
}

#include "editednamesrule.h"

QVector<RuleParameter> EditedNamesRule::parameters() const
{
    RuleParameter names{QStringLiteral("names"),
                        RuleParameter::Type::List,
                        QT_TRANSLATE_NOOP("Rule", "Paths and typed names"),
                        QStringList(),
                        {}};
    names.field = RuleParameter::Field::Hidden;
    return {names};
}

QString EditedNamesRule::prepare()
{
    m_names.clear();
    const QStringList pairs = list(QStringLiteral("names"));
    if (pairs.size() % 2 != 0)
        return Rule::tr("the typed names do not come in pairs of a path and a name");
    for (qsizetype i = 0; i < pairs.size(); i += 2) {
        if (pairs[i + 1].isEmpty())
            return Rule::tr("the typed name of \"%1\" is empty").arg(pairs[i]);
        m_names.insert(pairs[i], pairs[i + 1]);
    }
    return QString();
}

QString EditedNamesRule::apply(const RuleFile &file, const QString &name) const
{
    return m_names.isEmpty() ? name : m_names.value(file.path(), name);
}

QString EditedNamesRule::summary() const
{
    return Rule::tr("typed names: %1").arg(m_names.size());
}

void EditedNamesRule::setName(const QString &path, const QString &newName)
{
    QStringList pairs;
    // In the order typed, each path once.
    const QStringList old = list(QStringLiteral("names"));
    for (qsizetype i = 0; i + 1 < old.size(); i += 2) {
        if (old[i] != path)
            pairs << old[i] << old[i + 1];
    }
    if (!newName.isEmpty())
        pairs << path << newName;
    setValue(QStringLiteral("names"), pairs);
}

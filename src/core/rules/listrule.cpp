#include "listrule.h"

#include <QFile>
#include <QSet>

namespace {

// The fields of one CSV line; false when a quote is left open.
bool csvFields(const QString &line, QStringList *fields)
{
    fields->clear();
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c != QLatin1Char('"'))
                field.append(c);
            else if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                field.append(line[++i]);
            else
                quoted = false;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields->append(field);
            field.clear();
        } else {
            field.append(c);
        }
    }
    fields->append(field);
    return !quoted;
}

bool hasUnquotedComma(const QString &line)
{
    bool quoted = false;
    for (const QChar c : line) {
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == QLatin1Char(',') && !quoted)
            return true;
    }
    return false;
}

} // namespace

QVector<RuleParameter> ListRule::parameters() const
{
    using Type = RuleParameter::Type;
    RuleParameter file{
        QStringLiteral("file"), Type::Text, QT_TRANSLATE_NOOP("Rule", "List file"), QString(), {}};
    file.field = RuleParameter::Field::File;
    RuleParameter names{QStringLiteral("names"),
                        Type::List,
                        QT_TRANSLATE_NOOP("Rule", "Names (without a file)"),
                        QStringList(),
                        {}};
    names.field = RuleParameter::Field::Lines;
    return {
        file,
        {QStringLiteral("format"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Format"),
         QStringLiteral("auto"),
         {{QStringLiteral("auto"), QT_TRANSLATE_NOOP("Rule", "found from the list")},
          {QStringLiteral("lines"), QT_TRANSLATE_NOOP("Rule", "one new name per line")},
          {QStringLiteral("csv"), QT_TRANSLATE_NOOP("Rule", "old name,new name")}}},
        names,
    };
}

QString ListRule::prepare()
{
    m_names.clear();
    m_oldNames.clear();
    m_renamed.clear();
    QStringList lines;
    const QString path = text(QStringLiteral("file"));
    if (path.isEmpty()) {
        lines = list(QStringLiteral("names"));
    } else {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return Rule::tr("the list \"%1\" cannot be read: %2").arg(path, file.errorString());
        QString content = QString::fromUtf8(file.readAll());
        if (content.startsWith(QChar(0xFEFF)))
            content.remove(0, 1);
        content.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        lines = content.split(QLatin1Char('\n'));
    }
    while (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();

    const QString format = text(QStringLiteral("format"));
    m_byOldName = format == QLatin1String("csv");
    if (format == QLatin1String("auto")) {
        m_byOldName = !lines.isEmpty();
        for (const QString &line : std::as_const(lines)) {
            if (!line.isEmpty() && !hasUnquotedComma(line))
                m_byOldName = false;
        }
    }
    if (!m_byOldName) {
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].isEmpty())
                return Rule::tr("line %1 of the list is empty").arg(i + 1);
        }
        m_names = lines;
        return QString();
    }
    QStringList fields;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].isEmpty())
            continue;
        if (!csvFields(lines[i], &fields) || fields.size() != 2 || fields[0].isEmpty()
            || fields[1].isEmpty())
            return Rule::tr("line %1 of the list is not \"old name,new name\"").arg(i + 1);
        if (m_renamed.contains(fields[0]))
            return Rule::tr("line %1 of the list names \"%2\" again").arg(i + 1).arg(fields[0]);
        m_oldNames.append(fields[0]);
        m_renamed.insert(fields[0], fields[1]);
    }
    return QString();
}

QString ListRule::apply(const RuleFile &file, const QString &name) const
{
    if (m_byOldName)
        return m_renamed.value(file.oldName, name);
    return file.requestPosition < m_names.size() ? m_names[file.requestPosition] : name;
}

QString ListRule::checkInput(const QVector<RuleFile> &files) const
{
    if (!m_byOldName) {
        if (m_names.size() != files.size())
            return Rule::tr("the list has %1 names for %Ln files", nullptr, int(files.size()))
                .arg(m_names.size());
        return QString();
    }
    QSet<QString> oldNames;
    for (const RuleFile &file : files)
        oldNames.insert(file.oldName);
    for (const QString &oldName : m_oldNames) {
        if (!oldNames.contains(oldName))
            return Rule::tr("the list renames \"%1\", which is not among the files").arg(oldName);
    }
    return QString();
}

QString ListRule::summary() const
{
    const QString path = text(QStringLiteral("file"));
    return path.isEmpty() ? Rule::tr("names from a list") : Rule::tr("names from %1").arg(path);
}

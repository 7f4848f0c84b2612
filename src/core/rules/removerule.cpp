#include "removerule.h"

#include "insertrule.h"

namespace {

// The code point at *i, stepping past it; a lone surrogate (a byte of a name
// that is not UTF-8) stands for itself.
char32_t nextCodePoint(QStringView text, qsizetype *i)
{
    const QChar c = text[(*i)++];
    if (c.isHighSurrogate() && *i < text.size() && text[*i].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[(*i)++]);
    return c.unicode();
}

RuleParameter numberParameter(const char *key, const char *label)
{
    RuleParameter parameter{QLatin1String(key), RuleParameter::Type::Number, label, 0, {}};
    parameter.maximum = 9999;
    return parameter;
}

// The name with a run of blanks as one space; false when it has no run to
// change.
bool collapsed(const QString &name, QString *out)
{
    bool changes = false;
    for (qsizetype i = 0; i < name.size() && !changes; ++i) {
        if (name[i].isSpace())
            changes = name[i] != QLatin1Char(' ') || (i + 1 < name.size() && name[i + 1].isSpace());
    }
    if (!changes)
        return false;
    QString result;
    result.reserve(name.size());
    bool blank = false;
    for (const QChar c : name) {
        if (c.isSpace()) {
            if (!blank)
                result.append(QLatin1Char(' '));
            blank = true;
        } else {
            result.append(c);
            blank = false;
        }
    }
    *out = result;
    return true;
}

QString without(const QString &name, qsizetype from, qsizetype to)
{
    if (from >= to)
        return name;
    QString out;
    out.reserve(name.size() - (to - from));
    out.append(QStringView(name).left(from));
    out.append(QStringView(name).mid(to));
    return out;
}

} // namespace

QVector<RuleParameter> RemoveRule::parameters() const
{
    using Type = RuleParameter::Type;
    return {
        numberParameter("position", QT_TRANSLATE_NOOP("Rule", "From character")),
        numberParameter("count", QT_TRANSLATE_NOOP("Rule", "Characters to remove")),
        {QStringLiteral("from"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Counted from"),
         QStringLiteral("start"),
         {{QStringLiteral("start"), QT_TRANSLATE_NOOP("Rule", "the start of the base name")},
          {QStringLiteral("end"), QT_TRANSLATE_NOOP("Rule", "the end of the base name")}}},
        {QStringLiteral("trim"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Trim"),
         QStringLiteral("none"),
         {{QStringLiteral("none"), QT_TRANSLATE_NOOP("Rule", "nothing")},
          {QStringLiteral("blanks"), QT_TRANSLATE_NOOP("Rule", "blanks")},
          {QStringLiteral("characters"), QT_TRANSLATE_NOOP("Rule", "the characters below")}}},
        {QStringLiteral("characters"),
         Type::Text,
         QT_TRANSLATE_NOOP("Rule", "Characters to trim"),
         QString(),
         {}},
        {QStringLiteral("at"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Trim at"),
         QStringLiteral("both"),
         {{QStringLiteral("both"), QT_TRANSLATE_NOOP("Rule", "both ends")},
          {QStringLiteral("start"), QT_TRANSLATE_NOOP("Rule", "the start")},
          {QStringLiteral("end"), QT_TRANSLATE_NOOP("Rule", "the end")}}},
        {QStringLiteral("collapse"),
         Type::Flag,
         QT_TRANSLATE_NOOP("Rule", "Runs of blanks become one space"),
         false,
         {}},
    };
}

QString RemoveRule::prepare()
{
    m_position = number(QStringLiteral("position"));
    m_count = number(QStringLiteral("count"));
    m_fromEnd = text(QStringLiteral("from")) == QLatin1String("end");
    const QString trim = text(QStringLiteral("trim"));
    m_trim = trim == QLatin1String("blanks")       ? Trim::Blanks
             : trim == QLatin1String("characters") ? Trim::Characters
                                                   : Trim::None;
    m_characters.clear();
    const QString characters = text(QStringLiteral("characters"));
    for (qsizetype i = 0; i < characters.size();) {
        const char32_t c = nextCodePoint(characters, &i);
        if (!m_characters.contains(c))
            m_characters.append(c);
    }
    const QString at = text(QStringLiteral("at"));
    m_atStart = at != QLatin1String("end");
    m_atEnd = at != QLatin1String("start");
    m_collapse = flag(QStringLiteral("collapse"));
    return QString();
}

// Whether every code point of one character is trimmed.
bool RemoveRule::trims(QStringView character) const
{
    for (qsizetype i = 0; i < character.size();) {
        const char32_t c = nextCodePoint(character, &i);
        if (m_trim == Trim::Blanks ? !QChar::isSpace(c) : !m_characters.contains(c))
            return false;
    }
    return true;
}

// Where text starts once trimmed at its start.
qsizetype RemoveRule::keptFrom(QStringView text) const
{
    const CharacterOffsets offsets(text);
    for (qsizetype n = 0; n < offsets.count(); ++n) {
        const qsizetype from = offsets.fromStart(n);
        if (!trims(text.mid(from, offsets.fromStart(n + 1) - from)))
            return from;
    }
    return text.size();
}

// Where text ends once trimmed at its end.
qsizetype RemoveRule::keptTo(QStringView text) const
{
    const CharacterOffsets offsets(text);
    for (qsizetype n = 0; n < offsets.count(); ++n) {
        const qsizetype from = offsets.fromEnd(n + 1);
        const qsizetype to = offsets.fromEnd(n);
        if (!trims(text.mid(from, to - from)))
            return to;
    }
    return 0;
}

QString RemoveRule::apply(const RuleFile &, const QString &name) const
{
    QString out = name;
    if (m_count > 0) {
        const qsizetype dot = out.lastIndexOf(QLatin1Char('.'));
        const CharacterOffsets offsets(QStringView(out).left(dot < 0 ? out.size() : dot));
        const qsizetype first = m_position;
        const qsizetype last = first + m_count;
        out = m_fromEnd ? without(out, offsets.fromEnd(last), offsets.fromEnd(first))
                        : without(out, offsets.fromStart(first), offsets.fromStart(last));
    }
    if (m_collapse)
        collapsed(out, &out);
    if (m_trim == Trim::None || (m_trim == Trim::Characters && m_characters.isEmpty()))
        return out;
    if (m_atStart)
        out = without(out, 0, keptFrom(out));
    if (m_atEnd) {
        out = without(out, keptTo(out), out.size());
        const qsizetype dot = out.lastIndexOf(QLatin1Char('.'));
        if (dot > 0)
            out = without(out, keptTo(QStringView(out).left(dot)), dot);
    }
    return out;
}

QString RemoveRule::summary() const
{
    QStringList parts;
    if (m_count > 0) {
        parts.append(m_fromEnd
                         ? Rule::tr("remove %1 at %2 from the end").arg(m_count).arg(m_position)
                         : Rule::tr("remove %1 at %2").arg(m_count).arg(m_position));
    }
    if (m_collapse)
        parts.append(Rule::tr("one space for a run of blanks"));
    if (m_trim == Trim::Blanks)
        parts.append(Rule::tr("trim blanks at %1").arg(choiceLabel(QStringLiteral("at"))));
    if (m_trim == Trim::Characters)
        parts.append(
            Rule::tr("trim \"%1\" at %2")
                .arg(text(QStringLiteral("characters")), choiceLabel(QStringLiteral("at"))));
    if (parts.isEmpty())
        return Rule::tr("remove nothing");
    return parts.join(QLatin1String(", "));
}

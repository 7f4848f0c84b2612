#include "replacerule.h"

#include "filenames.h"

#include <QStringBuilder>
#include <QVarLengthArray>

#include <algorithm>

QVector<RuleParameter> ReplaceRule::parameters() const
{
    using Type = RuleParameter::Type;
    return {
        {QStringLiteral("find"), Type::Text, QT_TRANSLATE_NOOP("Rule", "Find"), QString(), {}},
        {QStringLiteral("with"),
         Type::Text,
         QT_TRANSLATE_NOOP("Rule", "Replace with"),
         QString(),
         {}},
        {QStringLiteral("regexp"),
         Type::Flag,
         QT_TRANSLATE_NOOP("Rule", "Regular expression"),
         false,
         {}},
        {QStringLiteral("on"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "In"),
         QStringLiteral("name"),
         {{QStringLiteral("name"), QT_TRANSLATE_NOOP("Rule", "the base name")},
          {QStringLiteral("suffix"), QT_TRANSLATE_NOOP("Rule", "the suffix")},
          {QStringLiteral("whole"), QT_TRANSLATE_NOOP("Rule", "the whole name")},
          {QStringLiteral("stem"), QT_TRANSLATE_NOOP("Rule", "the name up to its first dot")}}},
        {QStringLiteral("sensitive"),
         Type::Flag,
         QT_TRANSLATE_NOOP("Rule", "Case-sensitive"),
         true,
         {}},
        {QStringLiteral("match"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Replace"),
         QStringLiteral("all"),
         {{QStringLiteral("all"), QT_TRANSLATE_NOOP("Rule", "every match")},
          {QStringLiteral("first"), QT_TRANSLATE_NOOP("Rule", "the first match")},
          {QStringLiteral("whole"), QT_TRANSLATE_NOOP("Rule", "only a match of the whole part")}}},
        {QStringLiteral("syntax"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Syntax"),
         QStringLiteral("perl"),
         {{QStringLiteral("perl"), QT_TRANSLATE_NOOP("Rule", "Perl-compatible")},
          {QStringLiteral("qregexp"), QT_TRANSLATE_NOOP("Rule", "as in the Replace tab")}}},
    };
}

QString ReplaceRule::prepare()
{
    m_find = text(QStringLiteral("find"));
    m_with = text(QStringLiteral("with"));
    m_regExp = flag(QStringLiteral("regexp"));
    m_classic = text(QStringLiteral("syntax")) == QLatin1String("qregexp");
    m_sensitivity = flag(QStringLiteral("sensitive")) ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const QString match = text(QStringLiteral("match"));
    m_match = match == QLatin1String("first")   ? Match::First
              : match == QLatin1String("whole") ? Match::Whole
                                                : Match::All;
    const QString on = text(QStringLiteral("on"));
    m_part = on == QLatin1String("suffix")  ? Part::Suffix
             : on == QLatin1String("whole") ? Part::Whole
             : on == QLatin1String("stem")  ? Part::Stem
                                            : Part::Name;
    if (!m_regExp)
        return QString();
    if (m_classic) {
        m_classicPattern = QRegExp(m_find, m_sensitivity, QRegExp::RegExp);
        if (!m_classicPattern.isValid())
            return Rule::tr("\"%1\" is not a valid regular expression: %2")
                .arg(m_find, m_classicPattern.errorString());
        return QString();
    }
    QRegularExpression::PatternOptions options = QRegularExpression::UseUnicodePropertiesOption;
    if (m_sensitivity == Qt::CaseInsensitive)
        options |= QRegularExpression::CaseInsensitiveOption;
    const QString pattern =
        m_match == Match::Whole ? QRegularExpression::anchoredPattern(m_find) : m_find;
    m_pattern = QRegularExpression(pattern, options);
    if (!m_pattern.isValid())
        return Rule::tr("\"%1\" is not a valid regular expression: %2")
            .arg(m_find, m_pattern.errorString());
    m_pattern.optimize();
    return QString();
}

// \1, $1, ${1}, ${name}; "\\" and "$$" stand for themselves.
QString ReplaceRule::expand(const QRegularExpressionMatch &match) const
{
    QString out;
    const QString &with = m_with;
    for (qsizetype i = 0; i < with.size(); ++i) {
        const QChar c = with[i];
        const bool escape = c == QLatin1Char('\\') || c == QLatin1Char('$');
        if (!escape || i + 1 == with.size()) {
            out.append(c);
            continue;
        }
        const QChar next = with[i + 1];
        if (next == c) {
            out.append(c);
            ++i;
            continue;
        }
        if (next.isDigit()) {
            qsizetype end = i + 1;
            // Two digits where the pattern has that many groups.
            if (end + 1 < with.size() && with[end + 1].isDigit()
                && with.mid(end, 2).toInt() <= match.lastCapturedIndex())
                ++end;
            out.append(match.captured(with.mid(i + 1, end - i).toInt()));
            i = end;
            continue;
        }
        if (c == QLatin1Char('$') && next == QLatin1Char('{')) {
            const qsizetype close = with.indexOf(QLatin1Char('}'), i + 2);
            if (close > 0) {
                const QString group = with.mid(i + 2, close - i - 2);
                bool isNumber = false;
                const int number = group.toInt(&isNumber);
                out.append(isNumber ? match.captured(number) : match.captured(group));
                i = close;
                continue;
            }
        }
        out.append(c);
    }
    return out;
}

QString ReplaceRule::replaced(const QString &part) const
{
    if (m_find.isEmpty())
        return part;
    if (!m_regExp)
        return replacedPlain(part, 0, part.size());
    if (m_classic) {
        if (!m_classicPattern.isValid())
            return part;
        QRegExp pattern = m_classicPattern; // matching keeps state
        switch (m_match) {
        case Match::Whole:
            return pattern.exactMatch(part) ? pattern.replaceIn(part, m_with) : part;
        case Match::All:
            return pattern.replaceIn(part, m_with);
        case Match::First: {
            const int at = pattern.indexIn(part);
            if (at < 0)
                return part;
            const QString matched = part.mid(at, pattern.matchedLength());
            return part.left(at) + pattern.replaceIn(matched, m_with)
                   + part.mid(at + pattern.matchedLength());
        }
        }
        return part;
    }
    if (!m_pattern.isValid())
        return part;
    if (m_match == Match::Whole) {
        const QRegularExpressionMatch match = m_pattern.match(part);
        return match.hasMatch() ? expand(match) : part;
    }
    QString out;
    qsizetype copied = 0;
    QRegularExpressionMatchIterator it = m_pattern.globalMatch(part);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(part).mid(copied, match.capturedStart() - copied);
        out += expand(match);
        copied = match.capturedEnd();
        if (m_match == Match::First)
            break;
    }
    if (copied == 0 && out.isEmpty())
        return part;
    out += QStringView(part).mid(copied);
    return out;
}

QString ReplaceRule::replacedPlain(const QString &name, qsizetype from, qsizetype to) const
{
    if (m_find.isEmpty())
        return name;
    const QStringView part = QStringView(name).mid(from, to - from);
    // Where the matches start; a name rarely holds more than a few.
    QVarLengthArray<qsizetype, 8> matches;
    qsizetype matchSize = m_find.size();
    if (m_match == Match::Whole) {
        if (part.compare(m_find, m_sensitivity) == 0)
            matches.append(0);
        matchSize = part.size();
    } else {
        for (qsizetype at = part.indexOf(m_find, 0, m_sensitivity); at >= 0;
             at = part.indexOf(m_find, at + matchSize, m_sensitivity)) {
            matches.append(at);
            if (m_match == Match::First)
                break;
        }
    }
    if (matches.isEmpty())
        return name;
    QString out(name.size() + matches.size() * (m_with.size() - matchSize), Qt::Uninitialized);
    QChar *write = out.data();
    const auto put = [&write](QStringView text) {
        std::copy(text.begin(), text.end(), write);
        write += text.size();
    };
    put(QStringView(name).left(from));
    qsizetype done = 0;
    for (const qsizetype at : std::as_const(matches)) {
        put(part.mid(done, at - done));
        put(m_with);
        done = at + matchSize;
    }
    put(part.mid(done));
    put(QStringView(name).mid(to));
    return out;
}

QString ReplaceRule::apply(const RuleFile &, const QString &name) const
{
    switch (m_part) {
    case Part::Whole:
        return replaced(name);
    case Part::Stem: {
        // The base name before the first dot; the rest follows it unchanged,
        // cut from the name only when the base changes.
        const qsizetype firstDot = name.indexOf(QLatin1Char('.'));
        if (firstDot < 0)
            return replaced(name);
        if (!m_regExp)
            return replacedPlain(name, 0, firstDot);
        const QString base = name.left(firstDot);
        const QString newBase = replaced(base);
        return newBase == base ? name : QString(newBase % QStringView(name).mid(firstDot));
    }
    case Part::Name: {
        SplitName split = SplitName::of(name);
        const QString base = replaced(split.base);
        if (base == split.base)
            return name;
        split.base = base;
        return split.dotted ? base + QLatin1Char('.') + split.suffix : base;
    }
    case Part::Suffix: {
        SplitName split = SplitName::of(name);
        if (!split.dotted)
            return name;
        const QString suffix = replaced(split.suffix);
        if (suffix == split.suffix)
            return name;
        split.suffix = suffix;
        return split.joined();
    }
    }
    return name;
}

QString ReplaceRule::summary() const
{
    return QStringLiteral("%1 → %2").arg(m_find, m_with);
}

#include "caserule.h"

#include <QVarLengthArray>

namespace {

using Case = CaseRule::Case;

// The code point at i and its length in code units; a lone surrogate (a
// byte of a name that is not UTF-8) is one of its own.
char32_t codePointAt(QStringView text, qsizetype i, qsizetype *length)
{
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        *length = 2;
        return QChar::surrogateToUcs4(c, text[i + 1]);
    }
    *length = 1;
    return c.unicode();
}

bool isMark(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
        return true;
    default:
        return false;
    }
}

bool isApostrophe(char32_t c)
{
    return c == U'\'' || c == U'\u2019';
}

bool isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

char16_t asciiCased(char16_t c, bool upper)
{
    if (upper && c >= u'a' && c <= u'z')
        return c - (u'a' - u'A');
    if (!upper && c >= u'A' && c <= u'Z')
        return c + (u'a' - u'A');
    return c;
}

// Whether an ASCII text changes in that case.
bool asciiChanges(QStringView text, bool upper)
{
    for (const QChar c : text) {
        if (asciiCased(c.unicode(), upper) != c.unicode())
            return true;
    }
    return false;
}

// Appends piece in lower or upper case, by Unicode's full mappings.
void appendCased(QString &out, QStringView piece, bool upper)
{
    if (isAscii(piece)) {
        for (const QChar c : piece)
            out.append(QChar(asciiCased(c.unicode(), upper)));
        return;
    }
    // QString's case mapping reads a lone surrogate as U+FFFD: it gets the
    // runs between them only.
    qsizetype from = 0;
    for (qsizetype i = 0; i <= piece.size(); ++i) {
        const bool lone = i < piece.size() && piece[i].isSurrogate()
                          && !(piece[i].isHighSurrogate() && i + 1 < piece.size()
                               && piece[i + 1].isLowSurrogate());
        if (i < piece.size() && !lone) {
            if (piece[i].isHighSurrogate())
                ++i; // the pair's low half
            continue;
        }
        if (i > from) {
            const QString run = piece.mid(from, i - from).toString();
            out.append(upper ? run.toUpper() : run.toLower());
        }
        if (lone)
            out.append(piece[i]);
        from = i + 1;
    }
}

// Where the words of a title (or the one of a sentence) start: each a code
// point that goes to upper case.
struct Start
{
    qsizetype at;
    qsizetype length;
};
using Starts = QVarLengthArray<Start, 32>;

Starts startsOf(QStringView text, bool sentence)
{
    Starts starts;
    bool inWord = false;
    qsizetype length = 1;
    for (qsizetype i = 0; i < text.size(); i += length) {
        const char32_t c = codePointAt(text, i, &length);
        if (QChar::isLetterOrNumber(c)) {
            if (!inWord && (!sentence || (starts.isEmpty() && QChar::isLetter(c))))
                starts.append({i, length});
            inWord = true;
        } else if (isMark(c)) {
            // Belongs to the letter before it.
        } else if (inWord && isApostrophe(c) && i + length < text.size()) {
            qsizetype nextLength = 0;
            inWord = QChar::isLetterOrNumber(codePointAt(text, i + length, &nextLength));
        } else {
            inWord = false;
        }
    }
    return starts;
}

// Appends the code point that starts a word: in title case where a letter
// has one of its own (the digraph "ǆ" gives "ǅ"), in upper case otherwise.
void appendStart(QString &out, QStringView letter)
{
    qsizetype length = 0;
    const char32_t c = codePointAt(letter, 0, &length);
    const char32_t title = QChar::toTitleCase(c);
    if (title != QChar::toUpper(c)) {
        out.append(QStringView(QChar::fromUcs4(title)));
        return;
    }
    appendCased(out, letter, true);
}

// The text in that case in *out, or false when the case changes nothing.
bool recased(QStringView text, Case letterCase, QString *out)
{
    const bool ascii = isAscii(text);
    if (letterCase == Case::Lower || letterCase == Case::Upper) {
        const bool upper = letterCase == Case::Upper;
        if (ascii && !asciiChanges(text, upper))
            return false;
        QString result;
        result.reserve(text.size());
        appendCased(result, text, upper);
        if (!ascii && result == text)
            return false;
        *out = result;
        return true;
    }
    const Starts starts = startsOf(text, letterCase == Case::Sentence);
    if (ascii) {
        bool changes = false;
        qsizetype from = 0;
        for (const Start &start : starts) {
            changes = changes || asciiChanges(text.mid(from, start.at - from), false)
                      || asciiChanges(text.mid(start.at, 1), true);
            from = start.at + 1;
        }
        if (!changes && !asciiChanges(text.mid(from), false))
            return false;
    }
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    for (const Start &start : starts) {
        appendCased(result, text.mid(from, start.at - from), false);
        appendStart(result, text.mid(start.at, start.length));
        from = start.at + start.length;
    }
    appendCased(result, text.mid(from), false);
    if (result == text)
        return false;
    *out = result;
    return true;
}

} // namespace

QString CaseRule::cased(QStringView text, bool upper)
{
    QString out;
    out.reserve(text.size());
    appendCased(out, text, upper);
    return out;
}

QVector<RuleParameter> CaseRule::parameters() const
{
    using Type = RuleParameter::Type;
    return {
        {QStringLiteral("case"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Case"),
         QStringLiteral("lower"),
         {{QStringLiteral("lower"), QT_TRANSLATE_NOOP("Rule", "lower case")},
          {QStringLiteral("upper"), QT_TRANSLATE_NOOP("Rule", "UPPER CASE")},
          {QStringLiteral("title"), QT_TRANSLATE_NOOP("Rule", "Title Case")},
          {QStringLiteral("sentence"), QT_TRANSLATE_NOOP("Rule", "Sentence case")}}},
        {QStringLiteral("on"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "In"),
         QStringLiteral("name"),
         {{QStringLiteral("name"), QT_TRANSLATE_NOOP("Rule", "the base name")},
          {QStringLiteral("suffix"), QT_TRANSLATE_NOOP("Rule", "the suffix")},
          {QStringLiteral("both"), QT_TRANSLATE_NOOP("Rule", "the whole name")}}},
    };
}

QString CaseRule::prepare()
{
    const QString letterCase = text(QStringLiteral("case"));
    m_case = letterCase == QLatin1String("upper")      ? Case::Upper
             : letterCase == QLatin1String("title")    ? Case::Title
             : letterCase == QLatin1String("sentence") ? Case::Sentence
                                                       : Case::Lower;
    const QString on = text(QStringLiteral("on"));
    m_part = on == QLatin1String("suffix") ? Part::Suffix
             : on == QLatin1String("both") ? Part::Whole
                                           : Part::Name;
    return QString();
}

QString CaseRule::apply(const RuleFile &, const QString &name) const
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    qsizetype from = 0;
    qsizetype to = name.size();
    if (m_part == Part::Name && dot >= 0)
        to = dot;
    if (m_part == Part::Suffix) {
        if (dot < 0)
            return name;
        from = dot + 1;
    }
    QString part;
    if (!recased(QStringView(name).mid(from, to - from), m_case, &part))
        return name;
    if (from == 0 && to == name.size())
        return part;
    QString out;
    out.reserve(from + part.size() + name.size() - to);
    out.append(QStringView(name).left(from));
    out.append(part);
    out.append(QStringView(name).mid(to));
    return out;
}

QString CaseRule::summary() const
{
    return Rule::tr("%1 in %2")
        .arg(choiceLabel(QStringLiteral("case")), choiceLabel(QStringLiteral("on")));
}

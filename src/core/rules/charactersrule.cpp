#include "charactersrule.h"

#include <unicode/translit.h>
#include <unicode/unistr.h>

namespace {

// What "ascii" means, in one place. Russian-Latin/BGN first, so that
// Cyrillic reads as English speakers spell it ("Zh", "Shch") rather than as
// ISO 9's accented letters, which Latin-ASCII would strip to "Z" and "S". The
// filter spares the transliterators the ASCII part of a name, which they
// leave as it is anyway: a mostly ASCII name takes a tenth of the time.
const char16_t asciiId[] = u"[:^ASCII:] Russian-Latin/BGN; Any-Latin; Latin-ASCII";

bool below(QStringView text, char16_t limit)
{
    for (const QChar c : text) {
        if (c.unicode() >= limit)
            return false;
    }
    return true;
}

bool refusedByWindows(QChar c)
{
    switch (c.unicode()) {
    case u'<':
    case u'>':
    case u':':
    case u'"':
    case u'/':
    case u'\\':
    case u'|':
    case u'?':
    case u'*':
        return true;
    default:
        return c.unicode() < 0x20;
    }
}

QString fromIcu(const icu::UnicodeString &text)
{
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}

icu::UnicodeString toIcu(QStringView text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()));
}

} // namespace

struct CharactersRule::Transliteration
{
    std::unique_ptr<icu::Transliterator> transliterator;

    QString transliterated(QStringView text) const
    {
        icu::UnicodeString converted = toIcu(text);
        transliterator->transliterate(converted);
        return fromIcu(converted);
    }
};

CharactersRule::CharactersRule() = default;
CharactersRule::~CharactersRule() = default;

QVector<RuleParameter> CharactersRule::parameters() const
{
    using Type = RuleParameter::Type;
    return {
        {QStringLiteral("normalize"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Unicode form"),
         QStringLiteral("none"),
         {{QStringLiteral("none"), QT_TRANSLATE_NOOP("Rule", "as it is")},
          {QStringLiteral("nfc"), QT_TRANSLATE_NOOP("Rule", "composed (NFC)")},
          {QStringLiteral("nfd"), QT_TRANSLATE_NOOP("Rule", "decomposed (NFD)")}}},
        {QStringLiteral("ascii"),
         Type::Flag,
         QT_TRANSLATE_NOOP("Rule", "Letters in ASCII (é → e, Ж → Zh)"),
         false,
         {}},
        {QStringLiteral("windows"),
         Type::Flag,
         QT_TRANSLATE_NOOP("Rule", "Replace characters Windows refuses"),
         false,
         {}},
        {QStringLiteral("replacement"),
         Type::Text,
         QT_TRANSLATE_NOOP("Rule", "Replace them with"),
         QStringLiteral("_"),
         {}},
        {QStringLiteral("blanks"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Blanks"),
         QStringLiteral("keep"),
         {{QStringLiteral("keep"), QT_TRANSLATE_NOOP("Rule", "as they are")},
          {QStringLiteral("underscore"), QT_TRANSLATE_NOOP("Rule", "become _")},
          {QStringLiteral("dash"), QT_TRANSLATE_NOOP("Rule", "become -")}}},
    };
}

QString CharactersRule::prepare()
{
    const QString normalize = text(QStringLiteral("normalize"));
    m_normalize = normalize != QLatin1String("none");
    m_form = normalize == QLatin1String("nfd") ? QString::NormalizationForm_D
                                               : QString::NormalizationForm_C;
    m_windows = flag(QStringLiteral("windows"));
    m_replacement = text(QStringLiteral("replacement"));
    const QString blanks = text(QStringLiteral("blanks"));
    m_blanks = blanks == QLatin1String("underscore") ? Blanks::Underscore
               : blanks == QLatin1String("dash")     ? Blanks::Dash
                                                     : Blanks::Keep;
    if (!flag(QStringLiteral("ascii"))) {
        m_ascii.reset();
        return QString();
    }
    if (m_ascii)
        return QString(); // made once: it takes a while
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError;
    std::unique_ptr<icu::Transliterator> transliterator(icu::Transliterator::createInstance(
        icu::UnicodeString(asciiId), UTRANS_FORWARD, parseError, status));
    if (U_FAILURE(status) || !transliterator)
        return Rule::tr(
                   "Letters cannot be written in ASCII here: the system's ICU refuses \"%1\" (%2).")
            .arg(QString::fromUtf16(asciiId), QString::fromLatin1(u_errorName(status)));
    m_ascii = std::make_unique<Transliteration>();
    m_ascii->transliterator = std::move(transliterator);
    return QString();
}

QString CharactersRule::ascii(const QString &name) const
{
    if (below(name, 0x80))
        return name;
    // Most names of Latin scripts only need their accents dropped, which the
    // transliterator would do at ten times the cost: letters that decompose
    // to ASCII and combining marks.
    QString stripped;
    const QString decomposed = name.normalized(QString::NormalizationForm_D);
    stripped.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            stripped.append(c);
    }
    if (below(stripped, 0x80))
        return stripped;
    QString out = m_ascii->transliterated(name);
    if (out.count(QLatin1Char('/')) == name.count(QLatin1Char('/')))
        return out;
    // A character came out as a slash: each on its own, keeping those.
    out.clear();
    for (qsizetype i = 0; i < name.size();) {
        qsizetype length = 1;
        if (name[i].isHighSurrogate() && i + 1 < name.size() && name[i + 1].isLowSurrogate())
            length = 2;
        const QStringView character = QStringView(name).mid(i, length);
        i += length;
        if (below(character, 0x80)) {
            out.append(character);
            continue;
        }
        const QString written = m_ascii->transliterated(character);
        out.append(written.contains(QLatin1Char('/')) ? character : QStringView(written));
    }
    return out;
}

QString CharactersRule::apply(const RuleFile &, const QString &name) const
{
    QString out = name;
    if (m_ascii)
        out = ascii(out);
    // Below U+00C0 every character is the same in NFC and NFD.
    if (m_normalize && !below(out, 0xC0))
        out = out.normalized(m_form);
    if (m_blanks != Blanks::Keep) {
        const QChar dash = m_blanks == Blanks::Dash ? QLatin1Char('-') : QLatin1Char('_');
        for (qsizetype i = 0; i < out.size(); ++i) {
            if (out.at(i).isSpace())
                out[i] = dash; // copies once, at the first
        }
    }
    if (m_windows) {
        qsizetype i = 0;
        while (i < out.size() && !refusedByWindows(out.at(i)))
            ++i;
        if (i < out.size()) {
            QString replaced;
            replaced.reserve(out.size());
            replaced.append(QStringView(out).left(i));
            for (; i < out.size(); ++i) {
                if (refusedByWindows(out.at(i)))
                    replaced.append(m_replacement);
                else
                    replaced.append(out.at(i));
            }
            out = replaced;
        }
    }
    return out;
}

QString CharactersRule::summary() const
{
    QStringList parts;
    if (m_ascii)
        parts.append(Rule::tr("letters in ASCII"));
    if (m_normalize)
        parts.append(m_form == QString::NormalizationForm_D ? QStringLiteral("NFD")
                                                            : QStringLiteral("NFC"));
    if (m_blanks != Blanks::Keep)
        parts.append(Rule::tr("blanks %1").arg(choiceLabel(QStringLiteral("blanks"))));
    if (m_windows)
        parts.append(Rule::tr("what Windows refuses → \"%1\"").arg(m_replacement));
    if (parts.isEmpty())
        return Rule::tr("characters as they are");
    return parts.join(QLatin1String(", "));
}

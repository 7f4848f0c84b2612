#include "templaterule.h"

#include <algorithm>

namespace {

using Token = TemplateRule::Token;
using Context = TemplateRule::Context;

const int maximumWidth = 32;

int digitCount(int number)
{
    int digits = 1;
    for (; number >= 10; number /= 10)
        ++digits;
    return digits;
}

QString noArgument(const QString &written, bool hasArgument, Token &)
{
    if (hasArgument)
        return Rule::tr("%1 takes nothing after a colon").arg(written);
    return QString();
}

QString readWidth(const QString &written, bool hasArgument, Token &token)
{
    if (!hasArgument)
        return QString();
    bool digitsOnly = !token.argument.isEmpty() && token.argument.size() <= 2;
    for (const QChar c : std::as_const(token.argument))
        digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    token.width = digitsOnly ? token.argument.toInt() : 0;
    if (token.width < 1 || token.width > maximumWidth)
        return Rule::tr("bad width in %1: a number from 1 to %2 is needed")
            .arg(written)
            .arg(maximumWidth);
    return QString();
}

QString readDateFormat(const QString &written, bool hasArgument, Token &token)
{
    if (!hasArgument)
        token.argument = QStringLiteral("yyyy-MM-dd");
    else if (token.argument.isEmpty())
        return Rule::tr("%1 needs a date format after the colon").arg(written);
    return QString();
}

bool appendName(const Context &context, const Token &, QString &out)
{
    out += context.base;
    return true;
}

bool appendSuffix(const Context &context, const Token &, QString &out)
{
    out += context.suffix;
    return true;
}

// As the numbering pads it: to the digits of the folder's file count.
bool appendNumber(const Context &context, const Token &token, QString &out)
{
    const int number = context.file.position + 1;
    const int width = token.width > 0 ? token.width : digitCount(context.file.groupCount);
    for (int digits = digitCount(number); digits < width; ++digits)
        out += QLatin1Char('0');
    out += QString::number(number);
    return true;
}

bool appendFolder(const Context &context, const Token &, QString &out)
{
    out += context.file.folderName();
    return true;
}

bool appendModified(const Context &context, const Token &token, QString &out)
{
    const QDateTime modified = context.file.modified();
    if (!modified.isValid())
        return false;
    out += modified.toString(token.argument);
    return true;
}

// A value the file holds, fit for a name: a "/" would make a path of it, a
// control character hides in a listing.
void appendCleaned(const QString &value, QString &out)
{
    for (const QChar c : value.trimmed()) {
        if (c == QLatin1Char('/'))
            out += QLatin1Char('-');
        else if (c.category() != QChar::Other_Control)
            out += c;
    }
}

bool appendText(const QString &value, QString &out)
{
    if (value.isEmpty())
        return false;
    appendCleaned(value, out);
    return true;
}

bool appendCount(int value, const Token &token, QString &out)
{
    if (value <= 0)
        return false;
    out += QString::number(value).rightJustified(token.width, QLatin1Char('0'));
    return true;
}

bool appendTaken(const Context &context, const Token &token, QString &out)
{
    const QDateTime taken = context.file.metadata().taken;
    if (!taken.isValid())
        return false;
    out += taken.toString(token.argument);
    return true;
}

// One fact of a photo or a song as a token: {exif.make}, {audio.track:2}.
template <QString Metadata::*field>
bool appendField(const Context &context, const Token &, QString &out)
{
    return appendText(context.file.metadata().*field, out);
}

template <int Metadata::*field>
bool appendNumberField(const Context &context, const Token &token, QString &out)
{
    return appendCount(context.file.metadata().*field, token, out);
}

} // namespace

const QVector<TemplateRule::TokenKind> &TemplateRule::tokenKinds()
{
    static const QVector<TokenKind> kinds = {
        {"name", false, noArgument, appendName},
        {"ext", false, noArgument, appendSuffix},
        {"n", true, readWidth, appendNumber},
        {"folder", false, noArgument, appendFolder},
        {"mtime", false, readDateFormat, appendModified},
        {"exif.date", false, readDateFormat, appendTaken},
        {"exif.make", false, noArgument, appendField<&Metadata::make>},
        {"exif.model", false, noArgument, appendField<&Metadata::model>},
        {"exif.lens", false, noArgument, appendField<&Metadata::lens>},
        {"exif.iso", false, noArgument, appendNumberField<&Metadata::iso>},
        {"exif.width", false, noArgument, appendNumberField<&Metadata::width>},
        {"exif.height", false, noArgument, appendNumberField<&Metadata::height>},
        {"audio.artist", false, noArgument, appendField<&Metadata::artist>},
        {"audio.album", false, noArgument, appendField<&Metadata::album>},
        {"audio.title", false, noArgument, appendField<&Metadata::title>},
        {"audio.track", false, readWidth, appendNumberField<&Metadata::track>},
        {"audio.disc", false, readWidth, appendNumberField<&Metadata::disc>},
        {"audio.year", false, noArgument, appendNumberField<&Metadata::year>},
        {"audio.genre", false, noArgument, appendField<&Metadata::genre>},
    };
    return kinds;
}

QVector<RuleParameter> TemplateRule::parameters() const
{
    using Type = RuleParameter::Type;
    return {
        {QStringLiteral("template"),
         Type::Text,
         QT_TRANSLATE_NOOP("Rule", "Template"),
         QStringLiteral("{name}"),
         {}},
        {QStringLiteral("collisions"),
         Type::Choice,
         QT_TRANSLATE_NOOP("Rule", "Same names"),
         QStringLiteral("keep"),
         {{QStringLiteral("keep"), QT_TRANSLATE_NOOP("Rule", "first file only")},
          {QStringLiteral("counter"), QT_TRANSLATE_NOOP("Rule", "numbered _1, _2, ...")}}},
    };
}

bool TemplateRule::numbersCollisions() const
{
    return text(QStringLiteral("collisions")) == QLatin1String("counter");
}

QString TemplateRule::prepare()
{
    m_pieces.clear();
    m_counts = false;
    m_readsMetadata = false;
    const QString problem = parse(text(QStringLiteral("template")));
    m_ready = problem.isEmpty();
    if (!m_ready) {
        m_pieces.clear();
        m_counts = false;
        m_readsMetadata = false;
    }
    return problem;
}

QString TemplateRule::parse(const QString &text)
{
    const QVector<TokenKind> &kinds = tokenKinds();
    Piece piece;
    const QChar open = QLatin1Char('{');
    const QChar close = QLatin1Char('}');
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool doubled = i + 1 < text.size() && text[i + 1] == c;
        if ((c == open || c == close) && doubled) {
            piece.literal += c;
            ++i;
            continue;
        }
        if (c == close)
            return Rule::tr("a \"}\" stands alone (\"}}\" is a brace)");
        if (c != open) {
            piece.literal += c;
            continue;
        }
        const qsizetype end = text.indexOf(close, i + 1);
        if (end < 0)
            return Rule::tr("\"%1\" has no closing brace (\"{{\" is a brace)").arg(text.mid(i));
        const QStringList alternatives = text.mid(i + 1, end - i - 1).split(QLatin1Char('|'));
        for (const QString &alternative : alternatives) {
            const qsizetype colon = alternative.indexOf(QLatin1Char(':'));
            const QString name = colon < 0 ? alternative : alternative.left(colon);
            const QString written = open + alternative + close;
            const auto kind =
                std::find_if(kinds.cbegin(), kinds.cend(),
                             [&name](const TokenKind &k) { return name == QLatin1String(k.name); });
            if (kind == kinds.cend())
                return Rule::tr("unknown token %1").arg(written);
            Token token;
            token.kind = &*kind;
            if (colon >= 0)
                token.argument = alternative.mid(colon + 1);
            const QString fault = kind->read(written, colon >= 0, token);
            if (!fault.isEmpty())
                return fault;
            m_counts = m_counts || kind->counts;
            m_readsMetadata = m_readsMetadata || isMetadata(*kind);
            piece.alternatives.append(token);
        }
        m_pieces.append(piece);
        piece = Piece();
        i = end;
    }
    if (!piece.literal.isEmpty())
        m_pieces.append(piece);
    return QString();
}

QString TemplateRule::apply(const RuleFile &file, const QString &name) const
{
    if (!m_ready)
        return name;
    // Cut at the last dot, as SplitName does, without copying the parts.
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QStringView whole(name);
    QString out;
    out.reserve(name.size() + 32);
    if (!expand(file, dot < 0 ? whole : whole.left(dot),
                dot < 0 ? QStringView() : whole.mid(dot + 1), out))
        return name;
    if (dot >= 0)
        out += whole.mid(dot);
    return out;
}

bool TemplateRule::expand(const RuleFile &file, QStringView base, QStringView suffix,
                          QString &out) const
{
    if (!m_ready)
        return false;
    const Context context{file, base, suffix};
    for (const Piece &piece : m_pieces) {
        out += piece.literal;
        bool found = piece.alternatives.isEmpty();
        for (const Token &token : piece.alternatives) {
            const qsizetype before = out.size();
            found = token.kind->append(context, token, out);
            if (found)
                break;
            out.truncate(before);
        }
        if (!found) {
            // Half a name would be a wrong one: the file stays, saying why,
            // and why a file that could not be read has nothing to give.
            const TokenKind *kind = piece.alternatives.constFirst().kind;
            const QString fact = QLatin1String(kind->name);
            const QString problem = isMetadata(*kind) ? file.metadata().problem : QString();
            file.setMissing(problem.isEmpty() ? fact
                                              : QStringLiteral("%1 (%2)").arg(fact, problem));
            return false;
        }
    }
    return true;
}

bool TemplateRule::isMetadata(const TokenKind &kind)
{
    const QLatin1String name(kind.name);
    return name.startsWith(QLatin1String("exif.")) || name.startsWith(QLatin1String("audio."));
}

QString TemplateRule::summary() const
{
    return text(QStringLiteral("template"));
}

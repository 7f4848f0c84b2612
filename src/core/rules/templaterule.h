#ifndef TEMPLATERULE_H
#define TEMPLATERULE_H

#include "rule.h"

// The base name rebuilt from a template, kind "template"; the suffix stays.
// A token in braces stands for a fact of the file: {name} and {ext} (the base
// name and the suffix so far), {n} (its number in its folder, as wide as the
// numbering's, or {n:3} three digits wide), {folder} (the name of the folder
// it lies in), {mtime} (its modification time in local time, "yyyy-MM-dd" or
// any QDateTime format after a colon), what a photo or a song says of itself
// ({exif.date:FORMAT}, {exif.model}, {audio.artist}, {audio.track:2}, ...).
// {{ and }} are braces. Alternatives split by "|" stand for the first one the
// file has a value for; a file with none keeps its name, and the plan says
// which fact it lacks. With "collisions" at "counter", names it gives several
// files of a folder (photos of the same second) get _1, _2, ... before the
// suffix. The template is read once, when it is set; a name is then only put
// together.
class TemplateRule : public Rule
{
public:
    struct TokenKind;
    // What a token reads of a file.
    struct Context
    {
        const RuleFile &file;
        QStringView base;
        QStringView suffix;
    };
    // One token as written, its argument (what follows the colon) read once.
    struct Token
    {
        const TokenKind *kind = nullptr;
        QString argument;
        int width = 0;
    };
    // One kind of token, a row of tokenKinds(). A family of facts (a photo's
    // metadata, a song's tags) adds its rows there.
    struct TokenKind
    {
        const char *name;
        // Whether it needs the files in their order.
        bool counts;
        // Reads the argument into token (hasArgument: a colon was written);
        // the fault in one sentence naming the token as written, or empty.
        QString (*read)(const QString &written, bool hasArgument, Token &token);
        // Appends the value for this file; false when the file has none
        // (a photo taken without a date), so that the next alternative
        // stands in.
        bool (*append)(const Context &context, const Token &token, QString &out);
    };
    static const QVector<TokenKind> &tokenKinds();

    QString kind() const override { return QStringLiteral("template"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    bool counts() const override { return m_counts; }
    bool numbersCollisions() const override;
    bool readsMetadata() const override { return m_readsMetadata; }
    QString summary() const override;
    // The template's text for a file whose name so far is base.suffix,
    // appended to out; false, the file told the fact it lacks, when some
    // token has no value for it.
    bool expand(const RuleFile &file, QStringView base, QStringView suffix, QString &out) const;

protected:
    QString prepare() override;

private:
    // Literal text, then a token's alternatives (none after the last token).
    struct Piece
    {
        QString literal;
        QVector<Token> alternatives;
    };
    QString parse(const QString &text);
    static bool isMetadata(const TokenKind &kind);

    QVector<Piece> m_pieces;
    bool m_counts = false;
    bool m_readsMetadata = false;
    bool m_ready = false;
};

#endif // TEMPLATERULE_H

#ifndef INSERTRULE_H
#define INSERTRULE_H

#include "rule.h"
#include "templaterule.h"

#include <QStringView>
#include <QVarLengthArray>

// Where the user-perceived characters of a text start: a letter and its
// combining marks ("e\u0301"), a surrogate pair, an emoji sequence and "\r\n"
// are one character each (grapheme clusters, QTextBoundaryFinder), so that a
// position never falls inside one. The text must outlive the offsets.
class CharacterOffsets
{
public:
    explicit CharacterOffsets(QStringView text);

    qsizetype count() const;
    // Where character n starts, counted from the start; the text's end past
    // its last character.
    qsizetype fromStart(qsizetype n) const;
    // Where the last n characters start; the text's start past its first.
    qsizetype fromEnd(qsizetype n) const;

private:
    qsizetype m_size = 0;
    bool m_plain = true;                     // every code unit a character of its own
    QVarLengthArray<qsizetype, 64> m_starts; // and the end, unless plain
};

// A text inserted into the base name (up to the last dot), kind "insert":
// at a position counted in characters (see CharacterOffsets) from its start
// or from its end. A position beyond the base name inserts at its end
// (counted from the start) or at its start (counted from the end). With
// "tokens", the text is a template ({exif.date}, {n}: see TemplateRule) of
// the name before the insertion; off by default, so that braces in a text
// saved before stay braces.
class InsertRule : public Rule
{
public:
    QString kind() const override { return QStringLiteral("insert"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    bool counts() const override { return m_template && m_template->counts(); }
    bool readsMetadata() const override { return m_template && m_template->readsMetadata(); }
    QString summary() const override;

protected:
    QString prepare() override;

private:
    QString m_text;
    int m_position = 0;
    bool m_fromEnd = false;
    std::unique_ptr<TemplateRule> m_template; // with tokens
};

#endif // INSERTRULE_H

#ifndef CHARACTERSRULE_H
#define CHARACTERSRULE_H

#include "rule.h"

#include <memory>

// The characters of the whole name, kind "characters", in this order:
// - "ascii": letters of other scripts and accented letters written in ASCII
//   by ICU's transliterators "Russian-Latin/BGN; Any-Latin; Latin-ASCII"
//   ("é" -> "e", "ß" -> "ss", "Ж" -> "Zh", "中文" -> "zhong wen"). What is
//   still outside ASCII after it (an emoji, "™") is left as it is, and so is
//   a character that would come out as a slash ("½" gives " 1/2"), which no
//   name can hold;
// - "normalize": the Unicode form, composed (NFC: "e\u0301" -> "é") or
//   decomposed (NFD);
// - "blanks": every blank (Unicode white space, a tab too) becomes "_" or
//   "-";
// - "windows": each character that Windows, FAT and exFAT refuse in a name
//   (< > : " / \ | ? * and the control characters U+0000 to U+001F) becomes
//   the replacement text, which may be empty.
// A byte of a name that is not UTF-8 (a lone surrogate, see nameFromBytes)
// is kept as it is.
class CharactersRule : public Rule
{
public:
    CharactersRule();
    ~CharactersRule() override;

    QString kind() const override { return QStringLiteral("characters"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    QString summary() const override;

protected:
    QString prepare() override;

private:
    enum class Blanks { Keep, Underscore, Dash };
    struct Transliteration; // ICU's, kept out of this header

    QString ascii(const QString &name) const;

    bool m_normalize = false;
    QString::NormalizationForm m_form = QString::NormalizationForm_C;
    bool m_windows = false;
    QString m_replacement;
    Blanks m_blanks = Blanks::Keep;
    std::unique_ptr<Transliteration> m_ascii; // only while "ascii" is on
};

#endif // CHARACTERSRULE_H

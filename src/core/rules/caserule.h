#ifndef CASERULE_H
#define CASERULE_H

#include "rule.h"

// Letter case, kind "case": lower, UPPER, Title Case (the first letter of
// every word upper, the rest lower) or Sentence case (the first letter of
// the text upper, the rest lower), in the base name, the suffix (after the
// last dot) or the whole name taken as one text.
//
// A word is a run of letters and digits; a combining mark belongs to the
// letter before it ("e\u0301" stays one), and an apostrophe between two
// letters does not start a word ("don't" -> "Don't"). A sentence starts at
// the first word that begins with a letter, so that "01 - my song" becomes
// "01 - My song". Case follows Unicode through QString, the same on every
// machine whatever its locale: "ß" in upper case is "SS", and a letter
// outside the BMP (Deseret "𐐨") is cased as one letter, never split.
class CaseRule : public Rule
{
public:
    QString kind() const override { return QStringLiteral("case"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    QString summary() const override;

    enum class Case { Lower, Upper, Title, Sentence };

    // QString::toUpper or toLower, keeping each byte of a name that is not
    // UTF-8 (a lone surrogate, see nameFromBytes), which they would turn
    // into U+FFFD.
    static QString cased(QStringView text, bool upper);

protected:
    QString prepare() override;

private:
    enum class Part { Name, Suffix, Whole };

    Case m_case = Case::Lower;
    Part m_part = Part::Name;
};

#endif // CASERULE_H

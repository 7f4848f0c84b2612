#ifndef REMOVERULE_H
#define REMOVERULE_H

#include "rule.h"

#include <QVarLengthArray>

// Characters taken out of a name, kind "remove", in this order:
// - a range of the base name (up to the last dot): count characters from a
//   position, counted as InsertRule counts them (a letter with its marks, a
//   surrogate pair: one character) from the start of the base name or from
//   its end; what lies beyond the base name is not removed;
// - with "collapse", every run of blanks (Unicode white space) in the whole
//   name becomes one space;
// - trimming blanks or the listed characters at the start of the name, at
//   its end, or both; the end is the end of the name and then the end of the
//   base name, so that " photo .jpg " becomes "photo.jpg" while "Mr. Smith"
//   keeps its blank. A character goes only when all of it is listed ("é" as
//   "e\u0301" goes when both are), so that no mark is left without its
//   letter.
class RemoveRule : public Rule
{
public:
    QString kind() const override { return QStringLiteral("remove"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    QString summary() const override;

protected:
    QString prepare() override;

private:
    enum class Trim { None, Blanks, Characters };

    bool trims(QStringView character) const;
    qsizetype keptFrom(QStringView text) const;
    qsizetype keptTo(QStringView text) const;

    int m_position = 0;
    int m_count = 0;
    bool m_fromEnd = false;
    Trim m_trim = Trim::None;
    QVarLengthArray<char32_t, 8> m_characters;
    bool m_atStart = true;
    bool m_atEnd = true;
    bool m_collapse = false;
};

#endif // REMOVERULE_H

#ifndef SUFFIXRULE_H
#define SUFFIXRULE_H

#include "rule.h"

// The suffix, kind "suffix": a new one in place of the old ("set"; empty
// keeps it, a leading dot given is dropped), then its case. The suffix
// starts at the last dot, the program's rule, or at the first ("split":
// "first", so that "archive.tar.gz" has "tar.gz"); either way a name that
// starts with a dot (".hidden.txt") is cut there too. A name without a
// suffix gets the new one appended ("README" -> "README.txt").
class SuffixRule : public Rule
{
public:
    QString kind() const override { return QStringLiteral("suffix"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    QString summary() const override;

    enum class Case { Keep, Lower, Upper };

protected:
    QString prepare() override;

private:
    Case m_case = Case::Keep;
    QString m_set;
    bool m_firstDot = false;
};

#endif // SUFFIXRULE_H

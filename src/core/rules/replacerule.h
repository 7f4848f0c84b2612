#ifndef REPLACERULE_H
#define REPLACERULE_H

#include "rule.h"

#include <QRegExp>
#include <QRegularExpression>

// A text or a regular expression replaced in the name, kind "replace":
// in the base name ("name", up to the last dot), the suffix, the whole name,
// or the stem (up to the first dot: the Replace tab's base name). Every
// match, the first only, or the whole part when it matches entirely.
// Expressions are Perl's (QRegularExpression; \1, $1, ${1} and ${name} in
// the replacement), or with syntax "qregexp" the Replace tab's own.
class ReplaceRule : public Rule
{
public:
    QString kind() const override { return QStringLiteral("replace"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    QString summary() const override;

    // The replaced part alone.
    QString replaced(const QString &part) const;
    // The name with its characters from..to replaced as plain text, made in
    // one allocation; the name itself where nothing matches.
    QString replacedPlain(const QString &name, qsizetype from, qsizetype to) const;

protected:
    QString prepare() override;

private:
    enum class Match { All, First, Whole };
    enum class Part { Name, Suffix, Whole, Stem };

    QString expand(const QRegularExpressionMatch &match) const;

    QString m_find;
    QString m_with;
    bool m_regExp = false;
    bool m_classic = false;
    Qt::CaseSensitivity m_sensitivity = Qt::CaseSensitive;
    Match m_match = Match::All;
    Part m_part = Part::Name;
    QRegularExpression m_pattern;
    QRegExp m_classicPattern;
};

#endif // REPLACERULE_H

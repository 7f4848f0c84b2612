#ifndef COUNTERRULE_H
#define COUNTERRULE_H

#include "rule.h"

// A number that counts the files, kind "counter": from "start" by "step",
// before the base name, after it (before the suffix) or in its place, joined
// by "separator". It restarts in every folder, or with scope "request" runs
// across the whole request. Padded with zeros to "width" digits, or with
// width 0 to the digits of the furthest number the group reaches, so that a
// folder's names sort as they are numbered; a negative number is "-" and its
// padded digits.
class CounterRule : public Rule
{
public:
    QString kind() const override { return QStringLiteral("counter"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    bool counts() const override { return true; }
    QString summary() const override;

protected:
    QString prepare() override;

private:
    enum class Place { Before, After, Replace };

    qint64 m_start = 1;
    qint64 m_step = 1;
    int m_width = 0;
    Place m_place = Place::After;
    QString m_separator;
    bool m_acrossRequest = false;
};

#endif // COUNTERRULE_H

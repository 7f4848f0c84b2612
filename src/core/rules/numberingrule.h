#ifndef NUMBERINGRULE_H
#define NUMBERINGRULE_H

#include "renameplan.h"
#include "rule.h"

// A typed text and a number padded to the width of the group's file count,
// alone, before the name or after it: the design's rename, kind "numbering".
// Renames only the files whose suffix is listed ("*" stands for every one).
class NumberingRule : public Rule
{
public:
    QString kind() const override { return QStringLiteral("numbering"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    bool selects(const QString &oldName) const override;
    bool counts() const override { return true; }
    QString summary() const override;

protected:
    QString prepare() override;

private:
    RenameOptions m_options;
};

#endif // NUMBERINGRULE_H

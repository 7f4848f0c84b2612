#ifndef EDITEDNAMESRULE_H
#define EDITEDNAMESRULE_H

#include "rule.h"

#include <QHash>

// New names typed by hand in the window's table, kind "edits": "names"
// holds pairs, a file's path and its new name (whole, suffix included), so
// that a file is found by where it lies even among subfolders holding the
// same names. Kept in the stack like any rule, the typed names go into the
// plan, the journal and undo the same way.
class EditedNamesRule : public Rule
{
public:
    QString kind() const override { return QStringLiteral("edits"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    QString summary() const override;
    bool namesAnyFile() const override { return true; }

    // The typed name of a file, or its removal with an empty name.
    void setName(const QString &path, const QString &newName);
    bool isEmpty() const { return m_names.isEmpty(); }

protected:
    QString prepare() override;

private:
    QHash<QString, QString> m_names; // path -> new name
};

#endif // EDITEDNAMESRULE_H

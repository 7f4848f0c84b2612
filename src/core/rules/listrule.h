#ifndef LISTRULE_H
#define LISTRULE_H

#include "rule.h"

#include <QHash>

// New names from a list, kind "list": the names of a UTF-8 text file
// ("file"), or the names given ("names") when there is no file. The name
// from the list is the whole new name, suffix included.
// As "lines", one new name per line, for the files in the order of the
// request; empty lines at the end are dropped. As "csv", each line
// "old name,new name" (a field in double quotes may hold commas, and a
// doubled quote stands for one; no header line), each file found by its old
// name. "auto" reads CSV when every line that is not empty has a comma
// outside quotes, lines otherwise. A list that does not fit the input (as
// many lines as files; every old name one of them) stops the batch.
class ListRule : public Rule
{
public:
    QString kind() const override { return QStringLiteral("list"); }
    QVector<RuleParameter> parameters() const override;
    QString apply(const RuleFile &file, const QString &name) const override;
    // A line is a file's only by its place in the order.
    bool counts() const override { return !m_byOldName; }
    QString checkInput(const QVector<RuleFile> &files) const override;
    QString summary() const override;

protected:
    QString prepare() override;

private:
    bool m_byOldName = false;
    QStringList m_names;               // by position, as lines
    QStringList m_oldNames;            // as CSV, in the order of the list
    QHash<QString, QString> m_renamed; // as CSV: old name -> new name
};

#endif // LISTRULE_H

#ifndef REPLACEPLAN_H
#define REPLACEPLAN_H

#include "batchplan.h"
#include "rulestack.h"

#include <QRegExp>
#include <QString>
#include <QStringList>

// Replacing a text in file names, decided before any file is touched: the
// files of the input (the plain files directly inside an input directory, in
// the order the file system lists them), each once, with its new name. Pure
// apart from reading the file system; safe on any thread (a ReplaceRequest is
// used by one thread at a time).

// The text to find and what to put instead, with its mode: in the base name
// (up to the first dot), in the suffix (after the last dot), or a QRegExp that
// must match the whole base name. Build it once per run: the pattern is
// compiled here.
struct ReplaceRequest
{
    enum Mode { BaseName, Suffix, RegExp };

    Mode mode = BaseName;
    QString replaceIn;
    QString replaceOut;
    QRegExp pattern;

    static ReplaceRequest make(const QString &replaceIn, const QString &replaceOut, bool regExp,
                               bool suffix);
};

class ReplacePlan
{
public:
    static BatchPlan make(const QStringList &pathList, const ReplaceRequest &request,
                          bool recursive = false);
    // The Replace tab's request as a rule stack, as the journal records it.
    static RuleStack stackOf(const ReplaceRequest &request);

    // The new name of a file called fileName (a name, not a path). Every part
    // of the name that the rule does not touch is kept. Returns fileName
    // itself when nothing changes: no occurrence, no whole match, an invalid
    // pattern, an empty text to find.
    static QString newName(const QString &fileName, const ReplaceRequest &request);
};

#endif // REPLACEPLAN_H

#ifndef REPLACE_H
#define REPLACE_H

#include "batchplan.h"
#include "batchworker.h"

#include <QString>
#include <QStringList>

#include <optional>

// Replaces a text, or a whole-match regular expression, in the names of the
// input files and of the plain files directly inside the input directories,
// renaming them in place. Runs on its own thread; setParameters is called on
// the owner's thread and never during a run. Reports the files it could not
// rename in one message through errorAtRename and, unless the list is kept,
// the input list as it stands after the run through refreshListView. It never
// overwrites a file, never descends into subdirectories, and never sets aside
// or deletes a directory or a file of the request.
class Replace : public BatchWorker
{
    Q_OBJECT

public:
    explicit Replace(QObject *parent);

    void setParameters(const QStringList &pathList, const QString &replaceIn,
                       const QString &replaceOut, bool replaceRegExp, bool replaceSuffix,
                       bool replaceDeleteIfExists, bool keepListView);
    // The plan the user confirmed (after setParameters()): run() carries it
    // out instead of planning again.
    void setPlan(const BatchPlan &plan);
    // Each folder beneath an input directory is renamed too, as a group of
    // its own. Kept until changed.
    void setRecursive(bool recursive) { this->recursive = recursive; }

protected:
    void run() override;

private:
    QString replaceIn;
    QString replaceOut;
    QStringList pathList;
    bool replaceRegExp = false;
    bool replaceSuffix = false;
    bool replaceDeleteIfExists = false;
    bool keepListView = false;
    std::optional<BatchPlan> confirmedPlan;
    bool recursive = false;
};

#endif // REPLACE_H

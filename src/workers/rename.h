#ifndef RENAME_H
#define RENAME_H

#include "batchplan.h"
#include "batchworker.h"

#include <optional>

#include <QStringList>

// The numbered renaming of the input list, on a thread of its own. The window
// hands over a request with setParameters() and starts the thread; run()
// plans everything first (or takes the plan the user confirmed, given with
// setPlan() after setParameters()), then renames, then reports the new input list (each
// file under the name it really bears) and, once, the files that could not be
// renamed. setParameters() and reset() run on the GUI thread and must never be
// called while the thread runs. Never replaces an existing file.
class Rename : public BatchWorker
{
    Q_OBJECT

public:
    explicit Rename(QObject *parent);

    void setParameters(const QStringList &pathList, const QString &outputFormat, bool reverseFormat,
                       int formatPosition, const QStringList &listExtensions, int renameBy,
                       bool renameByReversed, bool renameIndividually);
    // The very plan the user saw and confirmed: run() carries it out instead
    // of planning again.
    void setPlan(const BatchPlan &plan);
    // Each folder beneath an input directory is renamed too, as a group of
    // its own. Kept until changed.
    void setRecursive(bool recursive) { this->recursive = recursive; }
    QString status() const;
    void reset();

signals:
    void setFilesInformations(int, int);
    void setListExtensions(QStringList listExtensions);

protected:
    void run() override;

private:
    QStringList pathList;
    QString outputFormat;
    bool reverseFormat = false;
    int formatPosition = 0;
    QStringList listExtensions;
    int renameBy = 0;
    bool renameByReversed = false;
    bool renameIndividually = false;
    QString statusText;
    std::optional<BatchPlan> confirmedPlan;
    bool recursive = false;
};

#endif // RENAME_H

#ifndef PLANNER_H
#define PLANNER_H

#include "batchplan.h"
#include "renameplan.h"
#include "ruleplan.h"
#include "rulestack.h"

#include <QMetaType>
#include <QStringList>
#include <QThread>

#include <atomic>

// Every file a rename or replace would touch with the current options, and
// what would become of it: the very plan the run makes, with the names a file
// outside the request holds marked. Plans on a thread of its own, so that a
// large preview never freezes the window; changes nothing on disk. The
// setters run on the owner's thread and never while the thread runs.
// What to plan: the options of one run as the window holds them.
struct PlanRequest
{
    bool replacing = false;
    bool applyingRules = false; // the stack below, rather than the tabs' options
    RuleStack rules;
    bool recursive = false;
    QStringList pathList;
    RenameOptions rename;
    QString replaceIn;
    QString replaceOut;
    bool regExp = false;
    bool suffix = false;
    bool replaceExisting = false;
};

struct PlanPreview
{
    bool replacing = false;
    BatchPlan plan;              // as made, for the run to carry out
    QVector<PlannedRename> rows; // with what the run would refuse marked
    qsizetype changes = 0;
    // What stops a rule stack over this input (a list that does not fit
    // it); then nothing may run.
    QString problem;
    // The reading of the files' metadata was stopped: there is no plan.
    bool cancelled = false;
};
Q_DECLARE_METATYPE(PlanPreview)

class Planner : public QThread
{
    Q_OBJECT

public:
    explicit Planner(QObject *parent);
    ~Planner() override;

    void setRequest(const PlanRequest &request);
    // Stops a reading of metadata under way; any thread.
    void cancelReading() { readingCancelled = true; }

signals:
    void planned(PlanPreview preview);
    // About ten times a second while the files' metadata is read.
    void readingMetadata(qint64 done, qint64 total);

protected:
    void run() override;

private:
    // Null when the reading of metadata was cancelled.
    const GroupList *listingFor(const PlanRequest &request);
    RulePlanOptions rulePlanOptions();

    PlanRequest request;
    // The last listing of a rules request, kept while its input, order and
    // folders stay the same: typing in a rule must not list 100,000 files
    // again.
    struct Listing
    {
        QStringList pathList;
        ListingOrder order = ListingOrder::Unsorted;
        bool recursive = false;
        QVector<qint64> folderStamps; // per group: its folder's last change
        GroupList groups;
        bool metadataRead = false;
    };
    Listing listing;
    std::atomic<bool> readingCancelled{false};
};

#endif // PLANNER_H

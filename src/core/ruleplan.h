#ifndef RULEPLAN_H
#define RULEPLAN_H

#include "batchplan.h"
#include "rulestack.h"

#include <QStringList>

#include <atomic>
#include <functional>

// What a rule stack does to the input, decided before any file is touched:
// each input directory listed (in the stack's order when a rule counts, and
// with its subfolders when recursive), every file's new name the stack's
// result. A file some rule passes over stays. The conflicts are foreseen
// later, by the same rule as every batch's. Pure apart from reading the file
// system; safe on any thread with a stack of its own.
struct RulePlanOptions
{
    bool recursive = false;
    // The note of a file whose name the stack leaves as it is.
    PlannedRename::Note unchanged = PlannedRename::Note::None;
    // While the files' metadata is read (a template's photo dates, the
    // order by date taken): how far it got, on the listing's thread; and
    // what stops the reading, the listing then empty.
    std::function<void(qsizetype done, qsizetype total)> progress;
    const std::atomic<bool> *cancel = nullptr;
};

class RulePlan
{
public:
    static BatchPlan make(const QStringList &pathList, const RuleStack &stack,
                          const RulePlanOptions &options = {});
    // The same in two steps, so that a caller planning one input again and
    // again (a live preview) lists it once: the listing the stack needs, and
    // the plan from it.
    static GroupList listInput(const QStringList &pathList, const RuleStack &stack,
                               const RulePlanOptions &options = {});
    static BatchPlan make(GroupList groups, const RuleStack &stack,
                          const RulePlanOptions &options = {});
    // Reads the metadata of the listing's files into the shared cache, on
    // every core, when the stack needs it, so that planning finds it there.
    // False when cancelled.
    static bool readMetadata(const GroupList &groups, const RuleStack &stack,
                             const RulePlanOptions &options = {});
    // What stops the stack over this listing as a whole (a list of names
    // that does not fit it), naming the rule; empty when nothing does.
    static QString problem(GroupList groups, const RuleStack &stack);
    // The order a listing for this stack is taken in.
    static ListingOrder listingOrder(const RuleStack &stack);
};

#endif // RULEPLAN_H

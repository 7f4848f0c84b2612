#ifndef RULESTAB_H
#define RULESTAB_H

#include "batchplan.h"
#include "presets.h"
#include "rulestack.h"

#include <QObject>
#include <QStringList>

class Planner;
class PreviewModel;
class QTimer;
class QWidget;
class Ui_MainWindow;
struct PlanPreview;

// The tab "Rules": a stack of renaming rules edited in place, its presets,
// and a live table of what it would do to every file of the input list.
// Plans on a Planner thread of its own, a moment after the last change and
// only while the tab is shown; one plan at a time, the newest change always
// planned last. "Rename" asks once and hands over the very plan shown
// (renameConfirmed); the window runs it. The stack comes back at the next
// start. GUI thread.
class RulesTab : public QObject
{
    Q_OBJECT

public:
    // The tab's widgets are those of form; window parents the questions.
    RulesTab(Ui_MainWindow *form, QWidget *window);
    // Keeps the stack for the next start. Before the tab's widgets go.
    ~RulesTab() override;

    const RuleStack &stack() const { return rules; }
    void setStack(const RuleStack &stack);

public slots:
    void setInputList(const QStringList &paths);
    void setRecursive(bool recursive);
    // While files are renamed or paths still taken, nothing is planned or
    // run; once free, the files are looked at again.
    void setBlocked(bool blocked);

signals:
    void renameConfirmed(const BatchPlan &plan, const RuleStack &stack);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int currentRow() const;
    void fillList(int selected);
    void showRule(int row);
    void updateRow(int row);
    void updateStackButtons();
    void addRule(const QString &kind);
    void removeRule();
    void moveRule(int by);
    void ruleToggled(int row, bool enabled);
    void stackChanged();
    void typeName(const QString &path, const QString &newName);

    void filesChanged();
    void schedulePlan();
    void startPlanning();
    void readingMetadata(qint64 done, qint64 total);
    void planned(const PlanPreview &preview);
    void planningFinished();
    bool planIsCurrent() const;
    void updateApplyState();
    void apply();

    void fillPresets(const QString &selected);
    void loadPreset(int index);
    void savePreset();
    void deletePreset();
    void readLastStack();
    void writeLastStack();

    Ui_MainWindow *ui;
    QWidget *window;
    RuleStack rules;
    Presets presets;
    Planner *planner;
    PreviewModel *model;
    QTimer *planTimer;
    QTimer *saveTimer;
    QStringList inputList;
    bool recursive = false;
    bool blocked = false;
    // Every change of the stack, the input or the files counts one up; the
    // table is current when it shows the plan of the newest.
    quint64 generation = 1;
    quint64 requestedGeneration = 0;
    quint64 shownGeneration = 0;
};

#endif // RULESTAB_H

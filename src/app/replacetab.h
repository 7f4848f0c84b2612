#ifndef REPLACETAB_H
#define REPLACETAB_H

#include <QObject>
#include <QStringList>

struct PlanRequest;
class QWidget;
class Ui_MainWindow;

// The tab "Replace": a text or a regular expression replaced in the names,
// in the base name or the suffix. GUI thread.
class ReplaceTab : public QObject
{
    Q_OBJECT

public:
    // The tab's widgets are those of form; window parents the warnings.
    ReplaceTab(Ui_MainWindow *form, QWidget *window);

    PlanRequest request(const QStringList &paths, bool recursive) const;
    // A text to look for, and a pattern that compiles; otherwise says what
    // is missing in a box and returns false.
    bool readyToRun();
    // Says in a box what is wrong with the regular expression, if anything.
    bool patternIsValid();
    // The run may displace files, which the user has to agree to first.
    bool replacesExisting() const;
    // The list keeps its names after the run rather than the new ones.
    bool keepsListView() const;

private:
    // Keeps "regular expression" and "suffix" exclusive.
    void choiceChanged(bool checked);

    Ui_MainWindow *ui;
    QWidget *window;
};

#endif // REPLACETAB_H

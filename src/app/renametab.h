#ifndef RENAMETAB_H
#define RENAMETAB_H

#include <QObject>
#include <QString>
#include <QStringList>

class Extensions;
struct PlanRequest;
class QWidget;
class Ui_MainWindow;

// The tab "Rename": a typed text and a zero-padded number, per folder or
// across the input, ordered by date, size or name, filtered by suffix. The
// example beside the text shows the name a run gives "filename.txt" in a
// group as large as the input: the same function names the files. GUI
// thread.
class RenameTab : public QObject
{
    Q_OBJECT

public:
    // The tab's widgets are those of form; extensions holds the suffix choice.
    RenameTab(Ui_MainWindow *form, Extensions *extensions, QWidget *window);

    PlanRequest request(const QStringList &paths, bool recursive) const;
    // The one question before a run, with the example name.
    QString question() const;

public slots:
    // The input's counts: the example's width, and the choices they allow.
    void setCounts(int files, int suffixes);

private:
    int formatPosition() const;
    void showExample();
    // Keeps the two suffix choices exclusive.
    void suffixChoiceChanged(bool checked);

    Ui_MainWindow *ui;
    Extensions *extensions;
    int files = 0;
};

#endif // RENAMETAB_H

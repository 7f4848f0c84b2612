#ifndef EXTENSIONS_H
#define EXTENSIONS_H

#include <QDialog>
#include <QSet>
#include <QStringList>
#include <QVector>

class QCheckBox;
class QTimer;
class Ui_Extensions;

// The extension chooser: one check box per suffix reported by the analysis.
// OK remembers the ticked suffixes; Cancel only hides the dialog, leaving the
// remembered choice as it was. The choice outlives the rebuilds that follow
// every analysis: a suffix the user unticked comes back unticked, and out of
// the checked list, until forgetChoice(); a suffix never seen before comes
// ticked.
//
// GUI thread only. The lists follow every reset and set at once; the check
// boxes are rebuilt at most once per event-loop turn, and before anything
// reads them or the dialog is shown, so that a burst of analysis reports
// costs one rebuild, not one per report.
class Extensions : public QDialog
{
    Q_OBJECT

public:
    explicit Extensions(QWidget *parent);
    ~Extensions() override;

    QStringList selectedExtensions(bool all) const;
    // Every suffix ticked again, as for a fresh list.
    void forgetChoice();

    void setVisible(bool visible) override;

public slots:
    void setListExtensions(QStringList listExtensions);
    void resetListExtensions();

private slots:
    void setAccepted();

signals:
    void accepted(bool);

private:
    void rebuildCheckBoxes();
    void rememberTicks();

    Ui_Extensions *ui;
    QStringList listExtensions;
    QStringList checkedExtensions;
    QStringList allExtensions;
    QVector<QCheckBox *> checkBoxes;
    // Unticked on the boxes, and unticked at the last OK.
    QSet<QString> untickedOnBoxes;
    QSet<QString> untickedAtOk;

    QTimer *rebuildTimer;
    bool layoutStale = false;
};

#endif // EXTENSIONS_H

#ifndef EXTENSIONS_H
#define EXTENSIONS_H

#include <QDialog>
#include <QStringList>
#include <QVector>

class QCheckBox;
class QTimer;
class Ui_Extensions;

// The extension chooser: one check box per suffix reported by the analysis,
// every new one ticked. OK remembers the ticked suffixes; Cancel only hides
// the dialog, leaving the remembered choice as it was.
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

    Ui_Extensions *ui;
    QStringList listExtensions;
    QStringList checkedExtensions;
    QStringList allExtensions;
    QVector<QCheckBox *> checkBoxes;

    QTimer *rebuildTimer;
    bool layoutStale = false;
};

#endif // EXTENSIONS_H

#ifndef INPUTCHOOSER_H
#define INPUTCHOOSER_H

#include <QFileDialog>
#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

// The file menu's choosers: files or one folder picked in a file dialog over
// the window, handed on through pathsChosen exactly as chosen. Each chooser
// opens where the previous one left. GUI thread only.
class InputChooser : public QObject
{
    Q_OBJECT

public:
    explicit InputChooser(QWidget *window);

public slots:
    void chooseFiles();
    void chooseFolder();

signals:
    void pathsChosen(const QStringList &paths);

private:
    void choose(const QString &title, QFileDialog::FileMode mode);

    QWidget *window;
    QString lastFolder;
};

#endif // INPUTCHOOSER_H

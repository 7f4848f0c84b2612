#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>
#include <QStringList>

class QStandardItemModel;
class Ui_MainWindow;

// The program's one main window: the input list, the rename and replace
// commands and the wiring of the workers and secondary windows. GUI thread
// only.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

private:
    Ui_MainWindow *ui;
    QStandardItemModel *model;
    QStringList inputList;
    int itemCount = 0;
    bool warnOutsideHome = false;
};

#endif // MAINWINDOW_H

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QStandardItemModel>

MainWindow::MainWindow(QWidget *parent) : QMainWindow(parent), ui(new Ui_MainWindow), model(nullptr)
{
    ui->setupUi(this);

    ui->comboRenameBy->addItem(QStringLiteral("Date (newer first)"));
    ui->comboRenameBy->addItem(QStringLiteral("Size (greater first)"));
    ui->comboRenameBy->addItem(QStringLiteral("Name (alphabetical)"));

    ui->groupRenameFiles->setEnabled(false);
    ui->groupRenameGroup->setEnabled(false);
    ui->groupRenameBy->setEnabled(false);

    ui->labelUpdate->hide();

    model = new QStandardItemModel(0, 1, this);
    ui->listView->setModel(model);
}

MainWindow::~MainWindow()
{
    delete ui;
}

#include "renametab.h"
#include "ui_mainwindow.h"

#include "extensions.h"
#include "planner.h"
#include "renameplan.h"

RenameTab::RenameTab(Ui_MainWindow *form, Extensions *extensions, QWidget *window)
    : QObject(window), ui(form), extensions(extensions)
{
    ui->comboRenameBy->addItem(tr("Date (newer first)"));
    ui->comboRenameBy->addItem(tr("Size (greater first)"));
    ui->comboRenameBy->addItem(tr("Name (alphabetical)"));
    ui->groupRenameFiles->setEnabled(false);
    ui->groupRenameGroup->setEnabled(false);
    ui->groupRenameBy->setEnabled(false);

    for (QRadioButton *radio : {ui->radioFormatName, ui->radioFormatPrefix, ui->radioFormatSuffix})
        connect(radio, &QRadioButton::clicked, this, &RenameTab::showExample);
    connect(ui->checkReverseFormat, &QCheckBox::clicked, this, &RenameTab::showExample);
    connect(ui->lineOutputFormat, &QLineEdit::textChanged, this, &RenameTab::showExample);
    connect(ui->checkRenameAllExtensions, &QCheckBox::toggled, this,
            &RenameTab::suffixChoiceChanged);
    connect(ui->checkRenameByExtensions, &QCheckBox::toggled, this,
            &RenameTab::suffixChoiceChanged);
    connect(ui->pushExtensions, &QPushButton::clicked, extensions, &QWidget::show);
    connect(extensions, qOverload<bool>(&Extensions::accepted), ui->checkRenameByExtensions,
            &QCheckBox::setChecked);
    showExample();
}

void RenameTab::setCounts(int files, int suffixes)
{
    this->files = files;
    ui->groupRenameFiles->setEnabled(suffixes > 1);
    ui->groupRenameBy->setEnabled(files > 1);
    // The number is as wide as the input's count.
    showExample();
}

int RenameTab::formatPosition() const
{
    if (ui->radioFormatSuffix->isChecked())
        return 2;
    if (ui->radioFormatPrefix->isChecked())
        return 1;
    return 0;
}

void RenameTab::showExample()
{
    //: Stands for the old name of a file in the example name, as in the radio buttons.
    const QString name = tr("filename") + QStringLiteral(".txt");
    RenameOptions options;
    options.outputFormat = ui->lineOutputFormat->text();
    options.reverseFormat = ui->checkReverseFormat->isChecked();
    options.formatPosition = formatPosition();
    ui->labelOutputFormat->setText(
        RenamePlan::composeName(name, RenamePlan::formatNumber(files, 1), options));
}

void RenameTab::suffixChoiceChanged(bool checked)
{
    if (!checked)
        return;
    if (sender() == ui->checkRenameAllExtensions)
        ui->checkRenameByExtensions->setChecked(false);
    else
        ui->checkRenameAllExtensions->setChecked(false);
}

QString RenameTab::question() const
{
    return tr("You have selected to rename your files : \n") + ui->labelOutputFormat->text()
           + tr("\n\nContinue ?");
}

PlanRequest RenameTab::request(const QStringList &paths, bool recursive) const
{
    PlanRequest request;
    request.pathList = paths;
    request.rename.outputFormat = ui->lineOutputFormat->text();
    request.rename.reverseFormat = ui->checkReverseFormat->isChecked();
    request.rename.formatPosition = formatPosition();
    request.rename.listExtensions =
        extensions->selectedExtensions(ui->checkRenameAllExtensions->isChecked());
    request.rename.renameBy = ui->comboRenameBy->currentIndex();
    request.rename.renameByReversed = ui->checkRenameByReversed->isChecked();
    request.rename.renameIndividually = ui->radioRenameIndividually->isChecked();
    request.rename.recursive = recursive;
    return request;
}

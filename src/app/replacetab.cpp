#include "replacetab.h"
#include "ui_mainwindow.h"

#include "planner.h"

#include <QMessageBox>
#include <QRegExp>

ReplaceTab::ReplaceTab(Ui_MainWindow *form, QWidget *window)
    : QObject(window), ui(form), window(window)
{
    connect(ui->checkReplaceRegExp, &QCheckBox::toggled, this, &ReplaceTab::choiceChanged);
    connect(ui->checkReplaceSuffix, &QCheckBox::toggled, this, &ReplaceTab::choiceChanged);
}

void ReplaceTab::choiceChanged(bool checked)
{
    if (!checked)
        return;
    if (sender() == ui->checkReplaceRegExp)
        ui->checkReplaceSuffix->setChecked(false);
    else
        ui->checkReplaceRegExp->setChecked(false);
}

PlanRequest ReplaceTab::request(const QStringList &paths, bool recursive) const
{
    PlanRequest request;
    request.replacing = true;
    request.pathList = paths;
    request.replaceIn = ui->lineReplaceIn->text();
    request.replaceOut = ui->lineReplaceOut->text();
    request.regExp = ui->checkReplaceRegExp->isChecked();
    request.suffix = ui->checkReplaceSuffix->isChecked();
    request.replaceExisting = replacesExisting();
    request.recursive = recursive;
    return request;
}

bool ReplaceTab::replacesExisting() const
{
    return ui->checkReplaceDeleteIfExists->isChecked();
}

bool ReplaceTab::keepsListView() const
{
    return ui->checkRefreshListView->isChecked();
}

bool ReplaceTab::readyToRun()
{
    if (ui->lineReplaceIn->text().isEmpty()) {
        QMessageBox::warning(window, tr("Empty input string"),
                             tr("Warning : Please fill the input string to replace..."),
                             QMessageBox::Ok);
        return false;
    }
    return patternIsValid();
}

bool ReplaceTab::patternIsValid()
{
    if (!ui->checkReplaceRegExp->isChecked())
        return true;
    // Checked before any file is touched: the worker would otherwise find
    // nothing and say nothing.
    const QRegExp pattern(ui->lineReplaceIn->text(), Qt::CaseSensitive, QRegExp::RegExp);
    if (pattern.isValid())
        return true;
    QMessageBox::warning(window, tr("Invalid regular expression"),
                         tr("The regular expression is not valid: %1.").arg(pattern.errorString()),
                         QMessageBox::Ok);
    return false;
}

#include "planreview.h"

#include "preview.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace {

const int detailedChanges = 100;

} // namespace

PlanReview::PlanReview(QWidget *window)
    : QObject(window), window(window), planner(new Planner(this)), preview(new Preview(window))
{
    preview->setWindowTitle(QCoreApplication::applicationName() + tr(" - Preview"));
    connect(planner, &Planner::planned, this, &PlanReview::planned);
    connect(preview, &Preview::renameRequested, this, &PlanReview::confirmShown);
    connect(planner, &QThread::finished, this, [this] {
        planner->wait();
        planning = false;
        emit planningChanged(false);
    });
}

void PlanReview::showPreview(const PlanRequest &request, const QString &question)
{
    if (planning)
        return;
    shownQuestion = question;
    preview->showPlanning();
    preview->show();
    preview->raise();
    plan(request, Purpose::ShowPreview);
}

void PlanReview::setBlocked(bool blocked, bool filesChanging)
{
    preview->setBlocked(blocked);
    if (filesChanging)
        preview->setPlanOutdated();
}

void PlanReview::confirmRename(const PlanRequest &request, const QString &question)
{
    this->question = question;
    plan(request, Purpose::Confirm);
}

void PlanReview::confirmReplace(const PlanRequest &request)
{
    plan(request, Purpose::ConfirmDeletions);
}

void PlanReview::plan(const PlanRequest &request, Purpose purpose)
{
    if (planning)
        return;
    this->purpose = purpose;
    requested = request;
    planning = true;
    emit planningChanged(true);
    planner->setRequest(request);
    planner->start(QThread::InheritPriority);
}

void PlanReview::planned(const PlanPreview &plan)
{
    if (purpose == Purpose::ShowPreview) {
        shownRequest = requested;
        preview->showPlan(plan);
        return;
    }
    if (purpose == Purpose::ConfirmDeletions) {
        if (askAboutDeletions(plan))
            emit replaceConfirmed(plan.plan);
        return;
    }
    if (askToRename(window, question, plan))
        emit renameConfirmed(plan.plan);
}

bool PlanReview::askToRename(QWidget *window, const QString &question, const PlanPreview &plan)
{
    QStringList changes;
    for (const PlannedRename &row : plan.rows) {
        if (changes.size() == detailedChanges)
            break;
        if (row.willMove())
            changes.append(QDir::toNativeSeparators(row.sourcePath()) + QStringLiteral(" → ")
                           + row.newName);
    }
    QString details = tr("%Ln files will be renamed.", nullptr, int(plan.changes));
    if (!changes.isEmpty())
        details += QLatin1String("\n\n") + changes.join(QLatin1Char('\n'));
    if (plan.changes > changes.size())
        details += QLatin1String("\n…");

    QMessageBox box(QMessageBox::Question, tr("Confirmation"), question, QMessageBox::NoButton,
                    window);
    box.setDetailedText(details);
    QPushButton *yes = box.addButton(tr("Yes"), QMessageBox::YesRole);
    box.addButton(tr("No"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.exec();
    return box.clickedButton() == yes;
}

void PlanReview::confirmShown(const PlanPreview &shown)
{
    const bool agreed =
        shown.replacing ? askAboutDeletions(shown) : askToRename(preview, shownQuestion, shown);
    if (!agreed)
        return;
    // The plan is spent once it runs: a window left open would offer it again.
    preview->close();
    emit previewConfirmed(shownRequest, shown.plan);
}

bool PlanReview::askAboutDeletions(const PlanPreview &plan)
{
    QStringList deleted;
    qsizetype count = 0;
    for (const PlannedRename &row : plan.rows) {
        if (row.note != PlannedRename::Note::DeletesFile)
            continue;
        if (++count <= detailedChanges)
            deleted.append(QDir::toNativeSeparators(row.targetPath()));
    }
    if (count == 0)
        return true;
    QMessageBox box(QMessageBox::Warning, tr("Confirmation"),
                    tr("%Ln files in the way will be deleted for good: their volume has no "
                       "trash.\n\nContinue ?",
                       nullptr, int(count)),
                    QMessageBox::NoButton, window);
    box.setDetailedText(deleted.join(QLatin1Char('\n'))
                        + (count > deleted.size() ? QStringLiteral("\n…") : QString()));
    QPushButton *yes = box.addButton(tr("Yes"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(tr("No"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

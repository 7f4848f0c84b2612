#include "extensions.h"
#include "ui_extensions.h"

#include <QCheckBox>
#include <QTimer>
#include <QVBoxLayout>

Extensions::Extensions(QWidget *parent)
    : QDialog(parent), ui(new Ui_Extensions), rebuildTimer(new QTimer(this))
{
    ui->setupUi(this);
    rebuildTimer->setSingleShot(true);
    rebuildTimer->setInterval(0);
    connect(rebuildTimer, &QTimer::timeout, this, &Extensions::rebuildCheckBoxes);
    connect(this, &QDialog::accepted, this, &Extensions::setAccepted);
}

Extensions::~Extensions()
{
    delete ui;
}

QStringList Extensions::selectedExtensions(bool all) const
{
    return all ? allExtensions : checkedExtensions;
}

void Extensions::setVisible(bool visible)
{
    // The size the dialog opens with depends on the boxes it holds.
    if (visible)
        rebuildCheckBoxes();
    QDialog::setVisible(visible);
}

void Extensions::forgetChoice()
{
    untickedOnBoxes.clear();
    untickedAtOk.clear();
    for (QCheckBox *box : std::as_const(checkBoxes))
        box->setChecked(true);
    checkedExtensions = allExtensions;
}

void Extensions::setListExtensions(QStringList listExtensions)
{
    this->listExtensions = listExtensions;
    for (const QString &extension : std::as_const(listExtensions)) {
        if (!untickedAtOk.contains(extension))
            checkedExtensions.append(extension);
    }
    allExtensions += listExtensions;
    if (!rebuildTimer->isActive())
        rebuildTimer->start();
}

// The boxes go with every reset; what the user left on them stays.
void Extensions::rememberTicks()
{
    for (const QCheckBox *box : std::as_const(checkBoxes)) {
        if (box->isChecked())
            untickedOnBoxes.remove(box->accessibleName());
        else
            untickedOnBoxes.insert(box->accessibleName());
    }
}

void Extensions::resetListExtensions()
{
    rememberTicks();
    for (QCheckBox *box : std::as_const(checkBoxes))
        delete box;
    checkBoxes.clear();
    listExtensions.clear();
    checkedExtensions.clear();
    allExtensions.clear();
    layoutStale = true;
}

void Extensions::rebuildCheckBoxes()
{
    rebuildTimer->stop();
    if (layoutStale) {
        delete ui->vbox;
        ui->vbox = new QVBoxLayout(ui->groupBox);
        layoutStale = false;
    }
    // Boxes made since the last reset keep whatever ticks the user gave them;
    // only the extensions that have none yet get a new one.
    for (qsizetype i = checkBoxes.size(); i < allExtensions.size(); ++i) {
        const QString &extension = allExtensions.at(i);
        auto *box = new QCheckBox(extension, ui->groupBox);
        checkBoxes.append(box);
        box->setAccessibleName(extension);
        box->setChecked(!untickedOnBoxes.contains(extension));
        ui->vbox->addWidget(box);
    }
}

void Extensions::setAccepted()
{
    rebuildCheckBoxes();
    checkedExtensions.clear();
    untickedAtOk.clear();
    for (QCheckBox *box : std::as_const(checkBoxes)) {
        if (box->isChecked())
            checkedExtensions.append(box->accessibleName());
        else
            untickedAtOk.insert(box->accessibleName());
    }
    rememberTicks();
    emit accepted(true);
}

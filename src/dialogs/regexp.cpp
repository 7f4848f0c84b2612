#include "regexp.h"
#include "ui_regexp.h"

#include <QShortcut>

namespace {
constexpr int lastPage = 4;
}

Regexp::Regexp(QWidget *parent) : QWidget(parent), ui(new Ui_Regexp)
{
    ui->setupUi(this);
    connect(ui->pushNext, &QPushButton::clicked, this, &Regexp::setCurrentIndex);
    connect(ui->pushPrevious, &QPushButton::clicked, this, &Regexp::setCurrentIndex);
    // A window of its own, closed as a dialog is.
    auto *escape = new QShortcut(QKeySequence::Cancel, this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

Regexp::~Regexp()
{
    delete ui;
}

void Regexp::setCurrentIndex()
{
    const int current = ui->stackedWidget->currentIndex();
    if (sender() == ui->pushNext)
        ui->stackedWidget->setCurrentIndex(current == lastPage ? 0 : current + 1);
    else if (sender() == ui->pushPrevious)
        ui->stackedWidget->setCurrentIndex(current == 0 ? lastPage : current - 1);
    ui->labelPageNumber->setText(QString::number(ui->stackedWidget->currentIndex() + 1)
                                 + QStringLiteral(" / 5"));
}

#include "progressstrip.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include <limits>

ProgressStrip::ProgressStrip(QWidget *parent)
    : QWidget(parent), label(new QLabel(this)), bar(new QProgressBar(this)),
      pushCancel(new QPushButton(tr("&Cancel"), this))
{
    setObjectName(QStringLiteral("progressStrip"));
    pushCancel->setObjectName(QStringLiteral("pushCancel"));
    bar->setObjectName(QStringLiteral("progressBar"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(bar);
    layout->addWidget(pushCancel);
    connect(pushCancel, &QPushButton::clicked, this, [this] {
        // One request is enough; the job ends on its own time.
        pushCancel->setEnabled(false);
        emit cancelRequested();
    });
    hide();
}

void ProgressStrip::setBusyWidget(QWidget *widget)
{
    busyWidget = widget;
}

bool ProgressStrip::isRunning() const
{
    return running;
}

void ProgressStrip::begin(const QString &what, qint64 total)
{
    running = true;
    // The message of the job before would show cut short beside the strip.
    if (auto *statusBar = qobject_cast<QStatusBar *>(parentWidget()))
        statusBar->clearMessage();
    label->setText(what);
    pushCancel->setEnabled(true);
    setProgress(0, total);
    if (busyWidget)
        busyWidget->setCursor(Qt::BusyCursor);
    show();
}

void ProgressStrip::setProgress(qint64 done, qint64 total)
{
    // A report that arrives after the end belongs to no job shown.
    if (!running)
        return;
    if (total <= 0) {
        bar->setRange(0, 0);
        bar->setFormat(QString());
        return;
    }
    // The bar counts in int; a larger job is shown in proportion.
    const qint64 limit = std::numeric_limits<int>::max();
    const qint64 divisor = total > limit ? total / limit + 1 : 1;
    bar->setRange(0, int(total / divisor));
    bar->setValue(int(qBound<qint64>(0, done, total) / divisor));
    bar->setFormat(tr("%1 of %2")
                       .arg(QLocale().toString(qlonglong(done)))
                       .arg(QLocale().toString(qlonglong(total))));
}

void ProgressStrip::end()
{
    running = false;
    if (busyWidget)
        busyWidget->unsetCursor();
    hide();
}

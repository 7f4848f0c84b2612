#ifndef PROGRESSSTRIP_H
#define PROGRESSSTRIP_H

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// A status-bar strip for one long job at a time: what runs, how much of it is
// done, and a Cancel button. Hidden while idle. While a job runs, the busy
// widget (the list the job works on) shows a busy cursor. Any worker's
// progressChanged(qint64, qint64) connects straight to setProgress, and
// cancelRequested to the worker's cancel(). GUI thread only.
class ProgressStrip : public QWidget
{
    Q_OBJECT

public:
    explicit ProgressStrip(QWidget *parent = nullptr);

    void setBusyWidget(QWidget *widget);
    bool isRunning() const;

public slots:
    void begin(const QString &what, qint64 total);
    void setProgress(qint64 done, qint64 total);
    void end();

signals:
    void cancelRequested();

private:
    QLabel *label;
    QProgressBar *bar;
    QPushButton *pushCancel;
    QPointer<QWidget> busyWidget;
    bool running = false;
};

#endif // PROGRESSSTRIP_H

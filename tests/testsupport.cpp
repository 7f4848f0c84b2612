#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

bool dropOn(QWidget *target, const QMimeData &data)
{
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    return true;
}

bool dropPaths(QWidget *target, const QStringList &paths)
{
    QList<QUrl> urls;
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    QMimeData data;
    data.setUrls(urls);
    return dropOn(target, data);
}

void onNextModal(const std::function<void(QWidget *)> &action, int timeoutMs)
{
    auto *timer = new QTimer(qApp);
    const QDeadlineTimer deadline(timeoutMs);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, deadline, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && !deadline.hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (modal)
            action(modal);
    });
    timer->start();
}

void chooseInNextFileDialog(const QString &path)
{
    onNextModal([path](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog)
            return;
        // A name box with the focus is left as the user typed it.
        if (QWidget *focus = dialog->focusWidget())
            focus->clearFocus();
        dialog->selectFile(path);
        static_cast<QDialog *>(dialog)->accept();
    });
}

MessageBoxWatcher::MessageBoxWatcher(const QString &buttonText) : buttonText(buttonText)
{
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [this] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        records.append({box->windowTitle(), box->text(), box->detailedText()});
        const auto buttons = box->buttons();
        for (QAbstractButton *button : buttons) {
            if (button->text().remove(QLatin1Char('&')) == this->buttonText) {
                button->click();
                return;
            }
        }
        box->reject();
    });
    timer.start();
}

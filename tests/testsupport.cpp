#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>
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
    urls.reserve(paths.size());
    for (const QString &path : paths)
        urls.append(QUrl::fromLocalFile(path));
    QMimeData data;
    data.setUrls(urls);
    return dropOn(target, data);
}

void onNextModal(const std::function<void(QWidget *)> &action, int timeoutMs)
{
    auto *timer = new QTimer(qApp);
    auto *clock = new QElapsedTimer;
    clock->start();
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [timer, clock, action, timeoutMs] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal && clock->elapsed() < timeoutMs)
            return;
        timer->stop();
        timer->deleteLater();
        delete clock;
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

struct MessageBoxWatcher::State
{
    QString buttonText;
    QList<ModalRecord> boxes;
    QTimer timer;
};

MessageBoxWatcher::MessageBoxWatcher(const QString &buttonText) : state(std::make_unique<State>())
{
    state->buttonText = buttonText;
    state->timer.setInterval(5);
    State *watched = state.get();
    QObject::connect(&state->timer, &QTimer::timeout, [watched] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        ModalRecord record;
        record.title = box->windowTitle();
        record.text = box->text();
        record.details = box->detailedText();
        watched->boxes.append(record);
        const auto buttons = box->buttons();
        for (QAbstractButton *button : buttons) {
            if (button->text().remove(QLatin1Char('&')) == watched->buttonText) {
                button->click();
                return;
            }
        }
        box->reject();
    });
    state->timer.start();
}

MessageBoxWatcher::~MessageBoxWatcher() = default;

void MessageBoxWatcher::setButtonText(const QString &buttonText)
{
    state->buttonText = buttonText;
}

const QList<ModalRecord> &MessageBoxWatcher::boxes() const
{
    return state->boxes;
}

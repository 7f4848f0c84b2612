// One drop of many single files on the main window: the time until the
// analysis has finished and its figures are shown, and the longest stall of
// the event loop meanwhile (the largest gap between ticks of a 10 ms timer).
// Then every other row selected and removed with Delete: the time the key
// takes, against a plain copy of the list without those rows in the same run.

#include "analize.h"
#include "mainwindow.h"
#include "startup.h"
#include "update.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cstdio>

namespace {

void runOnce(int count)
{
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    const QString folder = home.filePath(QStringLiteral("files"));
    QDir().mkpath(folder);
    QList<QUrl> urls;
    urls.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QStringLiteral("/IMG_%1.jpg").arg(i, 6, 10, QLatin1Char('0'));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        urls.append(QUrl::fromLocalFile(path));
    }

    MainWindow window;
    window.show();
    QCoreApplication::processEvents();
    auto *filesLabel = window.findChild<QLabel *>(QStringLiteral("labelFilesInfosNumberFiles"));
    const QString expected = QString::number(count);

    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(10);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestGap = qMax(longestGap, sinceTick.restart()); });

    QMimeData data;
    data.setUrls(urls);
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    ticker.start();
    // Posted, not sent, so that the drop's own handling counts as a stall.
    QTimer::singleShot(0, &window, [&] {
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &enter);
        QDropEvent event(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &event);
    });
    QEventLoop loop;
    QTimer check;
    check.setInterval(5);
    bool analysisEnded = false;
    qint64 analysisStarted = -1, analysisFinished = -1;
    QObject::connect(
        window.findChild<Analize *>(), &QThread::started, &loop,
        [&] { analysisStarted = clock.elapsed(); }, Qt::DirectConnection);
    QObject::connect(window.findChild<Analize *>(), &QThread::finished, &loop, [&] {
        analysisEnded = true;
        analysisFinished = clock.elapsed();
    });
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (analysisEnded && filesLabel->text() == expected)
            loop.quit();
    });
    check.start();
    loop.exec();
    const qint64 total = clock.elapsed();
    longestGap = qMax(longestGap, sinceTick.elapsed());
    ticker.stop();

    std::printf("drop of %6d files: results shown after %6lld ms, longest stall %5lld ms "
                "(analysis from %lld to %lld ms)\n",
                count, static_cast<long long>(total), static_cast<long long>(longestGap),
                static_cast<long long>(analysisStarted), static_cast<long long>(analysisFinished));
    std::fflush(stdout);

    auto *view = window.findChild<QListView *>(QStringLiteral("listView"));
    QAbstractItemModel *model = view->model();
    QItemSelection everyOther;
    QStringList rows;
    for (int row = 0; row < model->rowCount(); ++row) {
        rows.append(model->index(row, 0).data().toString());
        if (row % 2 == 1)
            everyOther.select(model->index(row, 0), model->index(row, 0));
    }
    view->selectionModel()->select(everyOther, QItemSelectionModel::Select);
    QElapsedTimer removal;
    removal.start();
    QStringList baseline;
    for (qsizetype row = 0; row < rows.size(); row += 2)
        baseline.append(rows.at(row));
    const qint64 baselineNs = removal.nsecsElapsed();
    removal.restart();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
    QCoreApplication::sendEvent(view, &press);
    const qint64 removalNs = removal.nsecsElapsed();
    if (model->rowCount() != baseline.size())
        qFatal("%d rows left, not %lld", model->rowCount(), qlonglong(baseline.size()));
    std::printf("removing every other row: %9.2f ms, plain copy %7.2f ms, ratio %8.1f\n",
                removalNs / 1e6, baselineNs / 1e6, double(removalNs) / double(baselineNs));
    std::fflush(stdout);
    // The analysis started by the removal ends before the window goes.
    window.findChild<Analize *>()->wait();
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setApplicationIdentity();
    Update::setBaseUrl(QStringLiteral("http://127.0.0.1:1/"));
    for (int count : {10000, 100000})
        runOnce(count);
    return 0;
}

// One drop of many single files on the main window: the time until the
// analysis has finished and its figures are shown, and the longest stall of
// the event loop meanwhile (the largest gap between ticks of a 10 ms timer).
// Then every other row selected and removed with Delete: the time the key
// takes, against a plain copy of the list without those rows in the same run.
// With --memory N: the memory the window keeps for N paths given to it (the
// input list, its duplicate set, the analysis), against the bare list of the
// same paths.

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
#include <QLocale>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <cstdio>
#ifdef __GLIBC__
#include <malloc.h>
#endif
#include <sys/resource.h>
#include <unistd.h>

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
    const QString expected = QLocale().toString(count);

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

// Resident memory now, from /proc; 0 where there is none.
qint64 residentBytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

qint64 peakBytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return qint64(usage.ru_maxrss) * 1024;
}

QStringList photoPaths(int count)
{
    QStringList paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i)
        paths.append(QStringLiteral("/media/anna/CARD/DCIM/%1/IMG_%2.JPG")
                         .arg(100 + i / 10000)
                         .arg(i % 10000, 4, 10, QLatin1Char('0')));
    return paths;
}

void measureMemory(int count)
{
    // Inside the home folder: no warning box to wait for.
    qputenv("HOME", "/media/anna");
    const qint64 start = residentBytes();
    qint64 held = 0, peak = 0, emptyWindow = 0;
    {
        MainWindow window;
        window.show();
        QCoreApplication::processEvents();
        emptyWindow = residentBytes();
        auto *filesLabel = window.findChild<QLabel *>(QStringLiteral("labelFilesInfosNumberFiles"));
        window.addPaths(photoPaths(count));
        const QString expected = QLocale().toString(count);
        while (filesLabel->text() != expected || window.findChild<Analize *>()->isRunning())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        held = residentBytes() - emptyWindow;
        peak = peakBytes();
    }
    // What the window freed goes back, so that the list starts from the same ground.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    const qint64 beforeList = residentBytes();
    const QStringList paths = photoPaths(count);
    const qint64 bare = residentBytes() - beforeList;
    std::printf("%d paths: the window holds %.1f MB (%.0f bytes a path), the bare list %.1f MB "
                "(%.0f bytes a path): ratio %.2f; peak of the process with the window %.1f MB, "
                "of which the empty window %.1f MB\n",
                count, held / 1e6, double(held) / count, bare / 1e6, double(bare) / count,
                double(held) / double(bare), peak / 1e6, (emptyWindow - start) / 1e6);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    setApplicationIdentity();
    Update::setBaseUrl(QStringLiteral("http://127.0.0.1:1/"));
    const QStringList arguments = QCoreApplication::arguments();
    const qsizetype memory = arguments.indexOf(QStringLiteral("--memory"));
    if (memory > 0) {
        measureMemory(memory + 1 < arguments.size() ? arguments.at(memory + 1).toInt() : 1000000);
        return 0;
    }
    for (int count : {10000, 100000})
        runOnce(count);
    return 0;
}

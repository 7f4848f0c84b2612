// The preview of a large folder: the planning alone (the plan the run makes,
// on a thread of its own as in the program), against the preview window
// planned the same way, filled and shown, and
// the longest stall of the event loop meanwhile (the largest gap between
// ticks of a 10 ms timer), and a sort by new name. Usage: bench_preview [file count]
#include "planner.h"
#include "planreview.h"
#include "preview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("files"));
    QDir().mkpath(folder);
    for (int i = 0; i < count; ++i) {
        const QByteArray path = QFile::encodeName(
            folder + QStringLiteral("/IMG_%1.jpg").arg(i, 7, 10, QLatin1Char('0')));
        ::close(::open(path.constData(), O_CREAT | O_WRONLY, 0644));
    }
    PlanRequest request;
    request.pathList = QStringList{folder};
    request.rename.outputFormat = QStringLiteral("Trip");
    request.rename.listExtensions = QStringList{QStringLiteral("jpg")};

    QWidget window;
    PlanReview review(&window);
    qint64 planning = 0;
    qint64 shown = 0;
    qint64 sorting = 0;
    qint64 longestGap = 0;
    const int rounds = 3;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        {
            Planner planner(nullptr);
            QEventLoop planned;
            QObject::connect(&planner, &Planner::planned, &planned, &QEventLoop::quit);
            planner.setRequest(request);
            planner.start();
            planned.exec();
        }
        planning += clock.nsecsElapsed();

        QElapsedTimer sinceTick;
        QTimer ticker;
        ticker.setInterval(10);
        QObject::connect(&ticker, &QTimer::timeout,
                         [&] { longestGap = qMax(longestGap, sinceTick.restart()); });
        auto *label = review.previewWindow()->findChild<QLabel *>();
        QEventLoop loop;
        QTimer check;
        check.setInterval(1);
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (!review.isPlanning() && label->text().contains(QLocale().toString(count)))
                loop.quit();
        });
        clock.restart();
        sinceTick.start();
        ticker.start();
        check.start();
        review.showPreview(request, QString());
        loop.exec();
        // The first rows painted.
        review.previewWindow()->findChild<QTableView *>()->repaint();
        shown += clock.nsecsElapsed();
        // A click on the new name's header, through to the rows painted.
        auto *table = review.previewWindow()->findChild<QTableView *>();
        clock.restart();
        table->sortByColumn(1, round % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
        table->repaint();
        sorting += clock.nsecsElapsed();
        table->sortByColumn(-1, Qt::AscendingOrder);
        review.previewWindow()->hide();
    }
    std::printf("%8s %12s %12s %7s %16s %10s\n", "files", "plan ms", "preview ms", "ratio",
                "longest stall ms", "sort ms");
    std::printf("%8d %12.1f %12.1f %7.2f %16lld %10.1f\n", count, planning / rounds / 1e6,
                shown / rounds / 1e6, double(shown) / double(planning), longestGap,
                sorting / rounds / 1e6);
    return 0;
}

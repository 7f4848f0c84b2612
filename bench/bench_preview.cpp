// The preview of a large folder: the planning alone (the plan the run makes,
// on a thread of its own as in the program), against the preview window
// planned the same way, filled, shown and taken to its last row (Ctrl+End),
// and a sort by new name. A 1 ms watchdog timer tells the longest pause of
// the event loop in each step: while the window fills and shows, while it
// goes to its last row, and the sort (which holds the loop by design); the
// stalls are in milliseconds. One round shows its plan already sorted, as
// when a user sorted and asked for the preview again.
// Usage: bench_preview [file count]
#include "planner.h"
#include "planreview.h"
#include "preview.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The longest time between two ticks of a 1 ms timer, less the millisecond
// it waits by design.
class Watchdog
{
public:
    Watchdog()
    {
        m_ticker.setTimerType(Qt::PreciseTimer);
        m_ticker.setInterval(1);
        QObject::connect(&m_ticker, &QTimer::timeout, [this] {
            m_longest = qMax(m_longest, m_sinceTick.nsecsElapsed() - 1000000);
            m_sinceTick.restart();
        });
    }
    void start()
    {
        m_longest = 0;
        m_sinceTick.start();
        m_ticker.start();
    }
    // The longest pause since start(), counting the one under way.
    qint64 stop()
    {
        m_ticker.stop();
        return qMax(m_longest, m_sinceTick.nsecsElapsed() - 1000000);
    }

private:
    QTimer m_ticker;
    QElapsedTimer m_sinceTick;
    qint64 m_longest = 0;
};

// Lets the loop run for a while: paints and layouts left for later happen.
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

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
    Watchdog watchdog;
    qint64 planning = 0;
    qint64 shown = 0;
    qint64 sorting = 0;
    qint64 showStall = 0;
    qint64 showStallSorted = 0; // a plan made again while sorted by new name
    qint64 endStall = 0;
    qint64 sortStall = 0;
    bool reachedEnd = true;
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

        // Filled and shown, through to the first rows painted.
        auto *label = review.previewWindow()->findChild<QLabel *>();
        auto *table = review.previewWindow()->findChild<QTableView *>();
        QEventLoop loop;
        QTimer check;
        check.setInterval(1);
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (!review.isPlanning() && label->text().contains(QLocale().toString(count)))
                loop.quit();
        });
        clock.restart();
        watchdog.start();
        check.start();
        review.showPreview(request, QString());
        loop.exec();
        check.stop();
        table->repaint();
        shown += clock.nsecsElapsed();
        settle(100);
        const bool sorted = table->horizontalHeader()->sortIndicatorSection() >= 0;
        (sorted ? showStallSorted : showStall) =
            qMax(sorted ? showStallSorted : showStall, watchdog.stop());

        // Ctrl+End, as a user would press it, and the last rows painted.
        watchdog.start();
        table->setFocus();
        QKeyEvent end(QEvent::KeyPress, Qt::Key_End, Qt::ControlModifier);
        QApplication::sendEvent(table, &end);
        settle(100);
        endStall = qMax(endStall, watchdog.stop());
        reachedEnd = reachedEnd && table->currentIndex().row() == count - 1;

        // A click on the new name's header, through to the rows painted.
        watchdog.start();
        clock.restart();
        table->sortByColumn(1, round % 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
        table->repaint();
        sorting += clock.nsecsElapsed();
        settle(100);
        sortStall = qMax(sortStall, watchdog.stop());
        // The second round shows its plan in the order the first one chose.
        if (round != 0)
            table->sortByColumn(-1, Qt::AscendingOrder);
        review.previewWindow()->hide();
    }
    std::printf("%8s %9s %11s %6s %11s %14s %12s %8s %11s\n", "files", "plan ms", "preview ms",
                "ratio", "stall: show", "show (sorted)", "Ctrl+End", "sort ms", "sort stall");
    std::printf("%8d %9.1f %11.1f %6.2f %11.1f %14.1f %12.1f %8.1f %11.1f\n", count,
                planning / rounds / 1e6, shown / rounds / 1e6, double(shown) / double(planning),
                showStall / 1e6, showStallSorted / 1e6, endStall / 1e6, sorting / rounds / 1e6,
                sortStall / 1e6);
    if (!reachedEnd)
        std::printf("Ctrl+End did not reach the last row\n");
    return 0;
}

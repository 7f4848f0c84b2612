// The preview of a large folder: the planning alone (the plan the run makes,
// on a thread of its own as in the program), against the preview window
// planned the same way, filled, shown and taken to its last row (Ctrl+End),
// and a sort by new name. A 1 ms watchdog timer tells the longest pause of
// the event loop in each step: while the window fills and shows, while it
// goes to its last row, and while a sort is made and applied; the stalls are
// in milliseconds. One round shows its plan already sorted, as when a user
// sorted and asked for the preview again. A large plan is sorted on a pool
// thread: "sorted after" is the time until its order is applied and painted,
// from the rows shown in the plan's order for a plan shown sorted.
// Last, the same sort by new name made at once on the window's thread, as
// the model does below its threshold, against a baseline made the way the
// window sorted before: a QCollatorSortKey per row; with the memory each
// takes beyond what the process held before (the peak of resident memory,
// reset through /proc/self/clear_refs), in MB.
// Usage: bench_preview [file count]
#include "planner.h"
#include "planreview.h"
#include "preview.h"
#include "previewmodel.h"

#include <QApplication>
#include <QCollator>
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

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <numeric>
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

// Runs the loop until done() holds, looking every millisecond.
template <typename Done> void waitUntil(Done done)
{
    QEventLoop loop;
    QTimer check;
    check.setInterval(1);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    check.start();
    loop.exec();
}

// A figure of /proc/self/status, in kB.
qint64 statusKb(const QByteArray &field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(field.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// From here, VmHWM tells the peak of resident memory; memory freed before
// goes back to the system, so that what comes after is counted.
void resetPeak()
{
    malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// The order by new name as the window made it before.
QVector<int> collatorOrder(const QVector<PlannedRename> &rows)
{
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(rows.size()));
    for (const PlannedRename &row : rows)
        keys.push_back(collator.sortKey(row.willMove() ? row.newName : row.oldName));
    QVector<int> order(rows.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&keys](int a, int b) {
        return keys[size_t(a)].compare(keys[size_t(b)]) < 0;
    });
    return order;
}

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
    // From the rows shown in the plan's order to their sorted order painted.
    qint64 shownSorted = 0;
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
        auto *model = qobject_cast<PreviewModel *>(table->model());
        clock.restart();
        watchdog.start();
        review.showPreview(request, QString());
        waitUntil([&] {
            return !review.isPlanning() && label->text().contains(QLocale().toString(count));
        });
        table->repaint();
        shown += clock.nsecsElapsed();
        const bool sorted = table->horizontalHeader()->sortIndicatorSection() >= 0;
        if (sorted) {
            clock.restart();
            waitUntil([&] { return !model->isSorting(); });
            table->repaint();
            shownSorted = qMax(shownSorted, clock.nsecsElapsed());
        }
        settle(100);
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
        waitUntil([&] { return !model->isSorting(); });
        table->repaint();
        sorting += clock.nsecsElapsed();
        settle(100);
        sortStall = qMax(sortStall, watchdog.stop());
        // The second round shows its plan in the order the first one chose.
        if (round != 0)
            table->sortByColumn(-1, Qt::AscendingOrder);
        review.previewWindow()->hide();
    }

    // The same sort at once, against the baseline, on the plan last shown.
    auto *table = review.previewWindow()->findChild<QTableView *>();
    auto *model = qobject_cast<PreviewModel *>(table->model());
    const QVector<PlannedRename> rows = model->preview().rows;
    settle(300); // plans freed aside are gone
    QElapsedTimer clock;
    resetPeak();
    qint64 resident = statusKb("VmRSS:");
    model->setAsyncSortThreshold(INT_MAX);
    clock.start();
    table->sortByColumn(1, Qt::AscendingOrder);
    const qint64 keysTime = clock.nsecsElapsed();
    const qint64 keysKb = statusKb("VmHWM:") - resident;
    resetPeak();
    resident = statusKb("VmRSS:");
    clock.restart();
    const QVector<int> baseline = collatorOrder(rows);
    const qint64 baselineTime = clock.nsecsElapsed();
    const qint64 baselineKb = statusKb("VmHWM:") - resident;
    bool sameOrder = true;
    for (int row = 0; row < count && sameOrder; ++row)
        sameOrder = model->plannedAt(row).newName == rows.at(baseline.at(row)).newName;
    std::printf("%8s %9s %11s %6s %11s %14s %13s %9s %11s %13s\n", "files", "plan ms", "preview ms",
                "ratio", "stall: show", "show (sorted)", "sorted after", "Ctrl+End", "sort stall",
                "sorted after");
    std::printf("%8d %9.1f %11.1f %6.2f %11.1f %14.1f %13.1f %9.1f %11.1f %13.1f\n", count,
                planning / rounds / 1e6, shown / rounds / 1e6, double(shown) / double(planning),
                showStall / 1e6, showStallSorted / 1e6, shownSorted / 1e6, endStall / 1e6,
                sortStall / 1e6, sorting / rounds / 1e6);
    std::printf("%-22s %9s %9s\n", "sort at once", "ms", "MB");
    std::printf("%-22s %9.1f %9.1f\n", "QCollatorSortKey", baselineTime / 1e6, baselineKb / 1024.0);
    std::printf("%-22s %9.1f %9.1f\n", "the model", keysTime / 1e6, keysKb / 1024.0);
    std::printf("%-22s %9.2f %9.2f\n", "ratio", double(keysTime) / double(baselineTime),
                double(keysKb) / double(qMax<qint64>(1, baselineKb)));
    if (!sameOrder)
        std::printf("the orders differ\n");
    if (!reachedEnd)
        std::printf("Ctrl+End did not reach the last row\n");
    return 0;
}

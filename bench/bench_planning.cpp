// The CPU a batch spends deciding, beyond the listing it needs: one folder of
// empty files with scattered dates, planned as tavrelo-cli plans it and then
// checked as the executor checks it before the first file moves (names
// shared, cycles, names refused), against the bare listing of the same
// folder (readdir and, for the order by date, a stat per file). Each figure is
// the median of five runs, in CPU time of this process; the files are made
// once. Nothing is renamed.
// Usage: bench_planning [file count]   (100000)

#include "batchplan.h"
#include "directorylisting.h"
#include "renameplan.h"
#include "replaceplan.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

double cpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double medianMs(const std::function<void()> &job)
{
    std::vector<double> runs;
    for (int i = 0; i < 5; ++i) {
        const double start = cpuMs();
        job();
        runs.push_back(cpuMs() - start);
    }
    std::sort(runs.begin(), runs.end());
    return runs[runs.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? QByteArray(argv[1]).toInt() : 100000;
    if (count < 1) {
        std::fprintf(stderr, "usage: bench_planning [file count]\n");
        return 2;
    }
    QTemporaryDir root;
    const QString dir = root.filePath(QStringLiteral("files"));
    QDir().mkpath(dir);
    const int width = int(QString::number(count).size());
    for (int i = 0; i < count; ++i) {
        QFile file(dir + QStringLiteral("/f%1.jpg").arg(i, width, 10, QLatin1Char('0')));
        if (!file.open(QIODevice::WriteOnly)) {
            std::fprintf(stderr, "cannot make %s\n", qPrintable(file.fileName()));
            return 1;
        }
        // Dates in another order than the names'.
        file.setFileTime(QDateTime::fromSecsSinceEpoch(1600000000 + (qint64(i) * 7919) % count),
                         QFileDevice::FileModificationTime);
    }

    RenameOptions byDate;
    byDate.outputFormat = QStringLiteral("Trip");
    byDate.renameBy = 0;
    byDate.everySuffix = true;
    const ReplaceRequest replace =
        ReplaceRequest::make(QStringLiteral("f"), QStringLiteral("Trip"), false, false);
    qsizetype checked = 0;
    const auto check = [&checked](const BatchPlan &plan) {
        BatchPlan::Verdicts verdicts;
        checked += BatchPlan::foresee(plan.renames(), false, false, &verdicts).changes;
    };

    const double listedByDate = medianMs([&] { listPlainFiles(dir, ListingOrder::Time); });
    const double plannedByDate = medianMs([&] { RenamePlan::make({dir}, byDate); });
    const double checkedByDate = medianMs([&] { check(RenamePlan::make({dir}, byDate)); });
    const double listed = medianMs([&] { listPlainFileNames(dir); });
    const double planned = medianMs([&] { ReplacePlan::make({dir}, replace, false); });
    const double checkedReplace =
        medianMs([&] { check(ReplacePlan::make({dir}, replace, false)); });

    std::printf("%d files, CPU ms, median of 5 runs\n", count);
    std::printf("  %-34s %9s %9s %20s\n", "", "listing", "planned", "planned and checked");
    std::printf("  %-34s %9.1f %9.1f %20.1f\n", "numbered by date", listedByDate, plannedByDate,
                checkedByDate);
    std::printf("  %-34s %9.1f %9.1f %20.1f\n", "replace f by Trip", listed, planned,
                checkedReplace);
    std::printf("Beyond the listing: by date %.1f ms, replace %.1f ms (planned and checked).\n",
                checkedByDate - listedByDate, checkedReplace - listed);
    return checked > 0 ? 0 : 1;
}

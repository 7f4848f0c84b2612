// What the journal, the progress reports and undo cost: a folder renamed by
// date through the batch road with the journal, without it, and with the
// journal and progress reported as the worker asks for it; then the
// journaled batch undone. Each round makes three fresh folders and a fresh
// journal, then runs the three renames: the runs with and without progress
// swap places from one round to the next (ABAB / BABA) and the run without a
// journal moves through every place, since renames right after other
// file-system work run slower. Medians and ranges; each ratio both of the
// medians and as the median of the rounds' own ratios.
// Usage: bench_journal [file count] [rounds]   (100000, 6 rounds)
#include "batchrun.h"
#include "renameplan.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

void fill(const QString &dir, int count)
{
    QDir().mkpath(dir);
    for (int i = 0; i < count; ++i) {
        const QByteArray path =
            QFile::encodeName(dir + QStringLiteral("/IMG_%1.jpg").arg(i, 7, 10, QLatin1Char('0')));
        const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
        if (fd < 0) {
            std::perror(path.constData());
            std::exit(1);
        }
        ::close(fd);
    }
}

qint64 renameRun(const QString &dir, Journal *journal, QString *batchId, qint64 *reports)
{
    QElapsedTimer timer;
    timer.start();
    RenameOptions options;
    options.outputFormat = QStringLiteral("Trip");
    options.listExtensions = QStringList{QStringLiteral("jpg")};
    const BatchPlan plan = RenamePlan::make({dir}, options);
    BatchExecutor::Options executorOptions;
    if (reports) // as the worker does it, which then sends a queued signal per report
        executorOptions.progress = [reports](qsizetype, qsizetype) { ++*reports; };
    const BatchRun::Result result =
        BatchRun::carryOut(plan.renames(), Journal::Kind::Rename, executorOptions, journal);
    if (!result.ran() || !result.outcome.failures.isEmpty()) {
        std::fprintf(stderr, "the rename failed\n");
        std::exit(1);
    }
    if (batchId)
        *batchId = result.batchId;
    return timer.nsecsElapsed();
}

struct Figures
{
    double median;
    double low;
    double high;
};

Figures figures(std::vector<qint64> times)
{
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    const double middle =
        n % 2 ? double(times[n / 2]) : (double(times[n / 2 - 1] + times[n / 2])) / 2;
    return {middle / 1e6, double(times.front()) / 1e6, double(times.back()) / 1e6};
}

// Each round's own ratio, so that a round slowed down as a whole (by other
// work on the machine) counts once.
Figures pairedRatios(const std::vector<qint64> &numerators, const std::vector<qint64> &denominators)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < numerators.size(); ++i)
        ratios.push_back(double(numerators[i]) / double(denominators[i]));
    std::sort(ratios.begin(), ratios.end());
    const std::size_t n = ratios.size();
    const double middle = n % 2 ? ratios[n / 2] : (ratios[n / 2 - 1] + ratios[n / 2]) / 2;
    return {middle, ratios.front(), ratios.back()};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 6;
    if (count < 1 || rounds < 1) {
        std::fprintf(stderr, "usage: bench_journal [file count] [rounds]\n");
        return 2;
    }
    QTemporaryDir root;
    enum Run { Journaled, Progress, Unjournaled };
    std::vector<qint64> times[3];
    std::vector<qint64> undone;
    qint64 reports = 0;
    for (int round = 0; round < rounds; ++round) {
        std::vector<Run> order = round % 2 == 0 ? std::vector<Run>{Journaled, Progress}
                                                : std::vector<Run>{Progress, Journaled};
        order.insert(order.begin() + round % 3, Unjournaled);

        const QString folders[3] = {root.filePath(QStringLiteral("with")),
                                    root.filePath(QStringLiteral("progress")),
                                    root.filePath(QStringLiteral("without"))};
        for (const QString &folder : folders)
            fill(folder, count);
        ::sync();
        auto journal = std::make_unique<Journal>(root.filePath(QStringLiteral("journal")));
        QString batchId;
        QString progressId;
        qint64 roundReports = 0;
        for (const Run run : order) {
            switch (run) {
            case Journaled:
                times[run].push_back(renameRun(folders[run], journal.get(), &batchId, nullptr));
                break;
            case Progress:
                times[run].push_back(
                    renameRun(folders[run], journal.get(), &progressId, &roundReports));
                break;
            case Unjournaled:
                times[run].push_back(renameRun(folders[run], nullptr, nullptr, nullptr));
                break;
            }
        }
        reports += roundReports;

        QElapsedTimer timer;
        timer.start();
        const BatchRun::UndoResult undo = BatchRun::undo(*journal, batchId, {});
        undone.push_back(timer.nsecsElapsed());
        if (!undo.leftAlone.isEmpty()
            || !QFile::exists(folders[Journaled] + QStringLiteral("/IMG_0000000.jpg"))) {
            std::fprintf(stderr, "the undo failed\n");
            return 1;
        }
        journal.reset();
        for (const QString &folder : folders)
            QDir(folder).removeRecursively();
        QDir(root.filePath(QStringLiteral("journal"))).removeRecursively();
    }

    const Figures with = figures(times[Journaled]);
    const Figures progress = figures(times[Progress]);
    const Figures without = figures(times[Unjournaled]);
    const Figures undo = figures(undone);
    const Figures progressRatio = pairedRatios(times[Progress], times[Journaled]);
    const Figures journalRatio = pairedRatios(times[Journaled], times[Unjournaled]);
    const Figures undoRatio = pairedRatios(undone, times[Journaled]);
    std::printf("%d files, %d rounds: ms, median (range); ratio of the medians; median (range) "
                "of the rounds' own ratios\n",
                count, rounds);
    std::printf("  %-24s %8.1f (%7.1f - %7.1f)\n", "journal", with.median, with.low, with.high);
    std::printf("  %-24s %8.1f (%7.1f - %7.1f)  %5.3f  %5.3f (%5.3f - %5.3f) of journal, "
                "%.1f reports a run\n",
                "journal + progress", progress.median, progress.low, progress.high,
                progress.median / with.median, progressRatio.median, progressRatio.low,
                progressRatio.high, double(reports) / rounds);
    std::printf("  %-24s %8.1f (%7.1f - %7.1f)  %5.3f  %5.3f (%5.3f - %5.3f) journal of it\n",
                "no journal", without.median, without.low, without.high,
                with.median / without.median, journalRatio.median, journalRatio.low,
                journalRatio.high);
    std::printf("  %-24s %8.1f (%7.1f - %7.1f)  %5.3f  %5.3f (%5.3f - %5.3f) of journal\n",
                "undo of the journal run", undo.median, undo.low, undo.high,
                undo.median / with.median, undoRatio.median, undoRatio.low, undoRatio.high);
    return 0;
}

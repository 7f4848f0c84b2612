// What the journal, the progress reports and undo cost, side by side in one
// run: a folder renamed by date through the batch road with the journal and,
// on fresh copies, without it and with progress reported as the window gets
// it; then the journaled batch undone, against the time of the forward
// rename. Prints the times and the ratios.
// Usage: bench_journal [file count]
#include "batchrun.h"
#include "renameplan.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

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
    ::sync();
}

qint64 renameRun(const QString &dir, Journal *journal, QString *batchId, bool progress = false)
{
    QElapsedTimer timer;
    timer.start();
    RenameOptions options;
    options.outputFormat = QStringLiteral("Trip");
    options.listExtensions = QStringList{QStringLiteral("jpg")};
    const BatchPlan plan = RenamePlan::make({dir}, options);
    BatchExecutor::Options executorOptions;
    qint64 reports = 0;
    if (progress) // as the worker does: a signal per report, queued to the window
        executorOptions.progress = [&reports](qsizetype, qsizetype) { ++reports; };
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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir root;
    Journal journal(root.filePath(QStringLiteral("journal")));
    qint64 with = 0;
    qint64 without = 0;
    qint64 undone = 0;
    qint64 reported = 0;
    // Each order once, on fresh folders: renames run slower right after
    // other file-system work.
    for (const bool journalFirst : {true, false}) {
        const QString a = root.filePath(QStringLiteral("with"));
        const QString b = root.filePath(QStringLiteral("without"));
        const QString c = root.filePath(QStringLiteral("progress"));
        fill(a, count);
        fill(b, count);
        fill(c, count);
        QString batchId;
        QString progressId;
        if (journalFirst)
            with += renameRun(a, &journal, &batchId);
        without += renameRun(b, nullptr, nullptr);
        reported += renameRun(c, &journal, &progressId, true);
        if (!journalFirst)
            with += renameRun(a, &journal, &batchId);

        QElapsedTimer timer;
        timer.start();
        const BatchRun::UndoResult undo = BatchRun::undo(journal, batchId, {});
        undone += timer.nsecsElapsed();
        if (!undo.leftAlone.isEmpty() || !QFile::exists(a + QStringLiteral("/IMG_0000000.jpg"))) {
            std::fprintf(stderr, "the undo failed\n");
            return 1;
        }
        QDir(a).removeRecursively();
        QDir(b).removeRecursively();
        QDir(c).removeRecursively();
    }
    std::printf("%8s %12s %14s %7s %12s %7s %12s %7s\n", "files", "journal ms", "no journal ms",
                "ratio", "progress ms", "ratio", "undo ms", "ratio");
    std::printf("%8d %12.1f %14.1f %7.3f %12.1f %7.3f %12.1f %7.3f\n", count, with / 2e6,
                without / 2e6, double(with) / double(without), reported / 2e6,
                double(reported) / double(with), undone / 2e6, double(undone) / double(with));
    return 0;
}

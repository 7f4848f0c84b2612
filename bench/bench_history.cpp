// What the History window costs with a full journal: 50 batches of 100,000
// files each (the most the journal keeps), written straight as records. Times
// the journal's history with ends that keep their folders and with ends of
// earlier versions (folders read from the head of each plan), the window
// made and filled, one batch read back whole for comparison, and the check
// of which batch stands in the way of the oldest when each batch renamed the
// files of the one before (every later record read).
// Usage: bench_history [file count per batch]
#include "history.h"
#include "journal.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

const int batchCount = 50;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::exit(1);
    }
}

// Batch k renames N<k>_<i>.jpg to N<k+1>_<i>.jpg in one folder: each batch
// renames the files of the one before again.
void fill(const QString &journalDir, int files, bool endsKeepFolders)
{
    QDir().mkpath(journalDir);
    const QDateTime start(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC);
    const QString folder = QStringLiteral("/home/user/Pictures/trip/");
    for (int k = 0; k < batchCount; ++k) {
        JournalRecord::Batch batch;
        batch.started = start.addSecs(60 * k);
        batch.id = batch.started.toString(QStringLiteral("yyyyMMdd-HHmmss-zzz-")) + "0001";
        batch.kind = JournalRecord::Kind::Rename;
        batch.planned = files;
        batch.renamed = files;
        if (endsKeepFolders) {
            batch.folders = QStringList{folder};
            batch.folderCount = 1;
        }
        JournalRecord::PlanWriter writer(batch, false, files);
        JournalRecord::Entry entry;
        entry.folder = folder;
        for (int i = 0; i < files; ++i) {
            entry.oldName = QStringLiteral("N%1_%2.jpg").arg(k).arg(i);
            entry.newName = QStringLiteral("N%1_%2.jpg").arg(k + 1).arg(i);
            entry.fileId = quint64(1000000 + i);
            writer.add(entry);
        }
        writeFile(journalDir + '/' + batch.id + ".json", writer.bytes());
        JournalRecord::End end;
        end.finished = batch.started.addSecs(20);
        end.renamed = files;
        writeFile(journalDir + '/' + batch.id + ".end.json", JournalRecord::writeEnd(batch, end));
    }
}

double msSince(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int files = argc > 1 ? std::atoi(argv[1]) : 100000;
    QTemporaryDir root;
    const QString current = root.filePath(QStringLiteral("current"));
    const QString earlier = root.filePath(QStringLiteral("earlier"));
    fill(current, files, true);
    fill(earlier, files, false);

    QElapsedTimer timer;
    timer.start();
    const QVector<Journal::Batch> batches = Journal(current).history();
    const double history = msSince(timer);
    timer.restart();
    const QVector<Journal::Batch> earlierBatches = Journal(earlier).history();
    const double earlierHistory = msSince(timer);
    if (batches.size() != batchCount || earlierBatches.size() != batchCount
        || earlierBatches.first().folders != batches.first().folders) {
        std::fprintf(stderr, "the history is not whole\n");
        return 1;
    }

    timer.restart();
    History window(nullptr);
    window.setBatches(Journal(current).history());
    window.show();
    QCoreApplication::processEvents();
    const double shown = msSince(timer);

    timer.restart();
    Journal::Stored stored;
    QString error;
    Journal(current).read(batches.last().id, &stored, &error);
    const double oneRead = msSince(timer);

    timer.restart();
    const Journal::Batch blocker = Journal(current).undoBlocker(batches.last().id);
    const double blocked = msSince(timer);
    if (blocker.id != batches.first().id) {
        std::fprintf(stderr, "the chain was not followed to its end\n");
        return 1;
    }

    std::printf("%d batches of %d files\n", batchCount, files);
    std::printf("history, ends with folders:      %9.1f ms\n", history);
    std::printf("history, ends of earlier version: %8.1f ms\n", earlierHistory);
    std::printf("History window made and shown:   %9.1f ms\n", shown);
    std::printf("one batch read whole:            %9.1f ms\n", oneRead);
    std::printf("undo blocker of the oldest:      %9.1f ms (%d records read)\n", blocked,
                batchCount);
    return 0;
}

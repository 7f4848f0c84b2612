// Carries out one journaled batch over a folder and prints "moving" as the
// first file moves, so that a test can kill it at any moment of the batch:
// pairs of files that swap names (cycles), then chains of names.
#include "batchrun.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).canonicalPath() + QLatin1Char('/');
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    QVector<PlannedRename> renames;
    for (int i = 0; i + 1 < names.size(); i += 2) {
        renames.append({folder, names[i], names[i + 1]});
        renames.append({folder, names[i + 1], names[i]});
    }
    Journal journal(QString::fromLocal8Bit(argv[2]));
    BatchExecutor::Options options;
    bool told = false;
    options.progress = [&told](qsizetype, qsizetype) {
        if (told)
            return;
        told = true;
        std::printf("moving\n");
        std::fflush(stdout);
    };
    const BatchRun::Result result =
        BatchRun::carryOut(renames, Journal::Kind::Rename, options, &journal);
    return result.ran() && result.outcome.failures.isEmpty() ? 0 : 1;
}

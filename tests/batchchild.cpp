// Carries out one journaled batch over a folder and prints "moving" as the
// first file moves, so that a test can kill it at any moment of the batch:
//   swap FOLDER JOURNAL     pairs of files swap names (cycles)
//   replace FOLDER JOURNAL  every "f*" file takes the name "g*", and the "g*"
//                           files outside the request go to the trash
//   undo FOLDER JOURNAL     the newest batch of the journal taken back
#include "batchrun.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QByteArray mode = argv[1];
    const QString folder = QDir(QString::fromLocal8Bit(argv[2])).canonicalPath() + QLatin1Char('/');
    Journal journal(QString::fromLocal8Bit(argv[3]));
    BatchExecutor::Options options;
    bool told = false;
    options.progress = [&told](qsizetype, qsizetype) {
        if (told)
            return;
        told = true;
        std::printf("moving\n");
        std::fflush(stdout);
    };
    if (mode == "undo") {
        const BatchRun::UndoResult undo =
            BatchRun::undo(journal, journal.newestUndoable().id, options);
        return undo.run.ran() && undo.leftAlone.isEmpty() ? 0 : 1;
    }

    const QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    QVector<PlannedRename> renames;
    if (mode == "swap") {
        for (int i = 0; i + 1 < names.size(); i += 2) {
            renames.append({folder, names[i], names[i + 1]});
            renames.append({folder, names[i + 1], names[i]});
        }
    } else if (mode == "replace") {
        options.replaceExisting = true;
        for (const QString &name : names) {
            if (name.startsWith(QLatin1Char('f')))
                renames.append({folder, name, QLatin1Char('g') + name.mid(1)});
        }
    } else {
        return 2;
    }
    const BatchRun::Result result =
        BatchRun::carryOut(renames, mode == "swap" ? Journal::Kind::Rename : Journal::Kind::Replace,
                           options, &journal);
    return result.ran() && result.outcome.failures.isEmpty() ? 0 : 1;
}

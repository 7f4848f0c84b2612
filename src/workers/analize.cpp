#include "analize.h"

#include "directorylisting.h"
#include "grouping.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <limits>

namespace {

// Reports go out at most this often, and after the last entry: a list of a
// hundred thousand single files would otherwise post the window three events
// per file, faster than it can take them.
const qint64 reportIntervalMs = 100;
// How many names of one folder pass between two looks at the cancel flag.
const qsizetype namesBetweenChecks = 4096;

int clampedCount(qsizetype count)
{
    return int(qMin<qsizetype>(count, std::numeric_limits<int>::max()));
}

} // namespace

Analize::Analize(QObject *parent) : QThread(parent) {}

void Analize::setPathList(const QStringList &pathList)
{
    this->pathList = pathList;
    fileCount = 0;
    listExtensions.clear();
    knownExtensions.clear();
    cancelled = false;
}

void Analize::cancel()
{
    cancelled = true;
}

bool Analize::wasCancelled() const
{
    return cancelled;
}

void Analize::addSuffix(const QString &suffix)
{
    if (knownExtensions.contains(suffix))
        return;
    knownExtensions.insert(suffix);
    listExtensions.append(suffix);
}

// False when cancelled part way.
bool Analize::addSuffixesOf(const QStringList &names)
{
    // A listing holds bare names, so the suffix is simply what follows the
    // last dot. A folder rarely holds more than a handful of suffixes: those
    // are compared in place, which spares a string and a hash per name.
    const qsizetype fewSuffixes = 16;
    QStringView lastSuffix;
    bool haveLast = false;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i % namesBetweenChecks == namesBetweenChecks - 1 && cancelled)
            return false;
        const QString &name = names.at(i);
        const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
        const QStringView suffix = dot < 0 ? QStringView() : QStringView(name).mid(dot + 1);
        // Neighbours often share theirs.
        if (haveLast && suffix.size() == lastSuffix.size() && suffix == lastSuffix)
            continue;
        lastSuffix = suffix;
        haveLast = true;
        if (listExtensions.size() <= fewSuffixes) {
            if (!listExtensions.contains(suffix))
                addSuffix(suffix.toString());
        } else {
            addSuffix(suffix.toString());
        }
    }
    return true;
}

void Analize::run()
{
    const qint64 total = pathList.size();
    if (total == 0)
        return;
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    emit progressChanged(0, total);
    qint64 done = 0;
    for (const QString &entry : std::as_const(pathList)) {
        if (cancelled)
            break;
        const QFileInfo info(entry);
        if (info.isDir()) {
            QStringList folders{entry};
            if (recursive)
                folders += subfoldersOf(entry);
            bool stopped = false;
            for (const QString &folder : std::as_const(folders)) {
                const QStringList names = listPlainFileNames(folder);
                if (!addSuffixesOf(names)) {
                    stopped = true;
                    break;
                }
                fileCount += names.size();
            }
            if (stopped)
                break;
        } else {
            // The entry counts as base name + "." + suffix, whose suffix is
            // the entry's own.
            addSuffix(info.suffix());
            ++fileCount;
        }
        ++done;
        if (done == total || sinceProgress.elapsed() >= reportIntervalMs) {
            sinceProgress.restart();
            emit resetListExtensions();
            emit setFilesInformations(clampedCount(fileCount), clampedCount(listExtensions.size()));
            emit setListExtensions(listExtensions);
            if (done < total)
                emit progressChanged(done, total);
        }
    }
    emit progressChanged(done, total);
    listExtensions.clear();
    knownExtensions.clear();
}

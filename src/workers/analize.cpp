#include "analize.h"

#include "directorylisting.h"
#include "filenames.h"
#include "grouping.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QVarLengthArray>

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
bool Analize::countFolder(const QString &folder)
{
    // A listing holds bare names, so the suffix is simply what follows the
    // last dot, in the name's bytes as well as in its text (a dot is never
    // part of a longer UTF-8 sequence). Names stay bytes: only a suffix not
    // met before in this folder becomes a string.
    const qsizetype fewSuffixes = 16;
    QVarLengthArray<QByteArray, fewSuffixes> seen;
    QSet<QByteArray> seenMany;
    qsizetype lastSeen = -1; // neighbours often share their suffix
    // Whether the suffix was met before in this folder; remembers it if not.
    const auto known = [&](QByteArrayView suffix) {
        if (lastSeen >= 0 && QByteArrayView(seen[lastSeen]) == suffix)
            return true;
        if (seenMany.isEmpty()) {
            for (qsizetype i = 0; i < seen.size(); ++i) {
                if (QByteArrayView(seen[i]) == suffix) {
                    lastSeen = i;
                    return true;
                }
            }
            seen.append(suffix.toByteArray());
            lastSeen = seen.size() - 1;
            // A folder of many suffixes has them in a hash from here on.
            if (seen.size() == fewSuffixes) {
                seenMany = QSet<QByteArray>(seen.cbegin(), seen.cend());
                lastSeen = -1;
            }
            return false;
        }
        const QByteArray bytes = suffix.toByteArray();
        if (seenMany.contains(bytes))
            return true;
        seenMany.insert(bytes);
        return false;
    };
    qsizetype names = 0;
    bool stopped = false;
    forEachPlainFileName(folder, [&](QByteArrayView name) {
        if (++names % namesBetweenChecks == 0 && cancelled) {
            stopped = true;
            return false;
        }
        const qsizetype dot = name.lastIndexOf('.');
        const QByteArrayView suffix = dot < 0 ? QByteArrayView() : name.sliced(dot + 1);
        if (!known(suffix))
            addSuffix(nameFromBytes(suffix.data(), suffix.size()));
        return true;
    });
    if (stopped)
        return false;
    fileCount += names;
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
                if (!countFolder(folder)) {
                    stopped = true;
                    break;
                }
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

#include "inputlist.h"

#include "inputlistmodel.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>

namespace {

// How long one event-loop turn may spend taking paths, and how many paths
// pass between two looks at the clock.
const qint64 sliceBudgetMs = 15;
const qsizetype pathsPerChunk = 2048;

} // namespace

InputList::InputList(QObject *parent) : QObject(parent), m_model(new InputListModel(this)) {}

const QStringList &InputList::paths() const
{
    return m_model->paths();
}

void InputList::addPaths(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    PendingBatch batch;
    batch.paths = paths;
    enqueue(std::move(batch));
}

void InputList::addUrls(const QList<QUrl> &urls)
{
    if (urls.isEmpty())
        return;
    PendingBatch batch;
    batch.urls = urls;
    enqueue(std::move(batch));
}

void InputList::enqueue(PendingBatch batch)
{
    // Room for every path at once: a list and an index that grow by
    // doubling would hold both sizes at once, a million paths over.
    const qsizetype most = paths().size() + batch.size();
    m_model->reserve(most);
    if (knownPathsValid)
        knownPaths.reserve(most);
    pendingBatches.append(std::move(batch));
    emit takingChanged();
    // A small batch is listed before this returns; a large one goes on in
    // later turns.
    takePendingPaths();
}

void InputList::takePendingPaths()
{
    sliceQueued = false;
    // A warning box runs an event loop of its own; the slice in progress
    // finishes after it.
    if (takingSlice)
        return;
    takingSlice = true;
    QElapsedTimer clock;
    clock.start();
    bool batchDone = false;
    while (!pendingBatches.isEmpty() && clock.elapsed() < sliceBudgetMs) {
        const QStringList &listed = paths();
        if (!knownPathsValid) {
            knownPaths.clear();
            knownPaths.reserve(listed.size());
            for (qsizetype row = 0; row < listed.size(); ++row)
                knownPaths.insert(listed.at(row), int(row));
            knownPathsValid = true;
        }
        PendingBatch &batch = pendingBatches.first();
        const qsizetype end = qMin(batch.next + pathsPerChunk, batch.size());
        QStringList newPaths;
        const auto rowText = [&listed, &newPaths](int row) -> const QString & {
            return row < listed.size() ? listed.at(row) : newPaths.at(row - listed.size());
        };
        for (qsizetype i = batch.next; i < end; ++i) {
            const QString path = QDir::toNativeSeparators(
                batch.urls.isEmpty() ? batch.paths.at(i) : batch.urls.at(i).toLocalFile());
            if (knownPaths.find(path, rowText) >= 0)
                continue;
            knownPaths.insert(path, int(listed.size() + newPaths.size()));
            newPaths.append(path);
        }
        batch.next = end;
        // Cleared before the signal: a box shown from it may take more paths.
        bool warnNow = false;
        if (batch.warn && firstOutsideHome(newPaths) >= 0) {
            batch.warn = false;
            warnNow = true;
        }
        if (batch.next == batch.size()) {
            pendingBatches.removeFirst();
            batchDone = true;
        }
        m_model->appendPaths(newPaths);
        if (warnNow)
            emit outsideHomeTaken();
    }
    takingSlice = false;
    if (!pendingBatches.isEmpty()) {
        if (!sliceQueued) {
            sliceQueued = true;
            QTimer::singleShot(0, this, &InputList::takePendingPaths);
        }
        return;
    }
    emit takingChanged();
    if (batchDone)
        emit batchTaken();
}

void InputList::removeRows(QList<int> rows)
{
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows.isEmpty())
        return;
    // One pass however scattered the rows are: removing them one by one
    // would freeze the window on a large list.
    m_model->removeSortedRows(rows);
    knownPathsValid = false;
}

void InputList::setPaths(const QStringList &paths)
{
    m_model->setPaths(paths);
    knownPathsValid = false;
}

void InputList::clear()
{
    const bool wasTaking = isTaking();
    pendingBatches.clear();
    m_model->setPaths(QStringList());
    knownPaths.clear();
    knownPathsValid = true;
    if (wasTaking)
        emit takingChanged();
}

qsizetype InputList::firstOutsideHome(const QStringList &paths)
{
    const QString home = QDir::toNativeSeparators(QDir::homePath());
    for (qsizetype i = 0; i < paths.size(); ++i) {
        QString withSeparator = paths.at(i);
        if (!withSeparator.endsWith(QDir::separator()))
            withSeparator.append(QDir::separator());
        if (!QDir::toNativeSeparators(withSeparator).contains(home))
            return i;
    }
    return -1;
}

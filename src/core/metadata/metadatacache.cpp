#include "metadatacache.h"

#include <QFileInfo>
#include <QMutexLocker>
#include <QThread>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

MetadataCache::MetadataCache(int capacity) : m_entries(capacity) {}

Metadata MetadataCache::facts(const QString &path, qint64 size, const QDateTime &modified)
{
    {
        const QMutexLocker locker(&m_mutex);
        const Entry *entry = m_entries.object(path);
        if (entry && entry->size == size && entry->modified == modified)
            return entry->facts;
    }
    ++m_reads;
    const Metadata facts = Metadata::read(path);
    const QMutexLocker locker(&m_mutex);
    m_entries.insert(path, new Entry{size, modified, facts});
    return facts;
}

bool MetadataCache::readAll(const QStringList &paths, const Use &use, const Progress &progress,
                            const std::atomic<bool> *cancel)
{
    const qsizetype total = paths.size();
    std::atomic<qsizetype> next{0};
    std::atomic<qsizetype> done{0};
    std::atomic<bool> stopped{false};
    std::mutex mutex;
    std::condition_variable finished;
    int running = 0;

    const auto readSome = [&] {
        for (qsizetype i = next++; i < total; i = next++) {
            if (cancel && cancel->load()) {
                stopped = true;
                break;
            }
            const QFileInfo info(paths[i]);
            const Metadata read = facts(paths[i], info.size(), info.lastModified());
            if (use)
                use(i, read);
            ++done;
        }
        const std::lock_guard<std::mutex> lock(mutex);
        --running;
        finished.notify_all();
    };
    // Reading is mostly waiting for the disk and parsing: one thread a core,
    // and never more threads than files.
    const qsizetype threads =
        qBound<qsizetype>(1, qsizetype(QThread::idealThreadCount()), qMax<qsizetype>(total, 1));
    running = int(threads);
    std::vector<std::thread> readers;
    readers.reserve(size_t(threads));
    for (qsizetype t = 0; t < threads; ++t)
        readers.emplace_back(readSome);
    {
        std::unique_lock<std::mutex> lock(mutex);
        while (!finished.wait_for(lock, std::chrono::milliseconds(100),
                                  [&running] { return running == 0; })) {
            if (progress) {
                lock.unlock();
                progress(done.load(), total);
                lock.lock();
            }
        }
    }
    for (std::thread &reader : readers)
        reader.join();
    return !stopped.load();
}

MetadataCache &MetadataCache::shared()
{
    static MetadataCache cache;
    return cache;
}

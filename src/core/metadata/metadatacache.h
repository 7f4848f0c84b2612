#ifndef METADATACACHE_H
#define METADATACACHE_H

#include "metadata.h"

#include <QCache>
#include <QMutex>
#include <QStringList>

#include <atomic>
#include <functional>

// Facts read once per file, so that editing a rule does not read a folder
// of photos again: kept by path, and read again when the file's size or
// modification time differs. Bounded (the oldest used go first); safe on
// any thread, the file read without the lock held.
class MetadataCache
{
public:
    explicit MetadataCache(int capacity = 200000);
    Metadata facts(const QString &path, qint64 size, const QDateTime &modified);

    // Every path's facts, read on every core, those known here taken as
    // they are. use(index, facts) runs on the reading threads, once per
    // path; progress(done, total) on the calling thread about ten times a
    // second while the reading lasts; cancel stops it between two files.
    // False when cancelled.
    using Use = std::function<void(qsizetype index, const Metadata &facts)>;
    using Progress = std::function<void(qsizetype done, qsizetype total)>;
    bool readAll(const QStringList &paths, const Use &use = {}, const Progress &progress = {},
                 const std::atomic<bool> *cancel = nullptr);

    // How many files were read, not found here.
    qint64 reads() const { return m_reads.load(); }

    // The one the rules read through.
    static MetadataCache &shared();

private:
    struct Entry
    {
        qint64 size;
        QDateTime modified;
        Metadata facts;
    };
    QMutex m_mutex;
    QCache<QString, Entry> m_entries;
    std::atomic<qint64> m_reads{0};
};

#endif // METADATACACHE_H

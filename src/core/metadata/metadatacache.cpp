#include "metadatacache.h"

#include <QMutexLocker>

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

MetadataCache &MetadataCache::shared()
{
    static MetadataCache cache;
    return cache;
}

#include "directorylisting.h"

#include "filenames.h"
#include "namearena.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <QCollator>
#include <QLocale>
#include <QThread>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <system_error>
#include <thread>
#include <vector>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_UNIX
qint64 modifiedMsecsOf(const struct stat &status)
{
#if defined(Q_OS_DARWIN)
    const struct timespec &time = status.st_mtimespec;
#else
    const struct timespec &time = status.st_mtim;
#endif
    return qint64(time.tv_sec) * 1000 + time.tv_nsec / 1000000;
}

// Whether a directory entry is one that QDir::entryList(QDir::Files) gives.
// Fills target with what the entry points to.
bool isListedEntry(int dirFd, const char *name, unsigned char type, struct stat *target)
{
    // Hidden, and "." and "..".
    if (name[0] == '.')
        return false;
#ifdef DT_DIR
    if (type == DT_DIR)
        return false;
#else
    Q_UNUSED(type);
#endif
    // Follows links, as QFileInfo does: a link counts as what it points to,
    // and a broken one is left out.
    if (::fstatat(dirFd, name, target, 0) != 0)
        return false;
    if (S_ISDIR(target->st_mode))
        return false;
    if (S_ISREG(target->st_mode))
        return true;
    // Fifos, sockets and devices are "system" entries for QDir, unless
    // reached through a link.
    struct stat own;
    return ::fstatat(dirFd, name, &own, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(own.st_mode);
}

unsigned char typeOf(const struct dirent *entry)
{
#ifdef DT_UNKNOWN
    return entry->d_type;
#else
    Q_UNUSED(entry);
    return 0;
#endif
}

// The number a listing gives with each name is the file's inode on most
// volumes, but not through every FUSE driver or overlay: one look at the
// first file tells whether this folder's numbers can be trusted.
class ListingIds
{
public:
    explicit ListingIds(int dirFd) : m_dirFd(dirFd) {}
    quint64 of(const struct dirent *entry)
    {
        if (m_trusted < 0)
            m_trusted = idOfLink(entry->d_name) == quint64(entry->d_ino) ? 1 : 0;
        return m_trusted ? quint64(entry->d_ino) : idOfLink(entry->d_name);
    }
    // Once of(), any thread may ask: the first look is made.
    bool trusted() const { return m_trusted > 0; }
    quint64 idOfLink(const char *name) const
    {
        struct stat own;
        return ::fstatat(m_dirFd, name, &own, AT_SYMLINK_NOFOLLOW) == 0 ? quint64(own.st_ino) : 0;
    }

private:
    int m_dirFd;
    int m_trusted = -1;
};

// Below this many entries, one thread stats them sooner than several start.
const qsizetype entriesWorthThreads = 4096;

bool listWithReaddir(const QString &dirPath, QVector<ListedFile> &files)
{
    DIR *dir = ::opendir(nameToBytes(dirPath).constData());
    if (!dir)
        return false;
    const int dirFd = ::dirfd(dir);
    ListingIds ids(dirFd);
    // The names first, then their status: each entry costs a stat, which in
    // a large folder costs nearly as much as renaming it, and the stats of a
    // folder's entries go on side by side.
    QByteArray names; // each NUL-terminated
    std::vector<qsizetype> starts;
    std::vector<unsigned char> types;
    std::vector<quint64> inodes;
    while (const struct dirent *entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        if (starts.empty())
            ids.of(entry);
        starts.push_back(names.size());
        names.append(entry->d_name, qsizetype(std::strlen(entry->d_name)) + 1);
        types.push_back(typeOf(entry));
        inodes.push_back(quint64(entry->d_ino));
    }
    const qsizetype count = qsizetype(starts.size());
    files = QVector<ListedFile>(count);
    ListedFile *found = files.data();
    std::vector<char> listed(size_t(count), 0);
    const auto statRange = [&](qsizetype from, qsizetype to) {
        NameArena arena;
        for (qsizetype i = from; i < to; ++i) {
            const char *name = names.constData() + starts[size_t(i)];
            struct stat target;
            if (!isListedEntry(dirFd, name, types[size_t(i)], &target))
                continue;
            ListedFile &file = found[i];
            file.name = arena.fromBytes(name, qsizetype(std::strlen(name)));
            file.size = qint64(target.st_size);
            file.modifiedMsecs = modifiedMsecsOf(target);
            file.fileId = ids.trusted() ? inodes[size_t(i)] : ids.idOfLink(name);
            listed[size_t(i)] = 1;
        }
    };
    const qsizetype threads =
        count < entriesWorthThreads
            ? 1
            : qMax<qsizetype>(
                1, qMin<qsizetype>(QThread::idealThreadCount(), count / entriesWorthThreads));
    std::vector<std::thread> helpers;
    for (qsizetype t = 1; t < threads; ++t) {
        const qsizetype from = count * t / threads;
        const qsizetype to = count * (t + 1) / threads;
        try {
            helpers.emplace_back(statRange, from, to);
        } catch (const std::system_error &) {
            statRange(from, to); // no thread to be had: this one does it
        }
    }
    statRange(0, count / threads);
    for (std::thread &helper : helpers)
        helper.join();
    ::closedir(dir);
    qsizetype kept = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (listed[size_t(i)] && kept++ != i)
            found[kept - 1] = std::move(found[i]);
    }
    files.resize(kept);
    return true;
}

// Hands take(entry, ids) every entry QDir::entryList(QDir::Files) gives, in
// listing order, until it returns false.
template <typename Take> bool readPlainEntries(const QString &dirPath, Take take)
{
    DIR *dir = ::opendir(nameToBytes(dirPath).constData());
    if (!dir)
        return false;
    const int dirFd = ::dirfd(dir);
    ListingIds ids(dirFd);
    bool goOn = true;
    while (goOn) {
        const struct dirent *entry = ::readdir(dir);
        if (!entry)
            break;
        bool listed = false;
#ifdef DT_REG
        // The entry type comes with the listing: a plain file needs no stat,
        // which in a large folder costs more than renaming it.
        if (entry->d_type == DT_REG && entry->d_name[0] != '.') {
            listed = true;
        } else
#endif
        {
            struct stat target;
            listed = isListedEntry(dirFd, entry->d_name, typeOf(entry), &target);
        }
        if (listed)
            goOn = take(entry, ids);
    }
    ::closedir(dir);
    return true;
}

bool listNamesWithReaddir(const QString &dirPath, QStringList &names, QVector<quint64> *fileIds)
{
    NameArena arena;
    return readPlainEntries(dirPath, [&](const struct dirent *entry, ListingIds &ids) {
        names.append(arena.fromBytes(entry->d_name, qsizetype(std::strlen(entry->d_name))));
        if (fileIds)
            fileIds->append(ids.of(entry));
        return true;
    });
}
#endif

#ifndef Q_OS_UNIX
void listWithQDir(const QString &dirPath, QVector<ListedFile> &files)
{
    const QFileInfoList infos = QDir(dirPath).entryInfoList(QDir::Files, QDir::Unsorted);
    files.reserve(infos.size());
    for (const QFileInfo &info : infos) {
        ListedFile file;
        file.name = info.fileName();
        file.size = info.size();
        file.modifiedMsecs = info.lastModified().toMSecsSinceEpoch();
        files.append(std::move(file));
    }
}
#endif

void sortListedFiles(QVector<ListedFile> &files, ListingOrder order)
{
    switch (order) {
    case ListingOrder::Unsorted:
        return;
    case ListingOrder::Time:
        std::sort(files.begin(), files.end(), [](const ListedFile &a, const ListedFile &b) {
            if (a.modifiedMsecs != b.modifiedMsecs)
                return a.modifiedMsecs > b.modifiedMsecs;
            return a.name < b.name;
        });
        return;
    case ListingOrder::Size:
        std::sort(files.begin(), files.end(), [](const ListedFile &a, const ListedFile &b) {
            if (a.size != b.size)
                return a.size > b.size;
            return a.name < b.name;
        });
        return;
    case ListingOrder::Name:
    case ListingOrder::Taken:
        std::sort(files.begin(), files.end(),
                  [](const ListedFile &a, const ListedFile &b) { return a.name < b.name; });
        return;
    case ListingOrder::Natural: {
        QStringList names;
        names.reserve(files.size());
        for (const ListedFile &file : std::as_const(files))
            names.append(file.name);
        const QVector<int> order = naturalOrder(names);
        QVector<ListedFile> sorted;
        sorted.reserve(files.size());
        for (int i : order)
            sorted.append(std::move(files[i]));
        files = std::move(sorted);
        return;
    }
    }
}

} // namespace

QVector<int> naturalOrder(const QStringList &names)
{
    // Qt compares plainly under the C locale (a script's or a service's
    // usual one), numbers or not: the numbers then follow English rules.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    // A key per name is far cheaper than the collator in every comparison.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(size_t(names.size()));
    for (const QString &name : names)
        keys.push_back(collator.sortKey(name));
    QVector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int compared = keys[size_t(a)].compare(keys[size_t(b)]);
        return compared != 0 ? compared < 0 : names[a] < names[b];
    });
    return order;
}

bool forEachName(const QString &dirPath, const std::function<bool(QByteArrayView name)> &take)
{
#ifdef Q_OS_UNIX
    DIR *dir = ::opendir(nameToBytes(dirPath).constData());
    if (!dir)
        return false;
    while (const struct dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        if (!take(QByteArrayView(name)))
            break;
    }
    ::closedir(dir);
    return true;
#else
    const QDir dir(dirPath);
    if (!dir.exists())
        return false;
    const QStringList names = dir.entryList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    for (const QString &name : names) {
        if (!take(nameToBytes(name)))
            break;
    }
    return true;
#endif
}

QStringList listPlainFileNames(const QString &dirPath, QVector<quint64> *fileIds)
{
#ifdef Q_OS_UNIX
    QStringList names;
    listNamesWithReaddir(dirPath, names, fileIds);
    return names;
#else
    Q_UNUSED(fileIds);
    return QDir(dirPath).entryList(QDir::Files, QDir::NoSort);
#endif
}

bool forEachPlainFileName(const QString &dirPath, const std::function<bool(QByteArrayView)> &take)
{
#ifdef Q_OS_UNIX
    return readPlainEntries(dirPath, [&take](const struct dirent *entry, ListingIds &) {
        return take(QByteArrayView(entry->d_name));
    });
#else
    const QDir dir(dirPath);
    if (!dir.exists())
        return false;
    const QStringList names = dir.entryList(QDir::Files, QDir::NoSort);
    for (const QString &name : names) {
        if (!take(nameToBytes(name)))
            break;
    }
    return true;
#endif
}

QVector<ListedFile> listPlainFiles(const QString &dirPath, ListingOrder order)
{
    QVector<ListedFile> files;
#ifdef Q_OS_UNIX
    if (!listWithReaddir(dirPath, files))
        return files;
#else
    listWithQDir(dirPath, files);
#endif
    sortListedFiles(files, order);
    return files;
}

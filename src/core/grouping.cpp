#include "grouping.h"

#include "filenames.h"
#include "metadatacache.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// The date each file was taken, read through the shared cache so that the
// rules find them there (the same path as RuleFile's); a folder of photos is
// read on every core.
std::vector<QDateTime> takenDates(const QString &folderPrefix, const QStringList &names)
{
    std::vector<QDateTime> dates(size_t(names.size()));
    QStringList paths;
    paths.reserve(names.size());
    for (const QString &name : names)
        paths.append(folderPrefix + name);
    MetadataCache::shared().readAll(
        paths, [&dates](qsizetype i, const Metadata &facts) { dates[size_t(i)] = facts.taken; });
    return dates;
}

QVector<int> takenOrder(const QString &folderPrefix, const QStringList &names)
{
    const std::vector<QDateTime> dates = takenDates(folderPrefix, names);
    QVector<int> order(names.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const QDateTime &dateA = dates[size_t(a)];
        const QDateTime &dateB = dates[size_t(b)];
        if (dateA.isValid() != dateB.isValid())
            return dateA.isValid();
        if (dateA.isValid() && dateA != dateB)
            return dateA < dateB;
        return names[a] < names[b];
    });
    return order;
}

void listNames(const QString &dirPath, ListingOrder order, FileGroup &group)
{
    // Without an order the sizes and dates are not needed, which spares a
    // look-up per file.
    if (order == ListingOrder::Unsorted) {
        group.entries = listPlainFileNames(dirPath, &group.fileIds);
        return;
    }
    // Nor does an order by name, as listPlainFiles would sort it.
    if (order == ListingOrder::Name || order == ListingOrder::Natural
        || order == ListingOrder::Taken) {
        QVector<quint64> ids;
        const QStringList names = listPlainFileNames(dirPath, &ids);
        QVector<int> byName;
        if (order == ListingOrder::Natural) {
            byName = naturalOrder(names);
        } else if (order == ListingOrder::Taken) {
            byName = takenOrder(group.folderPrefix, names);
        } else {
            byName.resize(names.size());
            std::iota(byName.begin(), byName.end(), 0);
            std::sort(byName.begin(), byName.end(),
                      [&names](int a, int b) { return names[a] < names[b]; });
        }
        group.entries.reserve(names.size());
        group.fileIds.reserve(names.size());
        for (int i : std::as_const(byName)) {
            group.entries.append(names[i]);
            group.fileIds.append(i < ids.size() ? ids[i] : 0);
        }
        return;
    }
    const QVector<ListedFile> files = listPlainFiles(dirPath, order);
    group.entries.reserve(files.size());
    group.fileIds.reserve(files.size());
    for (const ListedFile &file : files) {
        group.entries.append(file.name);
        group.fileIds.append(file.fileId);
    }
}

void listSubfolders(const QString &dirPath, QStringList &folders)
{
    const QDir dir(dirPath);
    const QStringList names = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    for (int i : naturalOrder(names)) {
        const QString path = dir.filePath(names[i]);
        const QFileInfo info(path);
        if (info.isSymLink() || info.isJunction())
            continue;
        folders.append(path);
        listSubfolders(path, folders);
    }
}

} // namespace

void sortByTaken(FileGroup &group)
{
    const QVector<int> order = takenOrder(group.folderPrefix, group.entries);
    QStringList entries;
    QVector<quint64> ids;
    entries.reserve(order.size());
    ids.reserve(order.size());
    for (int i : order) {
        entries.append(group.entries[i]);
        ids.append(i < group.fileIds.size() ? group.fileIds[i] : 0);
    }
    group.entries = entries;
    group.fileIds = ids;
}

QStringList subfoldersOf(const QString &dirPath)
{
    QStringList folders;
    listSubfolders(dirPath, folders);
    return folders;
}

GroupList groupInput(const QStringList &pathList, ListingOrder order, bool recursive)
{
    GroupList groups;
    // Folder of the first file -> index of its file group; a linear search
    // over the groups would be quadratic for a drop of many single files.
    QHash<QString, int> fileGroupByFolder;

    for (const QString &entry : pathList) {
        const QFileInfo info(entry);
        if (info.isDir()) {
            FileGroup group;
            group.kind = FileGroup::Directory;
            group.directoryEntry = entry;
            group.folderPrefix = folderPrefixOf(entry);
            listNames(entry, order, group);
            groups.append(group);
            if (recursive) {
                const QStringList subfolders = subfoldersOf(entry);
                for (const QString &subfolder : subfolders) {
                    FileGroup nested;
                    nested.kind = FileGroup::Directory;
                    nested.nested = true;
                    nested.directoryEntry = subfolder;
                    nested.folderPrefix = folderPrefixOf(subfolder);
                    listNames(subfolder, order, nested);
                    groups.append(nested);
                }
            }
            continue;
        }
        const QString folder = info.absolutePath();
        const auto found = fileGroupByFolder.constFind(folder);
        if (found != fileGroupByFolder.constEnd()) {
            groups[found.value()].entries.append(entry);
            continue;
        }
        FileGroup group;
        group.kind = FileGroup::Files;
        group.folderPrefix = folderPrefixOf(folder);
        group.entries.append(entry);
        fileGroupByFolder.insert(folder, int(groups.size()));
        groups.append(group);
    }
    return groups;
}

#include "grouping.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

// Absolute path of a directory entry followed by the native separator: the
// form in which a folder comes back in a refreshed input list.
QString directoryPrefix(const QString &dirPath)
{
    QString absolute = QDir(dirPath).absolutePath();
    if (!absolute.endsWith(QLatin1Char('/')))
        absolute.append(QLatin1Char('/'));
    return QDir::toNativeSeparators(absolute);
}

} // namespace

GroupList groupInput(const QStringList &pathList, const DirectoryLister &listDirectory)
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
            group.folderPrefix = directoryPrefix(entry);
            group.files = listDirectory(entry);
            groups.append(group);
            continue;
        }
        const QString folder = info.absolutePath();
        const auto found = fileGroupByFolder.constFind(folder);
        if (found != fileGroupByFolder.constEnd()) {
            groups[found.value()].files.append(entry);
            continue;
        }
        FileGroup group;
        group.kind = FileGroup::Files;
        group.folderPrefix = QDir::toNativeSeparators(folder + QLatin1Char('/'));
        group.files.append(entry);
        fileGroupByFolder.insert(folder, int(groups.size()));
        groups.append(group);
    }
    return groups;
}

void prependDirectoryPath(QString dirPath, QStringList &list)
{
    if (!dirPath.endsWith(QLatin1Char('/')))
        dirPath.append(QLatin1Char('/'));
    for (QString &name : list)
        name.prepend(dirPath);
}

NameParts splitFileName(const QString &fileName)
{
    NameParts parts;
    const qsizetype firstDot = fileName.indexOf(QLatin1Char('.'));
    if (firstDot < 0) {
        parts.baseName = fileName;
        return parts;
    }
    const qsizetype lastDot = fileName.lastIndexOf(QLatin1Char('.'));
    parts.hasDot = true;
    parts.baseName = fileName.left(firstDot);
    parts.middle = fileName.mid(firstDot, lastDot - firstDot);
    parts.suffix = fileName.mid(lastDot + 1);
    return parts;
}

QString NameParts::compose(const QString &newBase, const QString &newSuffix) const
{
    if (!hasDot)
        return newBase;
    return newBase + middle + QLatin1Char('.') + newSuffix;
}

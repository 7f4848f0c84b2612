#include "renameplan.h"

#include "grouping.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

// Canonical form of a folder, with a trailing "/", so that one folder reached
// by two paths (a link, "..", a trailing separator) is recognised as one.
class FolderIdentities
{
public:
    QString of(const QString &folderPath)
    {
        const auto found = m_known.constFind(folderPath);
        if (found != m_known.constEnd())
            return found.value();
        QString canonical = QFileInfo(folderPath).canonicalFilePath();
        if (canonical.isEmpty())
            canonical = QDir::cleanPath(QDir(folderPath).absolutePath());
        if (!canonical.endsWith(QLatin1Char('/')))
            canonical.append(QLatin1Char('/'));
        m_known.insert(folderPath, canonical);
        return canonical;
    }

private:
    QHash<QString, QString> m_known;
};

QString nameOfPath(const QString &path)
{
    qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    slash = std::max(slash, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return path.mid(slash + 1);
}

// The text after the last dot, as QFileInfo::suffix gives it.
QStringView suffixOf(const QString &name)
{
    const qsizetype lastDot = name.lastIndexOf(QLatin1Char('.'));
    return lastDot < 0 ? QStringView() : QStringView(name).mid(lastDot + 1);
}

} // namespace

ListingOrder RenamePlan::orderOf(int renameBy)
{
    switch (renameBy) {
    case 0:
        return ListingOrder::Time;
    case 1:
        return ListingOrder::Size;
    default:
        return ListingOrder::Name;
    }
}

QStringList RenamePlan::listDirectoryPaths(const QString &dirPath, ListingOrder order)
{
    const QVector<ListedFile> files = listPlainFiles(dirPath, order);
    QStringList names;
    names.reserve(files.size());
    for (const ListedFile &file : files)
        names.append(file.name);
    prependDirectoryPath(dirPath, names);
    return names;
}

QString RenamePlan::formatNumber(int fileCount, int number)
{
    const int width = int(QString::number(fileCount).size());
    return QStringLiteral("%1").arg(number, width, 10, QLatin1Char('0'));
}

QString RenamePlan::composeName(const QString &oldName, const QString &number,
                                const RenameOptions &options)
{
    const QString numbered =
        options.reverseFormat ? number + options.outputFormat : options.outputFormat + number;
    const qsizetype lastDot = oldName.lastIndexOf(QLatin1Char('.'));
    // Everything up to the last dot stays where the old name is kept, so
    // "IMG.2024.jpg" loses nothing; a name without a dot gets no dot.
    const QString stem = lastDot < 0 ? oldName : oldName.left(lastDot);
    const QString ending = lastDot < 0 ? QString() : oldName.mid(lastDot);
    switch (options.formatPosition) {
    case 1:
        return numbered + QLatin1Char('-') + stem + ending;
    case 2:
        return stem + QLatin1Char('-') + numbered + ending;
    default:
        return numbered + ending;
    }
}

RenamePlan RenamePlan::make(const QStringList &pathList, const RenameOptions &options,
                            const OrderedLister &listDirectory)
{
    const ListingOrder order = orderOf(options.renameBy);
    const GroupList groups = groupInput(pathList, [&](const QString &dirPath) {
        QStringList files = listDirectory(dirPath, order);
        if (options.renameByReversed)
            std::reverse(files.begin(), files.end());
        return files;
    });

    RenamePlan plan;
    FolderIdentities folders;
    // A file reached through two groups is renamed by the first only.
    QHash<QString, int> renameOfFile;

    for (const FileGroup &group : groups) {
        const bool isDirectory = group.kind == FileGroup::Directory;
        const QString directoryFolder = isDirectory ? folders.of(group.directoryEntry) : QString();
        const int fileCount = int(group.files.size());
        int counter = 1;

        for (const QString &path : group.files) {
            QString folder;
            QString name;
            if (isDirectory) {
                folder = directoryFolder;
                name = nameOfPath(path);
            } else {
                const QFileInfo info(path);
                folder = folders.of(info.absolutePath());
                name = info.fileName();
            }

            // An empty entry (a dropped link that names no local file) names
            // no file at all, only a folder.
            if (name.isEmpty() || !options.listExtensions.contains(suffixOf(name))) {
                if (!isDirectory)
                    plan.m_refresh.append({path, -1, QString()});
                continue;
            }

            const QString identity = folder + name;
            int index = renameOfFile.value(identity, -1);
            if (index < 0) {
                index = int(plan.m_renames.size());
                renameOfFile.insert(identity, index);
                const QString number = formatNumber(fileCount, counter++);
                plan.m_renames.append({folder, name, composeName(name, number, options)});
            }
            if (!isDirectory)
                plan.m_refresh.append({group.folderPrefix, index, path});
        }
        if (isDirectory)
            plan.m_refresh.append({group.folderPrefix, -1, QString()});
    }
    return plan;
}

QStringList RenamePlan::refreshList(const QStringList &finalNames) const
{
    QStringList list;
    list.reserve(m_refresh.size());
    for (const RefreshEntry &entry : m_refresh) {
        if (entry.renameIndex < 0)
            list.append(entry.text);
        else if (finalNames.at(entry.renameIndex) == m_renames.at(entry.renameIndex).oldName)
            list.append(entry.given);
        else
            list.append(QDir::toNativeSeparators(entry.text + finalNames.at(entry.renameIndex)));
    }
    // One folder given under two spellings comes back once.
    list.removeDuplicates();
    return list;
}

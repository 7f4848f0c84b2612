#include "batchplan.h"

#include "filemoves.h"
#include "filenames.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

// Canonical form of a folder, with a trailing "/", so that one folder reached
// by two paths (a link, "..", a trailing separator) is recognised as one.
QString canonicalFolder(const QString &folderPath)
{
    QString canonical = QFileInfo(folderPath).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(QDir(folderPath).absolutePath());
    if (!canonical.endsWith(QLatin1Char('/')))
        canonical.append(QLatin1Char('/'));
    return canonical;
}

} // namespace

BatchPlan BatchPlan::fromGroups(const GroupList &groups, const Decide &decide)
{
    QStringList folders;
    folders.reserve(groups.size());
    QHash<QString, QString> canonicalOf;
    QHash<QString, int> groupsPerFolder;
    for (const FileGroup &group : groups) {
        const QString &path =
            group.kind == FileGroup::Directory ? group.directoryEntry : group.folderPrefix;
        auto known = canonicalOf.find(path);
        if (known == canonicalOf.end())
            known = canonicalOf.insert(path, canonicalFolder(path));
        folders.append(known.value());
        ++groupsPerFolder[known.value()];
    }

    BatchPlan plan;
    // A listing names each file once, so only a folder met by several groups,
    // or entries given one by one, can reach a file twice.
    QHash<QString, int> renameOfFile;
    for (qsizetype g = 0; g < groups.size(); ++g) {
        const FileGroup &group = groups[g];
        const QString &folder = folders[g];
        const bool isDirectory = group.kind == FileGroup::Directory;
        const bool mayRepeat = !isDirectory || groupsPerFolder.value(folder) > 1;
        for (qsizetype e = 0; e < group.entries.size(); ++e) {
            const QString &entry = group.entries[e];
            const QString name = isDirectory ? entry : fileNameOf(entry);
            // An empty entry (a dropped link that names no local file) names
            // no file at all, only a folder.
            if (name.isEmpty()) {
                plan.m_refresh.append({entry, QString(), -1});
                continue;
            }
            const Decision decision = decide(group, name);
            int index = -1;
            if (mayRepeat) {
                const QString identity = folder + name;
                index = renameOfFile.value(identity, -1);
                if (index < 0)
                    renameOfFile.insert(identity, int(plan.m_renames.size()));
            }
            if (index < 0) {
                index = int(plan.m_renames.size());
                plan.m_renames.append({folder, name, decision.newName, decision.note,
                                       e < group.fileIds.size() ? group.fileIds[e] : 0});
            }
            if (!isDirectory)
                plan.m_refresh.append({entry, group.folderPrefix, index});
        }
        if (isDirectory)
            plan.m_refresh.append({group.folderPrefix, QString(), -1});
    }
    return plan;
}

qsizetype BatchPlan::foreseeConflicts(QVector<PlannedRename> &rows, bool replaceExisting)
{
    // Per folder: the request's files by name (whether each moves away), and
    // how many files of the request want each new name.
    struct Folder
    {
        QHash<QString, bool> leaves;
        QHash<QString, int> wanted;
    };
    QHash<QString, Folder> folders;
    Folder *current = nullptr;
    const QString *currentPath = nullptr;
    for (const PlannedRename &row : std::as_const(rows)) {
        if (!currentPath || row.folder.constData() != currentPath->constData()) {
            currentPath = &row.folder;
            current = &folders[row.folder];
        }
        current->leaves.insert(row.oldName, row.changesName());
        if (row.changesName())
            ++current->wanted[row.newName];
    }
    qsizetype changes = 0;
    for (PlannedRename &row : rows) {
        if (!row.changesName())
            continue;
        const Folder &folder = folders[row.folder];
        const auto holder = folder.leaves.constFind(row.newName);
        const bool inRequest = holder != folder.leaves.constEnd();
        using Note = PlannedRename::Note;
        if (!isPlainFileName(row.newName)) {
            row.note = Note::InvalidName;
        } else if (folder.wanted.value(row.newName) > 1) {
            row.note = Note::NameShared;
        } else if (inRequest ? !holder.value()
                             : pathExists(row.targetPath())
                                   && !isSameFile(row.targetPath(), row.sourcePath())) {
            const bool displaced =
                replaceExisting && !inRequest && !QFileInfo(row.targetPath()).isDir();
            row.note = inRequest   ? Note::NameKept
                       : displaced ? Note::ReplacesFile
                                   : Note::NameTaken;
        }
        if (row.note == Note::None || row.note == Note::ReplacesFile)
            ++changes;
    }
    return changes;
}

qsizetype BatchPlan::changeCount(const QVector<PlannedRename> &renames)
{
    qsizetype count = 0;
    for (const PlannedRename &rename : renames)
        count += rename.changesName() ? 1 : 0;
    return count;
}

QStringList BatchPlan::refreshList(const QStringList &finalNames) const
{
    QStringList list;
    list.reserve(m_refresh.size());
    for (const RefreshEntry &entry : m_refresh) {
        if (entry.renameIndex < 0
            || finalNames.at(entry.renameIndex) == m_renames.at(entry.renameIndex).oldName)
            list.append(entry.given);
        else
            list.append(entry.folderPrefix
                        + QDir::toNativeSeparators(finalNames.at(entry.renameIndex)));
    }
    list.removeDuplicates();
    return list;
}

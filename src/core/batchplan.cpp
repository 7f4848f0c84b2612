#include "batchplan.h"

#include "filemoves.h"
#include "filenames.h"
#include "trash.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <optional>

namespace {

// Below this many names to look up in one folder, a lookup each costs less
// than reading the whole folder.
const int namesWorthAListing = 256;

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
        if (isDirectory && !group.nested)
            plan.m_refresh.append({group.folderPrefix, QString(), -1});
    }
    return plan;
}

QString PlannedRename::refusalText(const PlannedRename &row)
{
    if (row.note == Note::InvalidName)
        return describe(row.refusal.problem == NameProblem::None ? NameCheck{NameProblem::NotAName}
                                                                 : row.refusal);
    return QString();
}

qsizetype BatchPlan::foreseeConflicts(QVector<PlannedRename> &rows, bool replaceExisting)
{
    return foresee(rows, replaceExisting, true).changes;
}

BatchPlan::Foresight BatchPlan::foresee(QVector<PlannedRename> &rows, bool replaceExisting,
                                        bool lookAtDisk)
{
    using Note = PlannedRename::Note;
    const int count = int(rows.size());
    // Per folder: the request's files by old name, and which file of the
    // request claimed each new name first.
    // On a volume that ignores letter case, names are compared folded.
    struct Folder
    {
        Volume volume;
        bool foldCase = false;
        int hasTrash = -1; // not looked at yet
        int moving = 0;    // rows that change their name
        // Every name the folder holds, read once where many names are to be
        // looked up; empty until then.
        std::optional<QSet<QString>> present;
        bool holds(const QString &folderPath, const QString &name)
        {
            if (!present && moving >= namesWorthAListing) {
                QStringList names;
                present.emplace();
                if (listAllNames(folderPath, &names)) {
                    present->reserve(names.size());
                    for (const QString &held : std::as_const(names))
                        present->insert(key(held));
                } else {
                    present.reset();
                    moving = 0;
                }
            }
            return present ? present->contains(key(name)) : pathExists(folderPath + name);
        }
        QHash<QString, int> byOldName;
        QHash<QString, int> claimedBy;
        QString key(const QString &name) const { return foldCase ? caseFoldedName(name) : name; }
    };
    QHash<QString, Folder> folders;
    QVector<Folder *> folderOf(count, nullptr);
    Folder *current = nullptr;
    const QString *currentPath = nullptr;
    QHash<Folder *, int> rowsOf;
    for (int i = 0; i < count; ++i) {
        const PlannedRename &row = rows[i];
        if (!currentPath || row.folder.constData() != currentPath->constData()) {
            currentPath = &row.folder;
            const bool known = folders.contains(row.folder);
            current = &folders[row.folder];
            if (!known) {
                current->volume = Volume::of(row.folder);
                current->foldCase = current->volume.caseInsensitive
                                    || Volume::probeCaseInsensitive(row.folder, row.oldName);
            }
        }
        folderOf[i] = current;
        ++rowsOf[current];
        current->moving += row.changesName() ? 1 : 0;
    }
    // Sized once: a batch of a hundred thousand files must not spend its
    // time growing tables.
    for (auto it = rowsOf.cbegin(); it != rowsOf.cend(); ++it) {
        it.key()->byOldName.reserve(it.value());
        it.key()->claimedBy.reserve(it.value());
    }
    Foresight foresight;
    for (int i = 0; i < count; ++i) {
        Folder &folder = *folderOf[i];
        const QString key = folder.key(rows[i].oldName);
        if (folder.byOldName.contains(key))
            foresight.givenTwice.append(i);
        else
            folder.byOldName.insert(key, i);
    }

    foresight.waitsFor.fill(-1, count);
    // A file that stays holds its name: whoever wanted it stays too.
    QVector<int> wantedBy(count, -1);
    QVector<int> staying;
    int twice = 0;
    for (int i = 0; i < count; ++i) {
        PlannedRename &row = rows[i];
        if (twice < foresight.givenTwice.size() && foresight.givenTwice[twice] == i) {
            ++twice;
            if (row.changesName())
                row.note = Note::NameShared;
            continue;
        }
        if (!row.changesName()) {
            staying.append(i);
            continue;
        }
        row.note = Note::None;
        Folder &folder = *folderOf[i];
        const QString newKey = folder.key(row.newName);
        row.refusal = row.restoresName
                          ? NameCheck{isPlainFileName(row.newName) ? NameProblem::None
                                                                   : NameProblem::NotAName}
                          : checkNewName(row.oldName, row.newName, folder.volume);
        if (row.refusal.problem != NameProblem::None || !isPlainFileName(row.oldName)) {
            row.note = Note::InvalidName;
        } else if (folder.claimedBy.contains(newKey)) {
            row.note = Note::NameShared;
        } else {
            folder.claimedBy.insert(newKey, i);
            const int holder = folder.byOldName.value(newKey, -1);
            if (holder >= 0 && holder != i) {
                foresight.waitsFor[i] = holder;
                wantedBy[holder] = i;
            } else if (holder < 0 && (lookAtDisk || replaceExisting)
                       && folder.holds(row.folder, row.newName)
                       && !isSameFile(row.targetPath(), row.sourcePath())) {
                row.note = Note::NameTaken;
                if (replaceExisting && !QFileInfo(row.targetPath()).isDir()) {
                    if (folder.hasTrash < 0)
                        folder.hasTrash = Trash::folderFor(row.targetPath()).isEmpty() ? 0 : 1;
                    row.note = folder.hasTrash ? Note::ReplacesFile : Note::DeletesFile;
                }
            }
        }
        if (PlannedRename::staysWith(row.note))
            staying.append(i);
    }
    while (!staying.isEmpty()) {
        const int wanting = wantedBy[staying.takeLast()];
        if (wanting < 0 || PlannedRename::staysWith(rows[wanting].note))
            continue;
        rows[wanting].note = Note::NameKept;
        foresight.waitsFor[wanting] = -1;
        staying.append(wanting);
    }
    for (const PlannedRename &row : std::as_const(rows))
        foresight.changes += row.willMove() ? 1 : 0;
    return foresight;
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

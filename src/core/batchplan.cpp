#include "batchplan.h"

#include "filemoves.h"
#include "filenames.h"
#include "trash.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <memory>
#include <vector>

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
    qsizetype entries = 0;
    for (const FileGroup &group : groups)
        entries += group.entries.size();
    // As many rows as files, most often: no room grown for half as many again.
    plan.m_renames.reserve(entries);
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
                plan.m_renames.append({folder,
                                       name,
                                       decision.newName,
                                       decision.note,
                                       e < group.fileIds.size() ? group.fileIds[e] : 0,
                                       {},
                                       false,
                                       decision.missingField});
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
    if (row.note == Note::MissingField)
        return QCoreApplication::translate("Rule", "stays: it has no %1").arg(row.missingField);
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
    QVector<Verdict> verdicts;
    const Foresight foresight =
        foresee(std::as_const(rows), replaceExisting, lookAtDisk, &verdicts);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        // Written only where it changes: rows shared with a caller stay shared.
        if (rows.at(i).note != verdicts[i].note
            || rows.at(i).refusal.problem != verdicts[i].refusal.problem
            || rows.at(i).refusal.character != verdicts[i].refusal.character) {
            rows[i].note = verdicts[i].note;
            rows[i].refusal = verdicts[i].refusal;
        }
    }
    return foresight;
}

BatchPlan::Foresight BatchPlan::foresee(const QVector<PlannedRename> &rows, bool replaceExisting,
                                        bool lookAtDisk, QVector<Verdict> *verdicts)
{
    using Note = PlannedRename::Note;
    const int count = int(rows.size());
    verdicts->resize(count);
    for (int i = 0; i < count; ++i)
        (*verdicts)[i] = {rows[i].note, rows[i].refusal};
    // Per folder, one table of names: the file of the request that bears
    // each and the file that claimed it first as its new name; and, where
    // many names are to be looked up, the names the folder holds besides the
    // request's. On a volume that ignores letter case, names are compared
    // folded.
    struct Name
    {
        int oldRow = -1;
        int claimedBy = -1;
    };
    struct Folder
    {
        Volume volume;
        bool foldCase = false;
        int hasTrash = -1; // not looked at yet
        int rows = 0;
        int moving = 0;      // rows that change their name
        bool listed = false; // others holds every name outside the request
        QHash<QString, Name> names;
        QSet<QString> others;
        QString key(const QString &name) const { return foldCase ? caseFoldedName(name) : name; }
    };
    // Folders stay where they are while others are added.
    std::vector<std::unique_ptr<Folder>> folders;
    QHash<QString, Folder *> folderNamed;
    QVector<Folder *> folderOf(count, nullptr);
    Folder *current = nullptr;
    const QString *currentPath = nullptr;
    for (int i = 0; i < count; ++i) {
        const PlannedRename &row = rows[i];
        if (!currentPath || row.folder.constData() != currentPath->constData()) {
            currentPath = &row.folder;
            current = folderNamed.value(row.folder);
            if (!current) {
                folders.push_back(std::make_unique<Folder>());
                current = folders.back().get();
                folderNamed.insert(row.folder, current);
                current->volume = Volume::of(row.folder);
                current->foldCase = current->volume.caseInsensitive
                                    || Volume::probeCaseInsensitive(row.folder, row.oldName);
            }
        }
        folderOf[i] = current;
        ++current->rows;
        current->moving += row.changesName() ? 1 : 0;
    }
    // Sized once: a batch of a hundred thousand files must not spend its
    // time growing tables.
    for (const std::unique_ptr<Folder> &folder : folders)
        folder->names.reserve(folder->rows + folder->moving);
    Foresight foresight;
    for (int i = 0; i < count; ++i) {
        Folder &folder = *folderOf[i];
        Name &name = folder.names[folder.key(rows[i].oldName)];
        if (name.oldRow >= 0)
            foresight.givenTwice.append(i);
        else
            name.oldRow = i;
    }
    // One read of a folder answers for all its names, where looking up each
    // would cost more.
    if (lookAtDisk || replaceExisting) {
        for (int i = 0; i < count; ++i) {
            Folder &folder = *folderOf[i];
            if (folder.listed || folder.moving < namesWorthAListing)
                continue;
            folder.listed = true;
            QStringList held;
            if (!listAllNames(rows[i].folder, &held)) {
                folder.listed = false;
                folder.moving = 0;
                continue;
            }
            for (const QString &name : std::as_const(held)) {
                QString key = folder.key(name);
                if (!folder.names.contains(key))
                    folder.others.insert(std::move(key));
            }
        }
    }

    foresight.waitsFor.fill(-1, count);
    // A file that stays holds its name: whoever wanted it stays too.
    QVector<int> wantedBy(count, -1);
    QVector<int> staying;
    int twice = 0;
    for (int i = 0; i < count; ++i) {
        const PlannedRename &row = rows[i];
        Verdict &verdict = (*verdicts)[i];
        if (twice < foresight.givenTwice.size() && foresight.givenTwice[twice] == i) {
            ++twice;
            if (row.changesName())
                verdict.note = Note::NameShared;
            continue;
        }
        if (!row.changesName()) {
            staying.append(i);
            continue;
        }
        verdict.note = Note::None;
        Folder &folder = *folderOf[i];
        verdict.refusal = row.restoresName
                              ? NameCheck{isPlainFileName(row.newName) ? NameProblem::None
                                                                       : NameProblem::NotAName}
                              : checkNewName(row.oldName, row.newName, folder.volume);
        if (verdict.refusal.problem != NameProblem::None || !isPlainFileName(row.oldName)) {
            verdict.note = Note::InvalidName;
        } else {
            Name &name = folder.names[folder.key(row.newName)];
            if (name.claimedBy >= 0) {
                verdict.note = Note::NameShared;
            } else {
                name.claimedBy = i;
                const int holder = name.oldRow;
                if (holder >= 0 && holder != i) {
                    foresight.waitsFor[i] = holder;
                    wantedBy[holder] = i;
                } else if (holder < 0 && (lookAtDisk || replaceExisting)
                           && (folder.listed ? folder.others.contains(folder.key(row.newName))
                                             : pathExists(row.targetPath()))
                           && !isSameFile(row.targetPath(), row.sourcePath())) {
                    verdict.note = Note::NameTaken;
                    if (replaceExisting && !QFileInfo(row.targetPath()).isDir()) {
                        if (folder.hasTrash < 0)
                            folder.hasTrash = Trash::folderFor(row.targetPath()).isEmpty() ? 0 : 1;
                        verdict.note = folder.hasTrash ? Note::ReplacesFile : Note::DeletesFile;
                    }
                }
            }
        }
        if (PlannedRename::staysWith(verdict.note))
            staying.append(i);
    }
    while (!staying.isEmpty()) {
        const int wanting = wantedBy[staying.takeLast()];
        if (wanting < 0 || PlannedRename::staysWith((*verdicts)[wanting].note))
            continue;
        (*verdicts)[wanting].note = Note::NameKept;
        foresight.waitsFor[wanting] = -1;
        staying.append(wanting);
    }
    for (int i = 0; i < count; ++i)
        foresight.changes +=
            rows[i].changesName() && !PlannedRename::staysWith((*verdicts)[i].note) ? 1 : 0;
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

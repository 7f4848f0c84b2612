#include "batchplan.h"

#include "directorylisting.h"
#include "filemoves.h"
#include "filenames.h"
#include "namearena.h"
#include "trash.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSet>

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
    // New names (and names cut from paths) side by side: the rules make each
    // in a heap block of its own, which costs more than its characters.
    NameArena arena;
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
                PlannedRename &row = plan.m_renames.emplace_back();
                row.folder = folder;
                row.oldName = arena.take(name);
                row.newName = decision.newName.constData() == name.constData()
                                  ? row.oldName
                                  : arena.take(decision.newName);
                row.note = decision.note;
                row.fileId = e < group.fileIds.size() ? group.fileIds[e] : 0;
                if (!decision.missingField.isEmpty())
                    row.setMissingField(decision.missingField);
            }
            if (!isDirectory)
                plan.m_refresh.append({entry, group.folderPrefix, index});
        }
        if (isDirectory && !group.nested)
            plan.m_refresh.append({group.folderPrefix, QString(), -1});
    }
    return plan;
}

namespace {

// The facts rows were found to lack, each once; a row holds its number here
// plus one.
QStringList &missingFields()
{
    static QStringList fields;
    return fields;
}

QMutex &missingFieldsLock()
{
    static QMutex lock;
    return lock;
}

} // namespace

QString PlannedRename::missingField() const
{
    if (missingFieldId == 0)
        return QString();
    const QMutexLocker locker(&missingFieldsLock());
    return missingFields().value(missingFieldId - 1);
}

void PlannedRename::setMissingField(const QString &field)
{
    if (field.isEmpty()) {
        missingFieldId = 0;
        return;
    }
    const QMutexLocker locker(&missingFieldsLock());
    QStringList &fields = missingFields();
    qsizetype index = fields.indexOf(field);
    if (index < 0 && fields.size() < 0xFFFF) {
        fields.append(field);
        index = fields.size() - 1;
    }
    // Templates name a few dozen facts at most; past 65,535 the row says only
    // that a fact is missing.
    missingFieldId = index < 0 ? 0 : quint16(index + 1);
}

QString PlannedRename::refusalText(const PlannedRename &row)
{
    if (row.note == Note::MissingField)
        return QCoreApplication::translate("Rule", "stays: it has no %1").arg(row.missingField());
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
    Verdicts verdicts;
    const Foresight foresight =
        foresee(std::as_const(rows), replaceExisting, lookAtDisk, &verdicts);
    // Written only where it changes: rows shared with a caller stay shared.
    for (int i = 0; i < int(rows.size()); ++i) {
        if (rows.at(i).note != verdicts.notes[i])
            rows[i].note = verdicts.notes[i];
    }
    for (auto it = verdicts.refusals.cbegin(); it != verdicts.refusals.cend(); ++it)
        rows[it.key()].refusal = it.value();
    return foresight;
}

namespace {

// Rows of a batch found by a name in their folder: an open table of row
// numbers, each with its name's hash, the names read from the rows
// themselves. A batch of a million files takes 8 bytes a slot, not a copy
// of every name in a hash of strings.
class RowsByName
{
public:
    // Room for expected rows, two slots in five left free.
    explicit RowsByName(qsizetype expected) : m_slots(size_t(expected) * 5 / 3 + 16, Slot{}) {}

    struct Slot
    {
        quint32 hash = 0;
        qint32 row = -1;
    };

    // The slot holding a row of that folder and name, or the free slot where
    // one would go.
    template <typename KeyOf, typename FolderOf>
    Slot &find(QStringView key, int folder, quint32 hash, const KeyOf &keyOf,
               const FolderOf &folderOf)
    {
        // The hash scaled to the table, which need not be a power of two.
        const size_t size = m_slots.size();
        for (size_t at = size_t((quint64(hash) * size) >> 32);; at = at + 1 == size ? 0 : at + 1) {
            Slot &slot = m_slots[at];
            if (slot.row < 0)
                return slot;
            if (slot.hash == hash && folderOf(slot.row) == folder && keyOf(slot.row) == key)
                return slot;
        }
    }

private:
    std::vector<Slot> m_slots;
};

quint32 nameHash(QStringView key, int folder)
{
    return quint32(qHash(key, size_t(folder) * 0x9E3779B97F4A7C15ull));
}

} // namespace

BatchPlan::Foresight BatchPlan::foresee(const QVector<PlannedRename> &rows, bool replaceExisting,
                                        bool lookAtDisk, Verdicts *verdicts)
{
    using Note = PlannedRename::Note;
    const int count = int(rows.size());
    QVector<Note> &notes = verdicts->notes;
    notes.resize(count);
    for (int i = 0; i < count; ++i)
        notes[i] = rows[i].note;
    verdicts->refusals.clear();
    // Per folder: its volume and, where many names are to be looked up, the
    // names it holds besides the request's. On a volume that ignores letter
    // case, names are compared folded.
    struct Folder
    {
        Volume volume;
        bool foldCase = false;
        int hasTrash = -1;   // not looked at yet
        int moving = 0;      // rows that change their name
        bool listed = false; // others holds every name outside the request
        QSet<QString> others;
        QString key(const QString &name) const { return foldCase ? caseFoldedName(name) : name; }
    };
    std::vector<Folder> folders;
    QHash<QString, int> folderNamed;
    // Small: a million rows cost 4 bytes each here.
    std::vector<qint32> folderOf(size_t(count), 0);
    int current = -1;
    const QString *currentPath = nullptr;
    qsizetype moving = 0;
    bool anyFolded = false;
    for (int i = 0; i < count; ++i) {
        const PlannedRename &row = rows[i];
        if (!currentPath || row.folder.constData() != currentPath->constData()
            || row.folder.size() != currentPath->size()) {
            currentPath = &row.folder;
            const auto known = folderNamed.constFind(row.folder);
            if (known != folderNamed.constEnd()) {
                current = known.value();
            } else {
                current = int(folders.size());
                folders.emplace_back();
                folderNamed.insert(row.folder, current);
                Folder &folder = folders.back();
                folder.volume = Volume::of(row.folder);
                folder.foldCase = folder.volume.caseInsensitive
                                  || Volume::probeCaseInsensitive(row.folder, row.oldName);
                anyFolded = anyFolded || folder.foldCase;
            }
        }
        folderOf[size_t(i)] = current;
        if (row.changesName()) {
            ++folders[size_t(current)].moving;
            ++moving;
        }
    }
    // Names as compared: the rows' own, or folded copies on a volume that
    // ignores case (where they are made once, not at every comparison).
    QStringList foldedOld;
    QStringList foldedNew;
    if (anyFolded) {
        foldedOld.reserve(count);
        foldedNew.reserve(count);
        for (int i = 0; i < count; ++i) {
            const bool fold = folders[size_t(folderOf[size_t(i)])].foldCase;
            foldedOld.append(fold ? caseFoldedName(rows[i].oldName) : rows[i].oldName);
            foldedNew.append(fold && rows[i].changesName() ? caseFoldedName(rows[i].newName)
                                                           : rows[i].newName);
        }
    }
    const auto oldKey = [&](int row) -> const QString & {
        return anyFolded ? foldedOld.at(row) : rows[row].oldName;
    };
    const auto newKey = [&](int row) -> const QString & {
        return anyFolded ? foldedNew.at(row) : rows[row].newName;
    };
    const auto folderIndex = [&](int row) { return folderOf[size_t(row)]; };

    // Each file of the request by the name it bears, and each new name by
    // the file that claimed it first.
    Foresight foresight;
    RowsByName bearers(count);
    for (int i = 0; i < count; ++i) {
        const QString &key = oldKey(i);
        const quint32 hash = nameHash(key, folderOf[size_t(i)]);
        RowsByName::Slot &slot = bearers.find(key, folderOf[size_t(i)], hash, oldKey, folderIndex);
        if (slot.row >= 0) {
            foresight.givenTwice.append(i);
        } else {
            slot.row = i;
            slot.hash = hash;
        }
    }
    // One read of a folder answers for all its names, where looking up each
    // would cost more.
    if (lookAtDisk || replaceExisting) {
        for (int i = 0; i < count; ++i) {
            Folder &folder = folders[size_t(folderOf[size_t(i)])];
            if (folder.listed || folder.moving < namesWorthAListing)
                continue;
            folder.listed = true;
            const int f = folderOf[size_t(i)];
            // Name by name: a folder of a million files is not held twice.
            const bool read = forEachName(rows[i].folder, [&](QByteArrayView bytes) {
                QString key = folder.key(nameFromBytes(bytes.data(), bytes.size()));
                if (bearers.find(key, f, nameHash(key, f), oldKey, folderIndex).row < 0)
                    folder.others.insert(std::move(key));
                return true;
            });
            if (!read) {
                folder.listed = false;
                folder.moving = 0;
                folder.others.clear();
            }
        }
    }

    RowsByName claims(moving);
    foresight.waitsFor.fill(-1, count);
    // A file that stays holds its name: whoever wanted it stays too.
    QVector<int> wantedBy(count, -1);
    QVector<int> staying;
    int twice = 0;
    for (int i = 0; i < count; ++i) {
        const PlannedRename &row = rows[i];
        Note &note = notes[i];
        if (twice < foresight.givenTwice.size() && foresight.givenTwice[twice] == i) {
            ++twice;
            if (row.changesName())
                note = Note::NameShared;
            continue;
        }
        if (!row.changesName()) {
            staying.append(i);
            continue;
        }
        note = Note::None;
        const int f = folderOf[size_t(i)];
        Folder &folder = folders[size_t(f)];
        const NameCheck refusal =
            row.restoresName ? NameCheck{isPlainFileName(row.newName) ? NameProblem::None
                                                                      : NameProblem::NotAName}
                             : checkNewName(row.oldName, row.newName, folder.volume);
        if (refusal.problem != row.refusal.problem || refusal.character != row.refusal.character)
            verdicts->refusals.insert(i, refusal);
        if (refusal.problem != NameProblem::None || !isPlainFileName(row.oldName)) {
            note = Note::InvalidName;
        } else {
            const QString &key = newKey(i);
            const quint32 hash = nameHash(key, f);
            RowsByName::Slot &claim = claims.find(key, f, hash, newKey, folderIndex);
            if (claim.row >= 0) {
                note = Note::NameShared;
            } else {
                claim.row = i;
                claim.hash = hash;
                const int holder = bearers.find(key, f, hash, oldKey, folderIndex).row;
                if (holder >= 0 && holder != i) {
                    foresight.waitsFor[i] = holder;
                    wantedBy[holder] = i;
                } else if (holder < 0 && (lookAtDisk || replaceExisting)
                           && (folder.listed ? folder.others.contains(key)
                                             : pathExists(row.targetPath()))
                           && !isSameFile(row.targetPath(), row.sourcePath())) {
                    note = Note::NameTaken;
                    if (replaceExisting && !QFileInfo(row.targetPath()).isDir()) {
                        if (folder.hasTrash < 0)
                            folder.hasTrash = Trash::folderFor(row.targetPath()).isEmpty() ? 0 : 1;
                        note = folder.hasTrash ? Note::ReplacesFile : Note::DeletesFile;
                    }
                }
            }
        }
        if (PlannedRename::staysWith(note))
            staying.append(i);
    }
    while (!staying.isEmpty()) {
        const int wanting = wantedBy[staying.takeLast()];
        if (wanting < 0 || PlannedRename::staysWith(notes[wanting]))
            continue;
        notes[wanting] = Note::NameKept;
        foresight.waitsFor[wanting] = -1;
        staying.append(wanting);
    }
    for (int i = 0; i < count; ++i)
        foresight.changes += rows[i].changesName() && !PlannedRename::staysWith(notes[i]) ? 1 : 0;
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

#include "journal.h"

#include "batchexecutor.h"
#include "filemoves.h"
#include "filenames.h"
#include "trash.h"
#include "volume.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <atomic>
#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const int batchesKept = 50;
const QLatin1String planSuffix(".json");
const QLatin1String endSuffix(".end.json");
const QLatin1String lockSuffix(".lock");
const QLatin1String stepsSuffix(".steps");

void syncFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    // The file's name in its folder must reach the disk too before any
    // rename that it records.
    const int fd = ::open(nameToBytes(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    Q_UNUSED(folder);
#endif
}

#ifdef Q_OS_UNIX
QString writeErrorText(int errorNumber)
{
    if (errorNumber == ENOSPC || errorNumber == EDQUOT)
        return Journal::tr("no space left on the disk that holds the journal");
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}
#endif

// A record counts only once its bytes are known to be on disk: every write
// and the flush checked, the size read back, and the name in its folder
// flushed too. Written under a temporary name first, so that a record is
// either whole or absent. Taken in pieces, so that a plan of a million files
// goes to the disk as it is written, never held whole.
class DurableFile
{
public:
    explicit DurableFile(const QString &path) : m_path(path)
    {
#ifdef Q_OS_UNIX
        m_target = nameToBytes(path);
        m_temporary = m_target + ".part";
        m_fd = ::open(m_temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        if (m_fd < 0)
            m_failure = errno;
#else
        m_file = std::make_unique<QSaveFile>(path);
        if (!m_file->open(QIODevice::WriteOnly))
            m_failed = true;
#endif
    }
    ~DurableFile()
    {
#ifdef Q_OS_UNIX
        if (m_fd >= 0) {
            ::close(m_fd);
            ::unlink(m_temporary.constData());
        }
#endif
    }
    DurableFile(const DurableFile &) = delete;
    DurableFile &operator=(const DurableFile &) = delete;

    void write(const QByteArray &bytes)
    {
#ifdef Q_OS_UNIX
        qsizetype done = 0;
        while (!m_failure && done < bytes.size()) {
            const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                m_failure = n < 0 ? errno : ENOSPC;
                break;
            }
            done += n;
        }
        m_written += done;
#else
        if (!m_failed && m_file->write(bytes) != bytes.size())
            m_failed = true;
        m_written += bytes.size();
#endif
    }

    bool commit(QString *error)
    {
#ifdef Q_OS_UNIX
        struct stat status;
        int failure = m_failure;
        if (!failure && ::fsync(m_fd) != 0)
            failure = errno;
        if (!failure && (::fstat(m_fd, &status) != 0 || status.st_size != m_written))
            failure = EIO;
        if (m_fd >= 0 && ::close(m_fd) != 0 && !failure)
            failure = errno;
        m_fd = -1;
        if (!failure && !putInPlace(m_temporary, m_target))
            failure = errno;
        if (failure) {
            ::unlink(m_temporary.constData());
            *error = writeErrorText(failure);
            return false;
        }
        syncFolder(QFileInfo(m_path).absolutePath());
        return true;
#else
        if (m_failed || !m_file->commit() || QFileInfo(m_path).size() != m_written) {
            if (error)
                *error = m_file->errorString();
            return false;
        }
        return true;
#endif
    }

private:
    QString m_path;
    qsizetype m_written = 0;
#ifdef Q_OS_UNIX
    QByteArray m_target;
    QByteArray m_temporary;
    int m_fd = -1;
    int m_failure = 0;
#else
    std::unique_ptr<QSaveFile> m_file;
    bool m_failed = false;
#endif
};

bool writeDurably(const QString &path, const QByteArray &bytes, QString *error)
{
    DurableFile file(path);
    file.write(bytes);
    return file.commit(error);
}

QString newBatchId()
{
    // Sortable by time, and in the order of the batches of this process even
    // when two start in one millisecond: undo tells which batch came later
    // by them. The random tail keeps batches of two processes apart.
    static std::atomic<qint64> last{0};
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    qint64 seen = last.load();
    qint64 msecs = 0;
    do {
        msecs = qMax(now, seen + 1);
    } while (!last.compare_exchange_weak(seen, msecs));
    return QDateTime::fromMSecsSinceEpoch(msecs, Qt::UTC)
               .toString(QStringLiteral("yyyyMMdd-HHmmss-zzz-"))
           + QString::number(QRandomGenerator::global()->bounded(0x10000u), 16)
                 .rightJustified(4, QLatin1Char('0'));
}

// False when the file is there but cannot be read; found tells whether it is there.
bool readWhole(const QString &path, QByteArray *bytes, bool *found, QString *error)
{
    QFile file(path);
    *found = file.exists();
    if (!*found)
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    *bytes = file.readAll();
    return true;
}

// Reads no further into a plan than its folders, for an end that does not
// keep them.
void readPlanFolders(const QString &path, JournalRecord::Batch *batch)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    QByteArray head;
    for (qint64 chunk = 64 * 1024; !file.atEnd(); chunk *= 2) {
        head += file.read(chunk);
        if (JournalRecord::readPlanFolders(head, &batch->folders)) {
            batch->folderCount = batch->folders.size();
            return;
        }
    }
}

// The names a batch gave its files and the names it took from them, by
// folder: a batch of 100,000 files is looked up without composing a path.
class GivenNames
{
public:
    explicit GivenNames(const Journal::Stored &stored)
    {
        const QVector<JournalRecord::Entry> &entries = stored.plan.entries;
        // Most batches rename in one folder: its sets are made once at their size.
        if (stored.plan.batch.folders.size() == 1) {
            given[stored.plan.batch.folders.first()].reserve(entries.size());
            taken[stored.plan.batch.folders.first()].reserve(entries.size());
        }
        for (int i = 0; i < entries.size(); ++i) {
            const JournalRecord::Entry &entry = entries[i];
            const QString &finalName = stored.end.elsewhere.value(i, entry.newName);
            if (!entry.usable || finalName == entry.oldName)
                continue;
            taken[entry.fromFolder.isEmpty() ? entry.folder : entry.fromFolder].insert(
                entry.oldName);
            if (!entry.deletes)
                given[entry.folder].insert(finalName);
        }
    }

    // Whether a batch moved a file from or onto a name given, or onto a name
    // taken (an undo would take another file back, or find the name taken).
    bool movedBy(const Journal::Stored &later) const
    {
        const QVector<JournalRecord::Entry> &entries = later.plan.entries;
        for (int i = 0; i < entries.size(); ++i) {
            const JournalRecord::Entry &entry = entries[i];
            const QString &finalName = later.end.elsewhere.value(i, entry.newName);
            if (!entry.usable || finalName == entry.oldName)
                continue;
            const QString &from = entry.fromFolder.isEmpty() ? entry.folder : entry.fromFolder;
            if (holds(given, from, entry.oldName))
                return true;
            if (!entry.deletes
                && (holds(given, entry.folder, finalName) || holds(taken, entry.folder, finalName)))
                return true;
        }
        return false;
    }

private:
    using Names = QHash<QString, QSet<QString>>;

    static bool holds(const Names &names, const QString &folder, const QString &name)
    {
        const auto in = names.constFind(folder);
        return in != names.constEnd() && in->contains(name);
    }

    Names given;
    Names taken;
};

bool shareFolder(const Journal::Batch &a, const Journal::Batch &b)
{
    if (!a.knowsEveryFolder() || !b.knowsEveryFolder())
        return true;
    const QSet<QString> folders(a.folders.cbegin(), a.folders.cend());
    return std::any_of(b.folders.cbegin(), b.folders.cend(),
                       [&folders](const QString &folder) { return folders.contains(folder); });
}

} // namespace

QStringList Journal::lines(const QVector<LeftAlone> &leftAlone)
{
    QStringList lines;
    lines.reserve(leftAlone.size());
    for (const LeftAlone &file : leftAlone)
        lines.append(file.line());
    return lines;
}

QString Journal::defaultDirectory()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
           + QStringLiteral("/journal");
}

Journal::Journal(const QString &directory) : m_directory(directory) {}

Journal::~Journal()
{
    closeSteps();
}

QString Journal::pathOf(const QString &id, QLatin1String suffix) const
{
    return m_directory + QLatin1Char('/') + id + suffix;
}

QString Journal::skipped(const QString &id, const QString &error)
{
    return tr("The journal file \"%1\" was skipped: %2").arg(id + planSuffix, error);
}

Journal::Batch Journal::Stored::batch() const
{
    Batch batch = plan.batch;
    if (ended) {
        batch.finished = end.finished;
        batch.cancelled = end.cancelled;
        batch.renamed = end.renamed;
    }
    return batch;
}

bool Journal::read(const QString &id, Stored *stored, QString *error) const
{
    bool found = false;
    QByteArray bytes;
    QStringList unusable;
    if (!readWhole(pathOf(id, planSuffix), &bytes, &found, error))
        return false;
    if (!found) {
        *error = tr("it is no longer there");
        return false;
    }
    if (!JournalRecord::readPlan(bytes, id, &stored->plan, &unusable, error))
        return false;
    bytes.clear();
    if (!readWhole(pathOf(id, endSuffix), &bytes, &found, error))
        return false;
    stored->ended = found;
    if (found && !JournalRecord::readEnd(bytes, stored->plan, &stored->end, &unusable, error))
        return false;
    // Undo takes a displaced file back from a trash and from nowhere else.
    for (auto it = stored->end.disposed.begin(); it != stored->end.disposed.end();) {
        if (it.value().isEmpty() || Trash::isTrashedFile(it.value())) {
            ++it;
        } else {
            unusable.append(it.value());
            it = stored->end.disposed.erase(it);
        }
    }
    const QString reason = tr("its entry in the journal cannot be used");
    for (const QString &path : std::as_const(unusable))
        stored->unusable.append({path, reason});

    QFile steps(pathOf(id, stepsSuffix));
    if (steps.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> lines = steps.readAll().split('\n');
        for (const QByteArray &line : lines) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 2 && parts[1].size() == 1)
                stored->lastSteps.insert(parts[0].toInt(), parts[1].at(0));
        }
    }
    return true;
}

QVector<Journal::Batch> Journal::history() const
{
    m_problems.clear();
    QStringList ids;
    const QStringList files =
        QDir(m_directory).entryList({QStringLiteral("*") + planSuffix}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (!file.endsWith(endSuffix))
            ids.append(file.chopped(planSuffix.size()));
    }
    std::sort(ids.begin(), ids.end(), std::greater<QString>());

    QVector<Batch> batches;
    QSet<QString> undone;
    for (const QString &id : std::as_const(ids)) {
        Batch batch;
        QFile endFile(pathOf(id, endSuffix));
        if (!endFile.open(QIODevice::ReadOnly)
            || !JournalRecord::readSummary(endFile.readAll(), id, &batch)) {
            Stored stored;
            QString error;
            if (!read(id, &stored, &error)) {
                m_problems.append(skipped(id, error));
                continue;
            }
            batch = stored.batch();
        } else if (batch.folderCount < 0) {
            readPlanFolders(pathOf(id, planSuffix), &batch);
        }
        // An undo cut off or cancelled leaves the rest of its batch to undo.
        if (batch.kind == Kind::Undo && batch.finished.isValid() && !batch.cancelled)
            undone.insert(batch.undoes);
        batches.append(batch);
    }
    for (Batch &batch : batches)
        batch.undone = undone.contains(batch.id);
    return batches;
}

Journal::Batch Journal::newestUndoable() const
{
    const QVector<Batch> batches = history();
    for (const Batch &batch : batches) {
        if (batch.canBeUndone())
            return batch;
    }
    return Batch();
}

Journal::Batch Journal::undoBlocker(const QString &id) const
{
    Stored stored;
    QString error;
    return read(id, &stored, &error) ? undoBlocker(stored) : Batch();
}

Journal::Batch Journal::undoBlocker(const Stored &stored) const
{
    const QVector<Batch> batches = history();
    Batch current = stored.batch();
    std::optional<GivenNames> names;
    Batch blocker;
    // Oldest first, so that each record is read once along the chain.
    for (auto later = batches.crbegin(); later != batches.crend(); ++later) {
        if (later->id <= stored.plan.batch.id || !later->canBeUndone()
            || !shareFolder(current, *later))
            continue;
        Stored next;
        QString error;
        if (!read(later->id, &next, &error))
            continue; // a record that cannot be read cannot be undone either
        if (!names)
            names.emplace(stored);
        if (!names->movedBy(next))
            continue;
        blocker = *later;
        current = *later;
        names.emplace(next);
    }
    return blocker;
}

QString Journal::begin(Kind kind, const PreparedBatch &prepared, const QString &about,
                       QString *error, const QByteArray &rules)
{
    if (!QDir().mkpath(m_directory)) {
        *error = tr("The journal folder \"%1\" cannot be created.").arg(m_directory);
        return QString();
    }
    Batch batch;
    batch.id = newBatchId();
    batch.kind = kind;
    batch.started = QDateTime::currentDateTimeUtc();
    if (kind == Kind::Undo)
        batch.undoes = about;
    else if (kind == Kind::Recover)
        batch.recovers = about;
    batch.rules = rules;

    // Only the files the run will try to rename: a name refused beforehand
    // never reaches the record. Entries are numbered among them, so the end
    // record can name them. A first pass finds the folders, which the
    // record names before its rows, and what each volume keeps of a file.
    const QVector<PlannedRename> &renames = prepared.renames;
    const int count = int(renames.size());
    JournalRecord::PlanWriter writer(batch, prepared.replaceExisting);
    struct FolderTraits
    {
        bool stableIds = true;
        bool timesKept = true;
    };
    QHash<QString, FolderTraits> traitsOf;
    bool wantsSteps = false;
    QVector<int> entryOf(count, -1);
    const QString *lastFolder = nullptr;
    for (int i = 0; i < count; ++i) {
        if (!prepared.attempted.at(i))
            continue;
        const PlannedRename &rename = renames[i];
        entryOf[i] = int(batch.planned++);
        QString fromFolder;
        bool deletes = false;
        if (!prepared.otherMoves.isEmpty()) {
            const auto other = prepared.otherMoves.constFind(i);
            if (other != prepared.otherMoves.constEnd()) {
                deletes = other->kind == PreparedBatch::OtherMove::Kind::Delete;
                if (!deletes)
                    fromFolder = other->fromFolder;
            }
        }
        writer.declare(rename.folder, fromFolder, deletes);
        // Neighbours share their folder's text, which spares most look-ups.
        if (lastFolder && lastFolder->constData() == rename.folder.constData()
            && lastFolder->size() == rename.folder.size())
            continue;
        lastFolder = &rename.folder;
        if (!traitsOf.contains(rename.folder)) {
            const Volume volume = Volume::of(rename.folder);
            // FAT through FUSE stamps a rename as a change of the file.
            traitsOf.insert(rename.folder,
                            {volume.stableFileIds, volume.type != QLatin1String("vfat")});
            wantsSteps = wantsSteps || !volume.stableFileIds;
            batch.folders.append(rename.folder);
        }
    }
    batch.folders.sort();
    batch.folderCount = batch.folders.size();
    // Held while the batch runs, so that no other process takes it for one
    // cut off by a crash.
    m_running = std::make_unique<QLockFile>(pathOf(batch.id, lockSuffix));
    m_running->setStaleLockTime(0);
    if (!m_running->tryLock(0)) {
        *error = m_running->error() != QLockFile::LockFailedError
                         && QStorageInfo(m_directory).bytesAvailable() < 64 * 1024
                     ? tr("no space left on the disk that holds the journal")
                     : tr("The journal cannot be locked.");
        m_running.reset();
        return QString();
    }
    if (wantsSteps) {
        // Written before the plan, so that a plan on disk always has it.
        const QByteArray path = nameToBytes(pathOf(batch.id, stepsSuffix));
        m_stepsFd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (m_stepsFd < 0) {
            *error = writeErrorText(errno);
            m_running.reset();
            return QString();
        }
    }
    DurableFile file(pathOf(batch.id, planSuffix));
    JournalRecord::Entry entry;
    lastFolder = nullptr;
    FolderTraits traits;
    for (int i = 0; i < count; ++i) {
        if (entryOf[i] < 0)
            continue;
        const PlannedRename &rename = renames[i];
        entry.folder = rename.folder;
        entry.oldName = rename.oldName;
        entry.newName = rename.newName;
        entry.temporary =
            prepared.temporaries.isEmpty() ? QString() : prepared.temporaries.value(i);
        entry.setAside = prepared.setAsides.isEmpty() ? QString() : prepared.setAsides.value(i);
        entry.fromFolder.clear();
        entry.deletes = false;
        if (!prepared.otherMoves.isEmpty()) {
            const auto other = prepared.otherMoves.constFind(i);
            if (other != prepared.otherMoves.constEnd()) {
                entry.deletes = other->kind == PreparedBatch::OtherMove::Kind::Delete;
                if (!entry.deletes)
                    entry.fromFolder = other->fromFolder;
            }
        }
        if (!lastFolder || lastFolder->constData() != rename.folder.constData()
            || lastFolder->size() != rename.folder.size()) {
            lastFolder = &rename.folder;
            traits = traitsOf.value(rename.folder);
        }
        // The path is composed only where the disk is asked: most files come
        // with their number from the listing.
        const auto source = [&] {
            return entry.fromFolder.isEmpty() ? rename.sourcePath()
                                              : entry.fromFolder + rename.oldName;
        };
        entry.fileId = !traits.stableIds ? 0 : rename.fileId ? rename.fileId : fileIdOf(source());
        entry.fingerprint.clear();
        if (!traits.stableIds)
            entry.fingerprint = fingerprintOf(source(), traits.timesKept);
        writer.add(entry);
        if (writer.pendingSize() >= 1024 * 1024)
            file.write(writer.takeBytes());
    }
    file.write(writer.takeRest());
    if (!file.commit(error)) {
        closeSteps();
        m_running.reset();
        return QString();
    }
    if (wantsSteps)
        m_entryOf = std::move(entryOf);
    m_runningBatch = batch;
    prune();
    return batch.id;
}

void Journal::noteStep(int index, PreparedBatch::Step step)
{
    const int entry = index >= 0 && index < m_entryOf.size() ? m_entryOf.at(index) : -1;
    if (m_stepsFd < 0 || entry < 0)
        return;
    // No flush: a step must outlive the program, not the machine, which a
    // volume of this kind does not promise either.
    const QByteArray line = QByteArray::number(entry) + ' ' + char(step) + '\n';
    if (::write(m_stepsFd, line.constData(), size_t(line.size())) != line.size()) {
        ::close(m_stepsFd);
        m_stepsFd = -1;
    }
}

bool Journal::closeSteps()
{
    if (m_stepsFd < 0)
        return false;
    ::close(m_stepsFd);
    m_stepsFd = -1;
    m_entryOf.clear();
    return true;
}

void Journal::prune() const
{
    QStringList ended =
        QDir(m_directory).entryList({QStringLiteral("*") + endSuffix}, QDir::Files, QDir::Name);
    for (qsizetype i = 0; i + batchesKept < ended.size(); ++i) {
        const QString id = ended[i].chopped(endSuffix.size());
        QFile::remove(pathOf(id, planSuffix));
        QFile::remove(pathOf(id, stepsSuffix));
        QFile::remove(pathOf(id, endSuffix));
    }
}

bool Journal::finish(const QString &id, const PreparedBatch &prepared, const BatchOutcome &outcome,
                     QString *error)
{
    // Entries are numbered among the files the run tried to rename.
    const QVector<PlannedRename> &renames = prepared.renames;
    QVector<int> entryOf;
    if (!outcome.disposed.isEmpty())
        entryOf.fill(-1, renames.size());
    JournalRecord::End end;
    end.finished = QDateTime::currentDateTimeUtc();
    end.cancelled = outcome.cancelled;
    end.renamed = outcome.renamed;
    for (int i = 0, entry = 0; i < renames.size(); ++i) {
        if (!prepared.attempted.at(i))
            continue;
        if (!entryOf.isEmpty())
            entryOf[i] = entry;
        if (outcome.finalNames.at(i) != renames[i].newName)
            end.elsewhere.insert(entry, outcome.finalNames.at(i));
        ++entry;
    }
    for (const BatchOutcome::Disposal &disposal : outcome.disposed)
        end.disposed.insert(entryOf.value(disposal.index, 0), disposal.trashPath);
    for (const FileFailure &failure : outcome.failures.mid(0, 1000))
        end.failures.append(failure.path + QStringLiteral(": ") + failure.reason);
    Batch batch = m_runningBatch;
    batch.id = id;
    const bool written =
        writeDurably(pathOf(id, endSuffix), JournalRecord::writeEnd(batch, end), error);
    // The end record now says where every file is.
    if (closeSteps() && written)
        removeFile(pathOf(id, stepsSuffix));
    m_running.reset();
    return written;
}

QStringList Journal::unfinished() const
{
    QStringList ids;
    const QStringList files =
        QDir(m_directory).entryList({QStringLiteral("*") + planSuffix}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (file.endsWith(endSuffix))
            continue;
        const QString id = file.chopped(planSuffix.size());
        if (!QFile::exists(pathOf(id, endSuffix)))
            ids.prepend(id);
    }
    return ids;
}

QStringList Journal::claimUnfinished()
{
    QStringList claimed;
    // The newest first: a recovery cut off holds files of the batch it put
    // in order under names of its own.
    const QStringList ids = unfinished();
    for (const QString &id : ids) {
        if (m_claimed.count(id)) {
            claimed.append(id);
            continue;
        }
        auto lock = std::make_unique<QLockFile>(pathOf(id, lockSuffix));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0))
            continue; // another process runs it or puts it in order
        m_claimed[id] = std::move(lock);
        claimed.append(id);
    }
    return claimed;
}

bool Journal::endInterrupted(const Batch &batch, const JournalRecord::End &end, QString *error)
{
    const bool written =
        writeDurably(pathOf(batch.id, endSuffix), JournalRecord::writeEnd(batch, end), error);
    if (written)
        QFile::remove(pathOf(batch.id, stepsSuffix));
    release(batch.id);
    return written;
}

void Journal::release(const QString &id)
{
    const auto claimed = m_claimed.find(id);
    if (claimed == m_claimed.end())
        return;
    claimed->second->unlock();
    m_claimed.erase(claimed);
}

QString Journal::Recovery::message() const
{
    if (batches.isEmpty() && leftAlone.isEmpty())
        return QString();
    QString text = tr("Renaming was cut off before its end. Every file of the interrupted "
                      "batch now bears its old or its new name, and the batch can be undone.");
    if (putBack > 0)
        text += QLatin1Char('\n') + tr("Files given their name back: %1.").arg(putBack);
    if (!leftAlone.isEmpty())
        text += QLatin1String("\n\n") + tr("Left as they are:") + QLatin1Char('\n')
                + leftAlone.join(QLatin1Char('\n'));
    return text;
}

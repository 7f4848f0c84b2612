#include "journal.h"

#include "filemoves.h"
#include "filenames.h"
#include "volume.h"
#include "trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const int batchesKept = 50;
const QLatin1String formatName("tavrelo-journal");
const QLatin1String planSuffix(".json");
const QLatin1String endSuffix(".end.json");
const QLatin1String lockSuffix(".lock");
const QLatin1String stepsSuffix(".steps");

bool kindOf(const QString &name, Journal::Kind *kind)
{
    for (Journal::Kind k : {Journal::Kind::Rename, Journal::Kind::Replace, Journal::Kind::Undo}) {
        if (Journal::kindName(k) == name) {
            *kind = k;
            return true;
        }
    }
    return false;
}

// JSON is written by hand: a batch of 100,000 files must cost next to
// nothing beside the renames themselves.
void appendJsonString(QByteArray &out, const QString &text)
{
    // A name's bytes that are not UTF-8 stand as lone surrogates, which only
    // a JSON escape keeps.
    if (holdsRawBytes(text)) {
        out.append(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact).mid(1).chopped(1));
        return;
    }
    out.append('"');
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        default:
            if (uchar(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(uchar(c)));
                out.append(escaped);
            } else {
                out.append(c);
            }
        }
    }
    out.append('"');
}

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
// either whole or absent.
bool writeDurably(const QString &path, const QByteArray &bytes, QString *error)
{
#ifdef Q_OS_UNIX
    const QByteArray target = nameToBytes(path);
    const QByteArray temporary = target + ".part";
    const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        *error = writeErrorText(errno);
        return false;
    }
    qsizetype written = 0;
    int failure = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            failure = n < 0 ? errno : ENOSPC;
            break;
        }
        written += n;
    }
    struct stat status;
    if (!failure && ::fsync(fd) != 0)
        failure = errno;
    if (!failure && (::fstat(fd, &status) != 0 || status.st_size != bytes.size()))
        failure = EIO;
    if (::close(fd) != 0 && !failure)
        failure = errno;
    if (!failure && ::rename(temporary.constData(), target.constData()) != 0)
        failure = errno;
    if (failure) {
        ::unlink(temporary.constData());
        *error = writeErrorText(failure);
        return false;
    }
    syncFolder(QFileInfo(path).absolutePath());
    return true;
#else
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()
        || QFileInfo(path).size() != bytes.size()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
#endif
}

// One file of a recorded batch.
struct Entry
{
    bool usable = true; // false: the record holds it, but it names no file safely
    QString folder;
    QString oldName;
    QString newName;
    quint64 fileId = 0;
    // Where the volume numbers files as it meets them: size and time instead.
    QString fingerprint;
    bool knowsIdentity() const { return fileId != 0 || !fingerprint.isEmpty(); }
    // Whether the file at path is this entry's file (see isSameFileSince).
    bool isAt(const QString &path, qint64 beganMsecs, qint64 settledMsecs) const
    {
        if (!fingerprint.isEmpty())
            return fingerprintOf(path, fingerprint.contains(QLatin1Char(':'))) == fingerprint;
        return isSameFileSince(path, fileId, beganMsecs, settledMsecs);
    }
    QString temporary;
    QString aside;
};

// A batch file read back. Anything that does not read as this program's own
// record makes it unreadable; names that would leave their folder too.
struct Record
{
    Journal::Batch batch;
    QVector<Entry> entries;
    bool replaceExisting = false;
    bool ended = false;
    QHash<int, QString> finalNames; // entries not under their new name
    QHash<int, QString> disposed;   // entry -> trash path ("" when deleted)
    // Entries and disposals that cannot be trusted to name a file: skipped,
    // each reported, while the rest of the batch stays usable.
    QVector<Journal::LeftAlone> unusable;
};

QString unusableEntryText()
{
    return Journal::tr("its entry in the journal cannot be used");
}

bool readRecord(const QString &directory, const QString &id, Record *record, QString *error)
{
    QFile file(directory + QLatin1Char('/') + id + planSuffix);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    const QJsonObject plan = document.object();
    if (parseError.error != QJsonParseError::NoError
        || plan.value(QLatin1String("format")).toString() != formatName
        || plan.value(QLatin1String("version")).toInt() != 1
        || plan.value(QLatin1String("id")).toString() != id
        || !kindOf(plan.value(QLatin1String("kind")).toString(), &record->batch.kind)) {
        *error = parseError.error != QJsonParseError::NoError
                     ? parseError.errorString()
                     : Journal::tr("not a batch record of this program");
        return false;
    }
    record->batch.id = id;
    record->batch.started =
        QDateTime::fromString(plan.value(QLatin1String("started")).toString(), Qt::ISODateWithMs);
    record->batch.undoes = plan.value(QLatin1String("undoes")).toString();
    record->replaceExisting = plan.value(QLatin1String("replaceExisting")).toBool();

    QStringList folders;
    for (const QJsonValue &folder : plan.value(QLatin1String("folders")).toArray()) {
        const QString path = folder.toString();
        if (!QDir::isAbsolutePath(path) || !path.endsWith(QLatin1Char('/'))
            || QDir::cleanPath(path) + QLatin1Char('/') != path) {
            *error = Journal::tr("a folder of the record is not a clean absolute path");
            return false;
        }
        folders.append(path);
    }
    const QJsonArray files = plan.value(QLatin1String("files")).toArray();
    record->entries.reserve(files.size());
    for (const QJsonValue &value : files) {
        const QJsonArray row = value.toArray();
        const int folder = row.at(0).toInt(-1);
        Entry entry;
        entry.oldName = row.at(1).toString();
        entry.newName = row.at(2).toString();
        entry.fileId = row.at(3).toString().toULongLong();
        entry.temporary = row.at(4).toString();
        entry.aside = row.at(5).toString();
        entry.fingerprint = row.at(6).toString();
        const bool asideInFolder = entry.aside.isEmpty() || isPlainFileName(entry.aside);
        const bool folderKnown = folder >= 0 && folder < folders.size();
        entry.folder = folderKnown ? folders[folder] : QString();
        if (row.size() < 6 || row.size() > 7 || !folderKnown || !isPlainFileName(entry.oldName)
            || !isPlainFileName(entry.newName)
            || (!entry.temporary.isEmpty() && !isPlainFileName(entry.temporary))
            || !asideInFolder) {
            entry.usable = false;
            record->unusable.append(
                {QDir::toNativeSeparators(entry.folder + entry.newName), unusableEntryText()});
        }
        record->entries.append(entry);
    }
    record->batch.planned = record->entries.size();
    record->batch.renamed = record->entries.size();

    QFile endFile(directory + QLatin1Char('/') + id + endSuffix);
    if (!endFile.exists())
        return true;
    if (!endFile.open(QIODevice::ReadOnly)) {
        *error = endFile.errorString();
        return false;
    }
    const QJsonObject end = QJsonDocument::fromJson(endFile.readAll(), &parseError).object();
    if (parseError.error != QJsonParseError::NoError
        || end.value(QLatin1String("id")).toString() != id) {
        *error = Journal::tr("its end record cannot be read");
        return false;
    }
    record->ended = true;
    record->batch.finished =
        QDateTime::fromString(end.value(QLatin1String("finished")).toString(), Qt::ISODateWithMs);
    record->batch.cancelled = end.value(QLatin1String("cancelled")).toBool();
    for (const QJsonValue &value : end.value(QLatin1String("elsewhere")).toArray()) {
        const QJsonArray row = value.toArray();
        const int index = row.at(0).toInt(-1);
        const QString name = row.at(1).toString();
        if (index < 0 || index >= record->entries.size() || !isPlainFileName(name)) {
            record->unusable.append({name, unusableEntryText()});
            continue;
        }
        record->finalNames.insert(index, name);
    }
    for (const QJsonValue &value : end.value(QLatin1String("disposed")).toArray()) {
        const QJsonArray row = value.toArray();
        const int index = row.at(0).toInt(-1);
        const QString path = row.at(1).toString();
        // Undo takes a displaced file back from a trash and from nowhere else.
        if (index < 0 || index >= record->entries.size()
            || (!path.isEmpty() && !Trash::isTrashedFile(path))) {
            record->unusable.append({path, unusableEntryText()});
            continue;
        }
        record->disposed.insert(index, path);
    }
    record->batch.renamed = end.value(QLatin1String("renamed")).toInteger();
    return true;
}

// The end of a batch repeats what a history shows of it, so that a history
// reads these small files only.
bool readRecord(const QString &directory, const QString &id, Record *record, QString *error);

// What a history shows of a batch, from its end record alone where it has one.
bool readSummary(const QString &directory, const QString &id, Journal::Batch *batch, QString *error)
{
    QFile endFile(directory + QLatin1Char('/') + id + endSuffix);
    if (endFile.open(QIODevice::ReadOnly)) {
        const QJsonObject end = QJsonDocument::fromJson(endFile.readAll()).object();
        if (end.value(QLatin1String("id")).toString() == id
            && kindOf(end.value(QLatin1String("kind")).toString(), &batch->kind)) {
            batch->id = id;
            batch->started = QDateTime::fromString(end.value(QLatin1String("started")).toString(),
                                                   Qt::ISODateWithMs);
            batch->finished = QDateTime::fromString(end.value(QLatin1String("finished")).toString(),
                                                    Qt::ISODateWithMs);
            batch->undoes = end.value(QLatin1String("undoes")).toString();
            batch->planned = end.value(QLatin1String("planned")).toInteger();
            batch->renamed = end.value(QLatin1String("renamed")).toInteger();
            batch->cancelled = end.value(QLatin1String("cancelled")).toBool();
            return true;
        }
    }
    Record record;
    if (!readRecord(directory, id, &record, error))
        return false;
    *batch = record.batch;
    return true;
}

QByteArray endRecord(const Journal::Batch &batch, bool cancelled, qsizetype renamed,
                     const QHash<int, QString> &elsewhere, const QHash<int, QString> &disposed,
                     const QStringList &failures)
{
    QByteArray out;
    out.append("{\n\"id\": ");
    appendJsonString(out, batch.id);
    out.append(",\n\"kind\": ");
    appendJsonString(out, Journal::kindName(batch.kind));
    out.append(",\n\"started\": ");
    appendJsonString(out, batch.started.toString(Qt::ISODateWithMs));
    out.append(",\n\"undoes\": ");
    appendJsonString(out, batch.undoes);
    out.append(",\n\"planned\": ").append(QByteArray::number(batch.planned));
    out.append(",\n\"finished\": ");
    appendJsonString(out, QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    out.append(",\n\"cancelled\": ").append(cancelled ? "true" : "false");
    out.append(",\n\"renamed\": ").append(QByteArray::number(renamed));
    // Only the files that did not end under their new name.
    out.append(",\n\"elsewhere\": [");
    QList<int> indexes = elsewhere.keys();
    std::sort(indexes.begin(), indexes.end());
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        out.append(i ? ",\n  [" : "\n  [").append(QByteArray::number(indexes[i])).append(", ");
        appendJsonString(out, elsewhere.value(indexes[i]));
        out.append(']');
    }
    out.append("],\n\"disposed\": [");
    indexes = disposed.keys();
    std::sort(indexes.begin(), indexes.end());
    for (qsizetype i = 0; i < indexes.size(); ++i) {
        out.append(i ? ",\n  [" : "\n  [").append(QByteArray::number(indexes[i])).append(", ");
        appendJsonString(out, disposed.value(indexes[i]));
        out.append(']');
    }
    out.append("],\n\"failures\": [");
    for (qsizetype i = 0; i < failures.size(); ++i) {
        out.append(i ? ",\n  " : "\n  ");
        appendJsonString(out, failures[i]);
    }
    out.append("]\n}\n");
    return out;
}

QString newBatchId()
{
    // Sortable by time; the random tail keeps two batches of one millisecond apart.
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz-"))
           + QString::number(QRandomGenerator::global()->bounded(0x10000u), 16)
                 .rightJustified(4, QLatin1Char('0'));
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

QString Journal::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Rename:
        return QStringLiteral("rename");
    case Kind::Replace:
        return QStringLiteral("replace");
    case Kind::Undo:
        return QStringLiteral("undo");
    }
    return QString();
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
        QString error;
        if (!readSummary(m_directory, id, &batch, &error)) {
            m_problems.append(
                tr("The journal file \"%1\" was skipped: %2").arg(id + planSuffix, error));
            continue;
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
        if (batch.kind != Kind::Undo && !batch.undone && batch.finished.isValid()
            && batch.renamed > 0)
            return batch;
    }
    return Batch();
}

QString Journal::begin(Kind kind, const BatchExecutor &prepared, const QString &undoes,
                       QString *error)
{
    if (!QDir().mkpath(m_directory)) {
        *error = tr("The journal folder \"%1\" cannot be created.").arg(m_directory);
        return QString();
    }
    const QString id = newBatchId();
    QByteArray out;
    const QVector<PlannedRename> &renames = prepared.renames();
    out.reserve(renames.size() * 64 + 512);
    out.append("{\n\"format\": ");
    appendJsonString(out, formatName);
    out.append(",\n\"version\": 1,\n\"id\": ");
    appendJsonString(out, id);
    out.append(",\n\"kind\": ");
    appendJsonString(out, Journal::kindName(kind));
    const QDateTime started = QDateTime::currentDateTimeUtc();
    out.append(",\n\"started\": ");
    appendJsonString(out, started.toString(Qt::ISODateWithMs));
    out.append(",\n\"undoes\": ");
    appendJsonString(out, undoes);
    out.append(",\n\"replaceExisting\": ").append(prepared.replacesExisting() ? "true" : "false");

    // Only the files the run will try to rename: a name refused beforehand
    // never reaches the record. Entries are numbered among them, so the end
    // record can name them.
    QHash<QString, int> folderIndex;
    QStringList folders;
    QByteArray rows;
    rows.reserve(out.capacity());
    bool first = true;
    qsizetype planned = 0;
    QHash<QString, bool> stableIds; // per folder
    QHash<QString, bool> timesKept;
    bool wantsSteps = false;
    QHash<int, int> entryOf;
    for (int i = 0; i < renames.size(); ++i) {
        const PlannedRename &rename = renames[i];
        if (!prepared.attempts(i))
            continue;
        entryOf.insert(i, int(planned));
        ++planned;
        auto folder = folderIndex.constFind(rename.folder);
        if (folder == folderIndex.constEnd()) {
            folder = folderIndex.insert(rename.folder, int(folders.size()));
            folders.append(rename.folder);
        }
        rows.append(first ? "\n  [" : ",\n  [")
            .append(QByteArray::number(folder.value()))
            .append(", ");
        first = false;
        appendJsonString(rows, rename.oldName);
        rows.append(", ");
        appendJsonString(rows, rename.newName);
        rows.append(", \"");
        auto stable = stableIds.constFind(rename.folder);
        if (stable == stableIds.constEnd()) {
            const Volume volume = Volume::of(rename.folder);
            stable = stableIds.insert(rename.folder, volume.stableFileIds);
            // FAT through FUSE stamps a rename as a change of the file.
            timesKept.insert(rename.folder, volume.type != QLatin1String("vfat"));
        }
        const quint64 fileId = !stable.value() ? 0
                               : rename.fileId ? rename.fileId
                                               : fileIdOf(rename.sourcePath());
        rows.append(QByteArray::number(fileId)).append("\", ");
        appendJsonString(rows, prepared.temporaryName(i));
        rows.append(", ");
        appendJsonString(rows, fileNameOf(prepared.setAsideName(i)));
        if (!stable.value()) {
            wantsSteps = true;
            rows.append(", ");
            appendJsonString(rows, fingerprintOf(rename.sourcePath(),
                                                 timesKept.value(rename.folder)));
        }
        rows.append(']');
    }
    out.append(",\n\"folders\": [");
    for (qsizetype f = 0; f < folders.size(); ++f) {
        out.append(f ? ",\n  " : "\n  ");
        appendJsonString(out, folders[f]);
    }
    out.append("],\n\"columns\": [\"folder\", \"old\", \"new\", \"fileId\", \"temporary\", "
               "\"setAside\", \"fingerprint\"],\n\"files\": [");
    out.append(rows);
    out.append("]\n}\n");
    // Held while the batch runs, so that no other process takes it for one
    // cut off by a crash.
    m_running = std::make_unique<QLockFile>(m_directory + QLatin1Char('/') + id + lockSuffix);
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
        const QByteArray path = nameToBytes(m_directory + QLatin1Char('/') + id + stepsSuffix);
        m_stepsFd = ::open(path.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (m_stepsFd < 0) {
            *error = writeErrorText(errno);
            m_running.reset();
            return QString();
        }
        m_entryOf = entryOf;
    }
    if (!writeDurably(m_directory + QLatin1Char('/') + id + planSuffix, out, error)) {
        closeSteps();
        m_running.reset();
        return QString();
    }
    m_runningBatch = Batch();
    m_runningBatch.id = id;
    m_runningBatch.kind = kind;
    m_runningBatch.started = started;
    m_runningBatch.undoes = undoes;
    m_runningBatch.planned = planned;
    prune();
    return id;
}

void Journal::noteStep(int index, BatchExecutor::Options::Step step)
{
    const auto entry = m_entryOf.constFind(index);
    if (m_stepsFd < 0 || entry == m_entryOf.constEnd())
        return;
    // No flush: a step must outlive the program, not the machine, which a
    // volume of this kind does not promise either.
    const QByteArray line = QByteArray::number(entry.value()) + ' ' + char(step) + '\n';
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
        QFile::remove(m_directory + QLatin1Char('/') + id + planSuffix);
        QFile::remove(m_directory + QLatin1Char('/') + id + stepsSuffix);
        QFile::remove(m_directory + QLatin1Char('/') + ended[i]);
    }
}

bool Journal::finish(const QString &id, const BatchExecutor &prepared, const BatchOutcome &outcome,
                     QString *error)
{
    // Entries are numbered among the files the run tried to rename.
    QHash<int, int> entryOf;
    const QVector<PlannedRename> &renames = prepared.renames();
    for (int i = 0, entry = 0; i < renames.size(); ++i) {
        if (prepared.attempts(i))
            entryOf.insert(i, entry++);
    }
    QHash<int, QString> elsewhere;
    for (auto it = entryOf.cbegin(); it != entryOf.cend(); ++it) {
        if (outcome.finalNames.at(it.key()) != renames[it.key()].newName)
            elsewhere.insert(it.value(), outcome.finalNames.at(it.key()));
    }
    QHash<int, QString> disposed;
    for (const BatchOutcome::Disposal &disposal : outcome.disposed)
        disposed.insert(entryOf.value(disposal.index), disposal.trashPath);
    QStringList failures;
    for (const FileFailure &failure : outcome.failures.mid(0, 1000))
        failures.append(failure.path + QStringLiteral(": ") + failure.reason);
    const bool written = writeDurably(m_directory + QLatin1Char('/') + id + endSuffix,
                                      endRecord(m_runningBatch, outcome.cancelled, outcome.renamed,
                                                elsewhere, disposed, failures),
                                      error);
    // The end record now says where every file is.
    if (closeSteps() && written)
        removeFile(m_directory + QLatin1Char('/') + id + stepsSuffix);
    m_running.reset();
    return written;
}

Journal::Recovery Journal::recoverUnfinished()
{
    Recovery recovery;
    const QStringList files =
        QDir(m_directory).entryList({QStringLiteral("*") + planSuffix}, QDir::Files, QDir::Name);
    for (const QString &file : files) {
        if (file.endsWith(endSuffix))
            continue;
        const QString id = file.chopped(planSuffix.size());
        if (QFile::exists(m_directory + QLatin1Char('/') + id + endSuffix))
            continue;
        QLockFile lock(m_directory + QLatin1Char('/') + id + lockSuffix);
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue; // another process is running it
        Record record;
        QString error;
        if (!readRecord(m_directory, id, &record, &error)) {
            recovery.leftAlone.append(
                tr("The journal file \"%1\" was skipped: %2").arg(file, error));
            continue;
        }
        QHash<int, QString> elsewhere;
        QHash<int, QString> disposed;
        qsizetype renamed = 0;
        recovery.leftAlone.append(lines(record.unusable));
        const qint64 began = record.batch.started.toMSecsSinceEpoch();
        // Where the batch recorded its moves, the last step of each file says
        // where it is; identity is then asked only to confirm.
        QHash<int, char> lastStep;
        // Which entry takes, and which holds, each name of the batch.
        QHash<QString, int> takerOf;
        QHash<QString, int> holderOf;
        for (int i = 0; i < record.entries.size(); ++i) {
            const Entry &entry = record.entries[i];
            if (!entry.usable)
                continue;
            takerOf.insert(entry.folder + entry.newName, i);
            holderOf.insert(entry.folder + entry.oldName, i);
        }
        QFile steps(m_directory + QLatin1Char('/') + id + stepsSuffix);
        const bool hasSteps = steps.open(QIODevice::ReadOnly);
        if (hasSteps) {
            const QList<QByteArray> lines = steps.readAll().split('\n');
            for (const QByteArray &line : lines) {
                const QList<QByteArray> parts = line.split(' ');
                if (parts.size() == 2 && parts[1].size() == 1)
                    lastStep.insert(parts[0].toInt(), parts[1].at(0));
            }
        }
        // First where every file is, before anything moves: the answer for
        // one file must not change with what was done for another.
        QVector<QString> where(record.entries.size());
        for (int i = 0; i < record.entries.size(); ++i) {
            const Entry &entry = record.entries[i];
            if (!entry.usable)
                continue;
            const QString oldPath = entry.folder + entry.oldName;
            const QString newPath = entry.folder + entry.newName;
            const QString parked =
                entry.temporary.isEmpty() ? QString() : entry.folder + entry.temporary;
            QString &at = where[i];
            const auto holds = [&](const QString &path) { return entry.isAt(path, began, -1); };
            // A parked file is looked for first: its temporary name is this
            // batch's own, whereas size and time may be shared by two files.
            // Only a file number tells the batch's file at its new name while
            // the old one is taken.
            const char step = lastStep.value(i, 'R');
            if (!parked.isEmpty() && holds(parked)) {
                at = entry.temporary;
            } else if (step == 'M' && pathExists(newPath)) {
                at = entry.newName;
            } else if (step == 'P') {
                // Parked on a cycle, then gone on before its step was
                // written: the cycle's other files say where.
                const int taker = takerOf.value(oldPath, -1);
                const int holder = holderOf.value(newPath, -1);
                if (taker >= 0 && lastStep.value(taker) == 'M')
                    at = entry.newName;
                else if (holder >= 0 && lastStep.value(holder, 'R') != 'M')
                    at = entry.oldName;
                else
                    at = holds(newPath) ? entry.newName : entry.oldName;
            } else if (holds(newPath) && (entry.fileId != 0 || !pathExists(oldPath))) {
                // A kill may also fall between a move and its step.
                at = entry.newName;
            } else {
                at = entry.oldName;
            }
        }
        for (int i = 0; i < record.entries.size(); ++i) {
            const Entry &entry = record.entries[i];
            if (!entry.usable) {
                elsewhere.insert(i, entry.oldName);
                continue;
            }
            const QString oldPath = entry.folder + entry.oldName;
            const QString newPath = entry.folder + entry.newName;
            const QString parked =
                entry.temporary.isEmpty() ? QString() : entry.folder + entry.temporary;
            QString at = where[i];
            if (at == entry.temporary) {
                if (renameNoReplace(parked, newPath))
                    at = entry.newName;
                else if (renameNoReplace(parked, oldPath))
                    at = entry.oldName;
                if (at != entry.temporary)
                    ++recovery.putBack;
                else
                    recovery.leftAlone.append(
                        tr("%1: neither its old nor its new name is free").arg(parked));
            }
            const QString asidePath =
                entry.aside.isEmpty() ? QString() : entry.folder + entry.aside;
            // A file displaced into the trash went there under its own name
            // before the file of the request took it.
            if (record.replaceExisting && entry.aside.isEmpty()) {
                const QStringList trashed = Trash::findTrashed(newPath, began);
                if (!trashed.isEmpty() && at == entry.newName) {
                    disposed.insert(i, trashed.first());
                } else if (!trashed.isEmpty() && !pathExists(newPath)
                           && renameNoReplace(trashed.first(), newPath)) {
                    Trash::forget(trashed.first());
                    ++recovery.putBack;
                }
            }
            if (!asidePath.isEmpty() && pathExists(asidePath)) {
                // Set aside only on a volume without a trash, to be deleted.
                if (at == entry.newName) {
                    if (removeFile(asidePath))
                        disposed.insert(i, QString());
                } else if (renameNoReplace(asidePath, newPath)) {
                    ++recovery.putBack;
                } else {
                    recovery.leftAlone.append(
                        tr("%1: its name \"%2\" is taken").arg(asidePath, entry.newName));
                }
            }
            if (at == entry.newName)
                ++renamed;
            else
                elsewhere.insert(i, at);
        }
        if (writeDurably(m_directory + QLatin1Char('/') + id + endSuffix,
                         endRecord(record.batch, true, renamed, elsewhere, disposed, QStringList()),
                         &error))
            recovery.batches.append(id);
        else
            recovery.leftAlone.append(error);
        lock.unlock();
        QFile::remove(m_directory + QLatin1Char('/') + id + lockSuffix);
        if (hasSteps && recovery.batches.contains(id))
            steps.remove();
    }
    return recovery;
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

Journal::UndoPlan Journal::planUndo(const QString &id) const
{
    UndoPlan plan;
    Record record;
    if (!readRecord(m_directory, id, &record, &plan.error))
        return plan;
    plan.batch = record.batch;
    if (!record.ended) {
        plan.error = tr("the batch has not ended");
        return plan;
    }
    plan.leftAlone = record.unusable;
    const qint64 began = record.batch.started.toMSecsSinceEpoch();
    for (int i = 0; i < record.entries.size(); ++i) {
        const Entry &entry = record.entries[i];
        const QString finalName = record.finalNames.value(i, entry.newName);
        if (!entry.usable || finalName == entry.oldName)
            continue;
        const QString path = entry.folder + finalName;
        if (entry.isAt(path, began, record.batch.finished.toMSecsSinceEpoch())) {
            PlannedRename back{entry.folder, finalName, entry.oldName,
                               PlannedRename::Note::None, entry.fileId};
            back.restoresName = true;
            plan.renames.append(back);
            continue;
        }
        // An undo cut off before its end took some files back already: the
        // next one goes on with the rest.
        if (entry.knowsIdentity() && entry.isAt(entry.folder + entry.oldName, began, -1))
            continue;
        plan.leftAlone.append({QDir::toNativeSeparators(path),
                               pathExists(path)
                                   ? tr("it changed, or another file bears its name now")
                                   : tr("it is no longer there")});
    }
    for (auto it = record.disposed.cbegin(); it != record.disposed.cend(); ++it) {
        const Entry &entry = record.entries[it.key()];
        const QString target = QDir::toNativeSeparators(entry.folder + entry.newName);
        if (it.value().isEmpty())
            plan.leftAlone.append(
                {target, tr("the file it replaced was deleted; it cannot come back")});
        else if (pathExists(it.value()))
            plan.restores.append({it.value(), entry.folder + entry.newName});
        else if (!(entry.knowsIdentity() && pathExists(entry.folder + entry.newName)
                   && entry.isAt(entry.folder + entry.oldName, began, -1)))
            // Unless an earlier undo brought it back already.
            plan.leftAlone.append({target, tr("the file it replaced is no longer in the trash")});
    }
    return plan;
}

#include "trash.h"

#include "filemoves.h"
#include "filenames.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

// macOS and the rest have a trash of their own kind, which Qt knows.
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN) && !defined(Q_OS_ANDROID)
#define TAVRELO_FREEDESKTOP_TRASH
#endif

#ifdef TAVRELO_FREEDESKTOP_TRASH
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

QString uidText()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return QString();
#endif
}

} // namespace

// The layout alone is trusted, so that a journal naming any other file is
// refused whether or not that file exists.
bool Trash::isTrashedFile(const QString &path)
{
    if (!QDir::isAbsolutePath(path) || QDir::cleanPath(path) != path)
        return false;
    const QStringList parts = path.split(QLatin1Char('/'));
    const qsizetype n = parts.size();
    if (n < 4 || parts.at(n - 1).isEmpty() || parts.at(n - 2) != QLatin1String("files"))
        return false;
    const QString &trash = parts.at(n - 3);
    if (trash == QLatin1String("Trash"))
        return true;
    const QString uid = uidText();
    return !uid.isEmpty()
           && (trash == QLatin1String(".Trash-") + uid
               || (trash == uid && n >= 5 && parts.at(n - 4) == QLatin1String(".Trash")));
}

#ifdef TAVRELO_FREEDESKTOP_TRASH

namespace {

const auto infoSuffix = QLatin1String(".trashinfo");
const auto infoHeader = QByteArrayLiteral("[Trash Info]");
const auto dateFormat = QLatin1String("yyyy-MM-ddThh:mm:ss");
// Far more names than any trash holds for one name; a bound all the same.
constexpr int maxAttempts = 10000;
// A longer "suffix" is more likely a sentence with a dot in it.
constexpr qsizetype maxKeptSuffix = 32;
constexpr qint64 maxInfoSize = 64 * 1024;

// Every path and name meets the file system here, and only here.
QByteArray native(const QString &path)
{
    return nameToBytes(path);
}

QString fromNative(const QByteArray &path)
{
    return nameFromBytes(path);
}

QString reasonOf(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

// Paths here are absolute and clean.
QString parentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString joined(const QString &folder, const QString &name)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

bool lstatOf(const QString &path, struct stat *status)
{
    return ::lstat(native(path).constData(), status) == 0;
}

// A volume as a rename sees it: one mount of one file system, for a bind
// mount of the same device refuses renames across it as well.
struct Volume
{
    bool known = false;
    quint64 device = 0;
    quint64 mount = 0; // 0 where the kernel does not tell

    bool operator==(const Volume &other) const
    {
        return known && other.known && device == other.device && mount == other.mount;
    }
};

Volume volumeOf(const QString &folder)
{
    Volume volume;
#if defined(Q_OS_LINUX) && defined(STATX_MNT_ID)
    struct statx status;
    if (::statx(AT_FDCWD, native(folder).constData(), 0, STATX_INO | STATX_MNT_ID, &status) != 0)
        return volume;
    volume.device = quint64(makedev(status.stx_dev_major, status.stx_dev_minor));
    if (status.stx_mask & STATX_MNT_ID)
        volume.mount = status.stx_mnt_id;
#else
    struct stat status;
    if (::stat(native(folder).constData(), &status) != 0)
        return volume;
    volume.device = quint64(status.st_dev);
#endif
    volume.known = true;
    return volume;
}

// The mount's top directory: the highest folder above that is on its volume.
QString topOf(const QString &folder)
{
    const Volume volume = volumeOf(folder);
    QString top = folder;
    while (top.size() > 1) {
        const QString parent = parentOf(top);
        if (!(volumeOf(parent) == volume))
            break;
        top = parent;
    }
    return top;
}

// The first of path and the folders above it that exists, links followed.
QString nearestExisting(const QString &path)
{
    QString at = path;
    struct stat status;
    while (::stat(native(at).constData(), &status) != 0 && errno == ENOENT && at.size() > 1)
        at = parentOf(at);
    return at;
}

bool isWritableFolder(const QString &path)
{
    struct stat status;
    return ::stat(native(path).constData(), &status) == 0 && S_ISDIR(status.st_mode)
           && ::access(native(path).constData(), W_OK | X_OK) == 0;
}

// Where files/ and info/ are, or can be made, and take new entries. Read-only
// volumes answer EROFS to access(), also for root.
bool canHold(const QString &trashFolder)
{
    for (const auto sub : {QLatin1String("files"), QLatin1String("info")}) {
        const QString path = joined(trashFolder, sub);
        struct stat status;
        if (lstatOf(path, &status)) {
            if (!S_ISDIR(status.st_mode) || !isWritableFolder(path))
                return false;
        } else if (errno != ENOENT || !isWritableFolder(nearestExisting(trashFolder))) {
            return false;
        }
    }
    return true;
}

// A trash folder at a volume's top must be the user's own real folder, or be
// missing, lest another user see or steer what goes in.
bool isOwnFolderOrMissing(const QString &path)
{
    struct stat status;
    if (!lstatOf(path, &status))
        return errno == ENOENT;
    return S_ISDIR(status.st_mode) && status.st_uid == ::getuid();
}

// The shared ".Trash" that an administrator may set up: a real folder with
// the sticky bit, so that no one removes another's files.
bool isSharedTrash(const QString &path)
{
    struct stat status;
    return lstatOf(path, &status) && S_ISDIR(status.st_mode) && (status.st_mode & S_ISVTX);
}

QString homeTrash()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : QDir::cleanPath(data + QLatin1String("/Trash"));
}

// The trash folder for files of a folder, and the top directory its info
// paths are relative to (empty for the home trash, whose paths are absolute).
struct Place
{
    QString folder;
    QString top;
};

// The trash folders at the top of the volume of folder, first choice first.
QStringList topTrashesOf(const QString &top)
{
    QStringList trashes;
    const QString shared = joined(top, QStringLiteral(".Trash"));
    if (isSharedTrash(shared))
        trashes.append(joined(shared, uidText()));
    trashes.append(joined(top, QStringLiteral(".Trash-") + uidText()));
    return trashes;
}

Place placeFor(const QString &folder)
{
    const Volume volume = volumeOf(folder);
    if (!volume.known)
        return {};
    const QString home = homeTrash();
    // The user's own trash is never given up for lost: where it cannot take
    // a file, the move fails and the file stays, rather than a batch
    // deleting files for good on the user's own disk.
    if (!home.isEmpty() && volumeOf(nearestExisting(home)) == volume)
        return Place{home, QString()};
    const QString top = topOf(folder);
    for (const QString &trash : topTrashesOf(top)) {
        if (isOwnFolderOrMissing(trash) && canHold(trash))
            return {trash, top};
    }
    return {};
}

// The top directory a relative info path of this trash folder starts from;
// empty for the home trash.
QString topOfTrash(const QString &trashFolder)
{
    if (fileNameOf(trashFolder).startsWith(QLatin1String(".Trash-")))
        return parentOf(trashFolder);
    if (fileNameOf(parentOf(trashFolder)) == QLatin1String(".Trash"))
        return parentOf(parentOf(trashFolder));
    return QString();
}

// The folder of a path made absolute, with every link in it resolved, so that
// a top directory found by walking up is the one the file is really under.
// The file itself is left as named: it may be a link.
QString realFolderOf(const QString &absolutePath, QString *reason)
{
    char *resolved = ::realpath(native(parentOf(absolutePath)).constData(), nullptr);
    if (!resolved) {
        *reason = reasonOf(errno);
        return QString();
    }
    const QString folder = fromNative(QByteArray(resolved));
    std::free(resolved);
    return folder;
}

bool makeFolder(const QString &path, QString *reason)
{
    if (::mkdir(native(path).constData(), 0700) == 0 || errno == EEXIST)
        return true;
    *reason = Trash::tr("the trash folder %1 can't be made (%2)").arg(path, reasonOf(errno));
    return false;
}

// Makes the trash folder with its files/ and info/ where they are missing,
// each for the user alone, and checks that each is what it should be.
bool makeTrash(const Place &place, QString *reason)
{
    QStringList missing;
    for (QString at = place.folder; at.size() > 1 && !pathExists(at); at = parentOf(at))
        missing.prepend(at);
    for (const QString &folder : std::as_const(missing)) {
        if (!makeFolder(folder, reason))
            return false;
    }
    struct stat status;
    const bool trashIsFolder =
        place.top.isEmpty()
            ? ::stat(native(place.folder).constData(), &status) == 0 && S_ISDIR(status.st_mode)
            : isOwnFolderOrMissing(place.folder) && pathExists(place.folder);
    if (!trashIsFolder) {
        *reason = Trash::tr("%1 is not a trash folder of this user").arg(place.folder);
        return false;
    }
    for (const auto sub : {QLatin1String("files"), QLatin1String("info")}) {
        const QString path = joined(place.folder, sub);
        if (!makeFolder(path, reason))
            return false;
        if (!lstatOf(path, &status) || !S_ISDIR(status.st_mode)) {
            *reason = Trash::tr("%1 is not a trash folder of this user").arg(place.folder);
            return false;
        }
    }
    return true;
}

// The longest start of text, in whole characters, that takes at most maxBytes.
// Encoded lengths only grow with the start taken, so halving finds it.
QString fitted(const QString &text, qsizetype maxBytes)
{
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (native(text.left(middle)).size() <= maxBytes)
            low = middle;
        else
            high = middle - 1;
    }
    if (low > 0 && text.at(low - 1).isHighSurrogate())
        --low;
    return text.left(low);
}

// The name a file takes in files/ at a given attempt, within room bytes:
// "photo.jpg", then "photo.2.jpg", "photo.3.jpg"... A name too long keeps its
// suffix and as much of its start as fits, the number put in before the
// suffix again. Empty when nothing fits.
QString nameAt(const QString &name, int attempt, qsizetype room)
{
    if (attempt == 1 && native(name).size() <= room)
        return name;
    QString stem = name;
    QString tail;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && native(name.mid(dot)).size() <= qMin(maxKeptSuffix, room / 4)) {
        stem = name.left(dot);
        tail = name.mid(dot);
    }
    if (attempt > 1)
        tail.prepend(QLatin1Char('.') + QString::number(attempt));
    const qsizetype left = room - native(tail).size();
    if (left < 0)
        return QString();
    const QString result = fitted(stem, left) + tail;
    return result == QLatin1String(".") || result == QLatin1String("..") ? QString() : result;
}

qsizetype nameMaxOf(const QString &folder)
{
    const long max = ::pathconf(native(folder).constData(), _PC_NAME_MAX);
    return max > 0 && max < 255 ? qsizetype(max) : 255;
}

QByteArray infoText(const QString &recordedPath)
{
    return infoHeader + "\nPath=" + native(recordedPath).toPercentEncoding("/") + "\nDeletionDate="
           + QDateTime::currentDateTime().toString(dateFormat).toLatin1() + '\n';
}

bool writeAll(int fd, const QByteArray &data)
{
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t written = ::write(fd, data.constData() + done, size_t(data.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return ::fdatasync(fd) == 0;
}

QByteArray readSmallFile(const QString &path)
{
    QByteArray data;
    const int fd = ::open(native(path).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return data;
    char buffer[4096];
    while (data.size() <= maxInfoSize) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        data.append(buffer, got);
    }
    ::close(fd);
    return data;
}

struct Info
{
    QString originalPath; // absolute; empty when the info file has none
    QDateTime deleted;
};

// What the info file of a trashed file says, its path made absolute and
// refused when it would lead out of the volume it was trashed from.
Info infoOf(const QString &trashFolder, const QString &name)
{
    Info info;
    const QList<QByteArray> lines =
        readSmallFile(joined(joined(trashFolder, QStringLiteral("info")), name + infoSuffix))
            .split('\n');
    bool inGroup = false;
    QString path;
    for (const QByteArray &line : lines) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('['))
            inGroup = trimmed == infoHeader;
        else if (!inGroup)
            continue;
        else if (trimmed.startsWith("Path="))
            path = fromNative(QByteArray::fromPercentEncoding(trimmed.mid(5)));
        else if (trimmed.startsWith("DeletionDate="))
            info.deleted = QDateTime::fromString(QString::fromLatin1(trimmed.mid(13)), dateFormat);
    }
    if (path.isEmpty())
        return info;
    const QString top = topOfTrash(trashFolder);
    if (QDir::isAbsolutePath(path)) {
        info.originalPath = QDir::cleanPath(path);
    } else if (!top.isEmpty()) {
        const QString inside = joined(top, QString());
        const QString absolute = QDir::cleanPath(inside + path);
        if (absolute.startsWith(inside) && absolute.size() > inside.size())
            info.originalPath = absolute;
    }
    return info;
}

QStringList namesIn(const QString &folder)
{
    QStringList names;
    DIR *dir = ::opendir(native(folder).constData());
    if (!dir)
        return names;
    while (const struct dirent *entry = ::readdir(dir))
        names.append(fromNative(QByteArray(entry->d_name)));
    ::closedir(dir);
    return names;
}

} // namespace

QString Trash::folderFor(const QString &path)
{
    QString reason;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString folder = realFolderOf(absolute, &reason);
    return folder.isEmpty() ? QString() : placeFor(folder).folder;
}

bool Trash::moveIn(const QString &path, QString *trashedPath, QString *error)
{
    QString reason;
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QString name = fileNameOf(absolute);
    struct stat status;
    if (!lstatOf(absolute, &status))
        return fail(reasonOf(errno));
    if (S_ISDIR(status.st_mode) || name.isEmpty())
        return fail(tr("it is a folder, and folders are not moved to the trash"));
    const QString folder = realFolderOf(absolute, &reason);
    if (folder.isEmpty())
        return fail(reason);
    const QString original = joined(folder, name);
    const Place place = placeFor(folder);
    if (place.folder.isEmpty())
        return fail(tr("its volume has no trash that can take it"));
    if (!makeTrash(place, &reason))
        return fail(reason);

    const QString files = joined(place.folder, QStringLiteral("files"));
    const QString infos = joined(place.folder, QStringLiteral("info"));
    const QByteArray text = infoText(
        place.top.isEmpty() ? original : original.mid(joined(place.top, QString()).size()));
    const qsizetype room = nameMaxOf(files) - infoSuffix.size();
    // The info file is made first and exclusively: it reserves the name
    // against another program trashing at the same time.
    for (int attempt = 1; attempt <= maxAttempts; ++attempt) {
        const QString trashName = nameAt(name, attempt, room);
        if (trashName.isEmpty())
            break;
        const QString infoPath = joined(infos, trashName + infoSuffix);
        const int fd = ::open(native(infoPath).constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            return fail(tr("the trash's record of it can't be written (%1)").arg(reasonOf(errno)));
        const bool written = writeAll(fd, text);
        const int writeError = errno;
        if (::close(fd) != 0 || !written) {
            ::unlink(native(infoPath).constData());
            return fail(
                tr("the trash's record of it can't be written (%1)").arg(reasonOf(writeError)));
        }
        const QString target = joined(files, trashName);
        if (renameNoReplace(original, target, &reason)) {
            if (trashedPath)
                *trashedPath = target;
            return true;
        }
        ::unlink(native(infoPath).constData());
        // A file left in files/ without its info takes the name as well.
        if (!pathExists(target) || !pathExists(original))
            return fail(reason);
    }
    return fail(tr("the trash has no free name for it"));
}

QString Trash::originalPathOf(const QString &trashedPath)
{
    if (!isTrashedFile(trashedPath))
        return QString();
    return infoOf(parentOf(parentOf(trashedPath)), fileNameOf(trashedPath)).originalPath;
}

void Trash::forget(const QString &trashedPath)
{
    if (!isTrashedFile(trashedPath) || pathExists(trashedPath))
        return;
    const QString infoPath = joined(joined(parentOf(parentOf(trashedPath)), QStringLiteral("info")),
                                    fileNameOf(trashedPath) + infoSuffix);
    ::unlink(native(infoPath).constData());
}

QStringList Trash::findTrashed(const QString &originalPath, qint64 sinceMsecs)
{
    return findTrashed(QStringList{originalPath}, sinceMsecs).value(originalPath);
}

QHash<QString, QStringList> Trash::findTrashed(const QStringList &originalPaths, qint64 sinceMsecs,
                                               Qt::CaseSensitivity cs)
{
    const auto key = [cs](const QString &path) {
        return cs == Qt::CaseSensitive ? path : caseFoldedName(path);
    };
    // Each original as its info file would record it, and the trashes that
    // may hold it; the folders of many paths are looked up once each.
    QHash<QString, QStringList> givenAs;
    QHash<QString, QString> folderAs;
    QStringList trashes;
    if (!homeTrash().isEmpty())
        trashes.append(homeTrash());
    for (const QString &originalPath : originalPaths) {
        const QString absolute = QDir::cleanPath(QFileInfo(originalPath).absoluteFilePath());
        const QString parent = parentOf(absolute);
        auto known = folderAs.constFind(parent);
        if (known == folderAs.constEnd()) {
            QString reason;
            QString folder = realFolderOf(absolute, &reason);
            if (folder.isEmpty())
                folder = parent; // gone with its file: as it was written
            known = folderAs.insert(parent, folder);
            trashes.append(topTrashesOf(topOf(nearestExisting(folder))));
        }
        givenAs[key(joined(known.value(), fileNameOf(absolute)))].append(originalPath);
    }
    trashes.removeDuplicates();

    // Deletion dates are whole seconds.
    const qint64 since = sinceMsecs - (sinceMsecs % 1000 + 1000) % 1000;
    struct Found
    {
        qint64 deleted;
        qint64 changedNsecs; // the move into the trash, within one second
        QString path;
    };
    QHash<QString, QVector<Found>> found;
    for (const QString &trash : std::as_const(trashes)) {
        const QString files = joined(trash, QStringLiteral("files"));
        for (const QString &entry : namesIn(joined(trash, QStringLiteral("info")))) {
            if (!entry.endsWith(infoSuffix) || entry.size() == infoSuffix.size())
                continue;
            const QString name = entry.chopped(infoSuffix.size());
            const Info info = infoOf(trash, name);
            const QString trashed = joined(files, name);
            struct stat status;
            if (!givenAs.contains(key(info.originalPath)) || !info.deleted.isValid()
                || info.deleted.toMSecsSinceEpoch() < since || !lstatOf(trashed, &status))
                continue;
            found[key(info.originalPath)].append(
                {info.deleted.toMSecsSinceEpoch(),
                 qint64(status.st_ctim.tv_sec) * 1000000000 + status.st_ctim.tv_nsec, trashed});
        }
    }
    QHash<QString, QStringList> byPath;
    for (auto it = found.begin(); it != found.end(); ++it) {
        std::sort(it->begin(), it->end(), [](const Found &a, const Found &b) {
            return a.deleted != b.deleted ? a.deleted > b.deleted : a.changedNsecs > b.changedNsecs;
        });
        QStringList paths;
        for (const Found &one : std::as_const(*it))
            paths.append(one.path);
        for (const QString &given : givenAs.value(it.key()))
            byPath.insert(given, paths);
    }
    return byPath;
}

#else // Qt's trash, where the desktop keeps another kind

QString Trash::folderFor(const QString &path)
{
    Q_UNUSED(path);
    return QString();
}

bool Trash::moveIn(const QString &path, QString *trashedPath, QString *error)
{
    const QFileInfo info(path);
    QString why;
    if (info.isDir() && !info.isSymLink())
        why = tr("it is a folder, and folders are not moved to the trash");
    else if (!QFile::moveToTrash(path, trashedPath))
        why = tr("its volume has no trash that can take it");
    if (error)
        *error = why;
    return why.isEmpty();
}

QString Trash::originalPathOf(const QString &trashedPath)
{
    Q_UNUSED(trashedPath);
    return QString();
}

void Trash::forget(const QString &trashedPath)
{
    Q_UNUSED(trashedPath);
}

QStringList Trash::findTrashed(const QString &originalPath, qint64 sinceMsecs)
{
    Q_UNUSED(originalPath);
    Q_UNUSED(sinceMsecs);
    return QStringList();
}

QHash<QString, QStringList> Trash::findTrashed(const QStringList &originalPaths, qint64 sinceMsecs,
                                               Qt::CaseSensitivity cs)
{
    Q_UNUSED(originalPaths);
    Q_UNUSED(sinceMsecs);
    Q_UNUSED(cs);
    return {};
}

#endif

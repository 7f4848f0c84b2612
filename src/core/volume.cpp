#include "volume.h"

#include "filenames.h"

#include <QFile>
#include <QStorageInfo>

#ifdef Q_OS_UNIX
#include <dirent.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#endif
#ifdef TAVRELO_HAVE_BLKID
#include <blkid/blkid.h>
#endif

namespace {

bool isWindowsFamily(const QString &type)
{
    return type == QLatin1String("vfat") || type == QLatin1String("exfat")
           || type == QLatin1String("ntfs")
           // A FUSE driver of a block device whose file system could not be
           // told: nearly always NTFS or exFAT, a drive shared with Windows.
           || type == QLatin1String("fuseblk")
           // Shares are mostly served from NTFS.
           || type == QLatin1String("cifs") || type == QLatin1String("smb3");
}

// What udev found on a block device, readable without the rights to open it.
QString udevFileSystem(const struct stat &device)
{
    QFile record(QStringLiteral("/run/udev/data/b%1:%2")
                     .arg(major(device.st_rdev))
                     .arg(minor(device.st_rdev)));
    if (!record.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray key = "E:ID_FS_TYPE=";
    while (!record.atEnd()) {
        const QByteArray line = record.readLine().trimmed();
        if (line.startsWith(key))
            return QString::fromLatin1(line.mid(key.size()));
    }
    return QString();
}

QString probedFileSystem(const QByteArray &source)
{
#ifdef TAVRELO_HAVE_BLKID
    const blkid_probe probe = blkid_new_probe_from_filename(source.constData());
    if (!probe)
        return QString();
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_TYPE);
    const char *value = nullptr;
    QString type;
    if (blkid_do_safeprobe(probe) == 0
        && blkid_probe_lookup_value(probe, "TYPE", &value, nullptr) == 0)
        type = QString::fromLatin1(value);
    blkid_free_probe(probe);
    return type;
#else
    Q_UNUSED(source);
    return QString();
#endif
}

// "fuseblk" and a bare "fuse" say nothing of the file system behind them;
// their source (a device, or an image file) does.
QString fileSystemOfSource(const QByteArray &source)
{
#ifdef Q_OS_UNIX
    struct stat status;
    if (::stat(source.constData(), &status) != 0)
        return QString();
    if (S_ISBLK(status.st_mode)) {
        const QString known = udevFileSystem(status);
        if (!known.isEmpty())
            return known;
    } else if (!S_ISREG(status.st_mode)) {
        return QString();
    }
    return probedFileSystem(source);
#else
    Q_UNUSED(source);
    return QString();
#endif
}

// The file system's own name, whichever driver mounted it.
QString fileSystemOf(const QString &mountType, const QByteArray &source)
{
    if (mountType == QLatin1String("fuseblk") || mountType == QLatin1String("fuse")) {
        const QString found = fileSystemOfSource(source);
        return found.isEmpty() ? mountType : found;
    }
    if (mountType == QLatin1String("fuse.fusefat") || mountType == QLatin1String("msdos"))
        return QStringLiteral("vfat");
    if (mountType == QLatin1String("fuse.exfat") || mountType == QLatin1String("fuse.exfat-fuse"))
        return QStringLiteral("exfat");
    if (mountType == QLatin1String("fuse.ntfs-3g") || mountType == QLatin1String("fuse.ntfs")
        || mountType == QLatin1String("ntfs3"))
        return QStringLiteral("ntfs");
    return mountType;
}

// 0 where unknown. (QStorageInfo tells it only from Qt 6.6 on.)
int maximumNameLength(const QString &folderPath)
{
#ifdef Q_OS_UNIX
    struct statvfs status;
    if (::statvfs(QFile::encodeName(folderPath).constData(), &status) == 0)
        return int(qMin<unsigned long>(status.f_namemax, 4096));
#else
    Q_UNUSED(folderPath);
#endif
    return 0;
}

bool isEscapedByte(QChar c)
{
    return c.unicode() >= 0xdc80 && c.unicode() <= 0xdcff;
}

QString swappedCase(const QString &name)
{
    QString swapped = name;
    for (QChar &c : swapped) {
        if (c.isLower())
            c = c.toUpper();
        else if (c.isUpper())
            c = c.toLower();
    }
    return swapped;
}

#ifdef Q_OS_UNIX
bool folderLists(const QString &folder, const QByteArray &name)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    bool found = false;
    while (const struct dirent *entry = ::readdir(dir)) {
        if (name == entry->d_name) {
            found = true;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// The first name of the folder that has letters tells; an empty folder, or
// one of names without letters, leaves the question open.
bool folderIgnoresCase(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return false;
    QString probe;
    while (const struct dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (swappedCase(name) != name) {
            probe = name;
            break;
        }
    }
    ::closedir(dir);
    return !probe.isEmpty() && Volume::probeCaseInsensitive(folder, probe);
}
#endif

qsizetype lengthOf(const QString &name, Volume::LengthUnit unit)
{
    if (unit == Volume::LengthUnit::Utf16Units)
        return name.size();
    // The bytes the name takes on disk: its UTF-8, an escaped byte being one.
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t u = name.at(i).unicode();
        if (u < 0x80 || isEscapedByte(name.at(i))) {
            bytes += 1;
        } else if (u < 0x800) {
            bytes += 2;
        } else if (name.at(i).isHighSurrogate() && i + 1 < name.size()
                   && name.at(i + 1).isLowSurrogate()) {
            bytes += 4;
            ++i;
        } else {
            bytes += 3;
        }
    }
    return bytes;
}

bool isReservedOnWindows(const QString &name)
{
    static const QStringList devices = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                        QStringLiteral("AUX"), QStringLiteral("NUL")};
    const QString base = splitFileName(name).baseName.toUpper();
    if (devices.contains(base))
        return true;
    return base.size() == 4
           && (base.startsWith(QLatin1String("COM")) || base.startsWith(QLatin1String("LPT")))
           && base.at(3) >= QLatin1Char('1') && base.at(3) <= QLatin1Char('9');
}

bool refuses(const Volume &volume, char32_t c)
{
    if (volume.asciiOnly && (c < 0x20 || c > 0x7e))
        return true;
    return volume.windowsNames
           && (c < 0x20 || (c < 0x80 && QStringView(u"\"*:<>?\\|").contains(QChar(char16_t(c)))));
}

} // namespace

Volume Volume::of(const QString &folderPath)
{
    Volume volume;
    const QStorageInfo storage(folderPath);
    if (!storage.isValid())
        return volume;
    const QString mountType = QString::fromLatin1(storage.fileSystemType());
    volume.type = fileSystemOf(mountType, storage.device());
    const int reported = maximumNameLength(folderPath);
    if (isWindowsFamily(volume.type)) {
        volume.windowsNames = true;
        volume.lengthUnit = LengthUnit::Utf16Units;
        // 255 UTF-16 units is the format's limit; some drivers report bytes
        // of their character set instead (the kernel's exfat says 1530).
        volume.maxNameLength = reported > 0 ? qMin(reported, 255) : 255;
        // NTFS itself keeps case apart; its drivers on Linux do too.
        volume.caseInsensitive = volume.type != QLatin1String("ntfs");
    } else if (reported > 0) {
        volume.maxNameLength = reported;
    }
    volume.asciiOnly = mountType == QLatin1String("fuse.fusefat");
    // FAT and exFAT keep no inode numbers, so every driver makes them up as
    // it meets files, and so do most FUSE drivers; NTFS has real ones.
    volume.stableFileIds =
        volume.type != QLatin1String("vfat") && volume.type != QLatin1String("exfat")
        && (volume.type == QLatin1String("ntfs") || !mountType.startsWith(QLatin1String("fuse")));
#ifdef Q_OS_UNIX
    // ext4's casefold folders and shares ignore case where their type does not tell.
    if (!volume.caseInsensitive)
        volume.caseInsensitive = folderIgnoresCase(folderPath);
#endif
    return volume;
}

bool Volume::probeCaseInsensitive(const QString &folder, const QString &existingName)
{
#ifdef Q_OS_UNIX
    const QString swapped = swappedCase(existingName);
    if (swapped == existingName)
        return false;
    const QByteArray prefix = QFile::encodeName(folder) + '/';
    const QByteArray swappedName = QFile::encodeName(swapped);
    struct stat original;
    struct stat other;
    if (::lstat((prefix + QFile::encodeName(existingName)).constData(), &original) != 0
        || ::lstat((prefix + swappedName).constData(), &other) != 0)
        return false;
    if (original.st_dev == other.st_dev && original.st_ino == other.st_ino)
        return true;
    // exfat-fuse and fusefat give one file a new number under each spelling:
    // a swapped name found but not listed is the same file, its case ignored.
    return !folderLists(folder, swappedName);
#else
    Q_UNUSED(folder);
    Q_UNUSED(existingName);
    return false;
#endif
}

namespace {

// Whether name holds unit on its own, not as half of a surrogate pair.
bool holdsLoneUnit(const QString &name, QChar unit)
{
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate())
            ++i;
        else if (c == unit)
            return true;
    }
    return false;
}

} // namespace

NameCheck checkNewName(const QString &oldName, const QString &newName, const Volume &volume)
{
    if (!isPlainFileName(newName))
        return {NameProblem::NotAName};
    for (qsizetype i = 0; i < newName.size(); ++i) {
        const QChar c = newName.at(i);
        if (c.isHighSurrogate() && i + 1 < newName.size() && newName.at(i + 1).isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate() && !(isEscapedByte(c) && holdsLoneUnit(oldName, c)))
            return {NameProblem::CutCharacter, c.unicode()};
    }
    if (newName.startsWith(QLatin1Char('.')) && !oldName.startsWith(QLatin1Char('.')))
        return {NameProblem::EmptyBaseName};
    for (qsizetype i = 0; i < newName.size(); ++i) {
        char32_t c = newName.at(i).unicode();
        // Kept bytes that are not UTF-8 got onto this volume with the old name.
        if (isEscapedByte(newName.at(i)))
            continue;
        if (newName.at(i).isHighSurrogate()) {
            c = QChar::surrogateToUcs4(newName.at(i), newName.at(i + 1));
            ++i;
        }
        if (refuses(volume, c))
            return {NameProblem::RefusedCharacter, c};
    }
    if (volume.windowsNames) {
        if (newName.endsWith(QLatin1Char(' ')) || newName.endsWith(QLatin1Char('.')))
            return {NameProblem::RefusedEnding};
        if (isReservedOnWindows(newName))
            return {NameProblem::ReservedName};
    }
    if (lengthOf(newName, volume.lengthUnit) > volume.maxNameLength)
        return {NameProblem::TooLong};
    return {};
}

QString describe(const NameCheck &check)
{
    switch (check.problem) {
    case NameProblem::None:
        break;
    case NameProblem::NotAName:
        return Volume::tr("stays: its new name would not be a valid file name");
    case NameProblem::EmptyBaseName:
        return Volume::tr("stays: its new name would start with a dot and hide it");
    case NameProblem::CutCharacter:
        return Volume::tr("stays: its new name would cut a character in two");
    case NameProblem::TooLong:
        return Volume::tr("stays: its new name is too long for this volume");
    case NameProblem::RefusedCharacter:
        if (check.character < 0x20 || check.character == 0x7f)
            return Volume::tr("stays: the volume does not allow control characters in names");
        return Volume::tr("stays: the volume does not allow '%1' in names")
            .arg(QString::fromUcs4(&check.character, 1));
    case NameProblem::RefusedEnding:
        return Volume::tr("stays: the volume does not allow names ending in a space or a dot");
    case NameProblem::ReservedName:
        return Volume::tr("stays: Windows keeps its new name for a device");
    }
    return QString();
}

#ifndef VOLUME_H
#define VOLUME_H

#include <QCoreApplication>
#include <QString>

// What the volume of a folder allows in file names and tells of its files, so
// that a plan never gives a name the volume cannot hold. Found from the mount
// table (QStorageInfo), for a FUSE mount from its subtype or the file system
// on its device, and from a look at the folder's names for letter case.
// A plain value. of() and probeCaseInsensitive() read the file system, never
// change it, and are safe on any thread; of() reads the mount table every time
// (and may read a FUSE mount's device), so take it once per folder of a batch.
struct Volume
{
    enum class LengthUnit { Bytes, Utf16Units };

    QString type; // "ext4", "xfs", "btrfs", "vfat", "exfat", "ntfs", "tmpfs", "fuse.sshfs", ...
    // Refuses " * : < > ? \ |, control characters, names that end in a space or
    // a dot, and the device names Windows reserves (CON, NUL.txt, ...).
    bool windowsNames = false;
    // Refuses every character past '~' (fusefat writes no Unicode names).
    bool asciiOnly = false;
    bool caseInsensitive = false;
    int maxNameLength = 255;
    LengthUnit lengthUnit = LengthUnit::Bytes;
    // An inode number names one file as long as it lives, through renames and
    // remounts; false where the driver numbers files as it meets them.
    bool stableFileIds = true;

    // Defaults (POSIX names of 255 bytes) when the folder cannot be reached.
    static Volume of(const QString &folderPath);
    // Whether existingName, its letter case swapped, leads to the same file of
    // the folder. False for a name without letters. Creates nothing.
    static bool probeCaseInsensitive(const QString &folder, const QString &existingName);

    Q_DECLARE_TR_FUNCTIONS(Volume)
};

// Why a name cannot be given to a file in a folder of a volume.
enum class NameProblem {
    None,
    NotAName,      // "", ".", "..", or a '/' or NUL in it
    EmptyBaseName, // "a.jpg" -> ".jpg": the new name would hide the file
    CutCharacter,  // a lone surrogate: half of a character
    TooLong,
    RefusedCharacter,
    RefusedEnding, // a trailing space or dot where the volume refuses one
    ReservedName   // CON, PRN, AUX, NUL, COM1-9, LPT1-9, with or without a suffix
};

struct NameCheck
{
    NameProblem problem = NameProblem::None;
    char32_t character = 0; // the refused one
};

// Names may hold bytes that are not UTF-8, each as a lone surrogate
// U+DC80..U+DCFF that stands for one byte: kept from the old name, such a
// surrogate is no cut character, and it counts one byte.
NameCheck checkNewName(const QString &oldName, const QString &newName, const Volume &volume);

// One translated sentence ("stays: ..."), the same for the preview, the dry
// run and the run; empty for NameProblem::None.
QString describe(const NameCheck &check);

#endif // VOLUME_H

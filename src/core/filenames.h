#ifndef FILENAMES_H
#define FILENAMES_H

#include <QString>
#include <QStringView>

// How Tavrelo reads and writes file names and paths, in one place: the parts
// of a name, the name of a path, the folder prefix shown in the input list,
// and which names may be given to a file. Plain functions, safe on any thread;
// no file-system access except folderPrefixOf, which makes a path absolute.

// The base name (up to the first dot) and the suffix (after the last dot) of a
// file name, and what lies between them, so that a new name can be composed
// without losing any part of the old one.
struct NameParts
{
    QString baseName;
    QString middle; // ".tar" of "archive.tar.gz": everything between them, dots included
    QString suffix;
    bool hasDot = false;

    QString compose(const QString &newBase, const QString &newSuffix) const;
};

NameParts splitFileName(const QString &fileName);

// A name as its folder holds it, whatever its bytes: valid UTF-8 reads as
// text, and each byte that is not part of valid UTF-8 stands as the lone
// surrogate U+DC80 + (byte - 0x80), so that the file keeps its exact bytes
// through every rename and undo. nameToBytes gives them back.
QString nameFromBytes(const char *bytes, qsizetype size);
inline QString nameFromBytes(const QByteArray &bytes)
{
    return nameFromBytes(bytes.constData(), bytes.size());
}
QByteArray nameToBytes(const QString &name);
// Whether every character of text is ASCII (then its UTF-8 is its Latin-1).
bool isAsciiText(QStringView text);
// Whether a name holds bytes that are not UTF-8 text (see nameFromBytes).
bool holdsRawBytes(const QString &name);
// The name as a volume that ignores letter case compares it; stray bytes
// stay themselves.
QString caseFoldedName(const QString &name);

// The text after the last dot of a name; empty without a dot.
QStringView suffixOf(const QString &fileName);

// The last element of a path: what follows its last separator.
QString fileNameOf(const QString &path);

// The absolute path of a folder followed by the native separator: the form in
// which a folder stands in the input list.
QString folderPrefixOf(const QString &folderPath);

// False for a name that would take a file out of its folder or that the file
// system cannot hold: empty, ".", "..", a separator, a NUL (and on Windows the
// characters it reserves).
bool isPlainFileName(const QString &name);

// Stricter, for a name that comes from the network: a plain file name on every
// platform (no separator of either kind, no drive or stream colon, no control
// character, not absolute).
bool isSafeDownloadName(const QString &name);

#endif // FILENAMES_H

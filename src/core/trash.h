#ifndef TRASH_H
#define TRASH_H

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>

// The desktop's trash, after the freedesktop.org Trash layout: the home trash
// (Trash in the user's data folder) for files on the volume of that folder,
// ".Trash/<uid>" or ".Trash-<uid>" at the top of any other volume. Elsewhere
// than on a freedesktop system, moving in is left to Qt and the rest answers
// "none". Plain functions of the file system, safe on any thread; none of them
// ever follows a symbolic link at the file itself, waits, or loops without end.
class Trash
{
    Q_DECLARE_TR_FUNCTIONS(Trash)

public:
    // The trash folder (the one holding files/ and info/) that would take the
    // file at path; empty when its volume has none that can be used. Creates
    // nothing.
    static QString folderFor(const QString &path);

    // Moves the file at path (a link itself, never what it points to; a folder
    // is refused) into the trash, under its own name where the trash can hold
    // it, otherwise under a shortened unique name that keeps its suffix; the
    // info file records the original path and the deletion date. On success
    // gives where it went; on failure gives a short translated reason and
    // leaves the file where it was.
    static bool moveIn(const QString &path, QString *trashedPath = nullptr,
                       QString *error = nullptr);

    // Whether path, absolute and clean, names an entry of files/ in a trash
    // folder laid out as one: "Trash", ".Trash-<uid>" or ".Trash/<uid>" of
    // this user. Reads the path alone, not the file system.
    static bool isTrashedFile(const QString &path);

    // The absolute original path recorded for a trashed file; empty when there
    // is none.
    static QString originalPathOf(const QString &trashedPath);

    // Removes the info file of a trashed file that has been moved back out;
    // leaves it while the file is still in the trash.
    static void forget(const QString &trashedPath);

    // The trashed files, still in the trash, whose info records originalPath,
    // deleted in the second of sinceMsecs (msecs since the epoch) or later,
    // newest first. An info file keeps whole seconds only; within one second
    // the file moved in last comes first.
    static QStringList findTrashed(const QString &originalPath, qint64 sinceMsecs);
    // The same for many paths at once, each trash read once: by path as
    // given, only those that have trashed files. Where the volume ignores
    // case, a file trashed under another spelling of the path is one of them.
    static QHash<QString, QStringList> findTrashed(const QStringList &originalPaths,
                                                   qint64 sinceMsecs,
                                                   Qt::CaseSensitivity cs = Qt::CaseSensitive);
};

#endif // TRASH_H

#ifndef REPLACEPLAN_H
#define REPLACEPLAN_H

#include <QRegExp>
#include <QString>

// What replacing a text in a file name decides, one file at a time: the new
// name, and how the file gets it without any file being lost. Plain functions,
// safe on any thread (a ReplaceRule is used by one thread at a time). They
// never overwrite, and never set aside or delete, a directory.

// The text to find and what to put instead, with its mode: in the base name
// (up to the first dot), in the suffix (after the last dot), or a QRegExp that
// must match the whole base name. Build it once per run: the pattern is
// compiled here.
struct ReplaceRule
{
    enum Mode { BaseName, Suffix, RegExp };

    Mode mode = BaseName;
    QString replaceIn;
    QString replaceOut;
    QRegExp pattern;

    static ReplaceRule make(const QString &replaceIn, const QString &replaceOut, bool regExp,
                            bool suffix);
};

// The new name of a file called fileName (a name, not a path). Every part of
// the name that the rule does not touch is kept. Returns fileName itself when
// nothing changes: no occurrence, no whole match, an invalid pattern, an empty
// text to find.
QString replacedFileName(const QString &fileName, const ReplaceRule &rule);

// The last element of a path: what follows its last separator.
QString fileNameOf(const QString &path);

// The warning for a file whose new name is taken (priority 1).
QString takenNameMessage(const QString &fileName, const QString &newName);

// What became of one file. priority is -1 when there is nothing to tell,
// otherwise the priority of message (1 warning, 2 critical).
struct FileRenameResult
{
    bool renamed = false;
    int priority = -1;
    QString message;
};

// Renames the file at path (its name is fileName) to newName in the same
// folder. An existing file of that name is replaced only when replaceExisting
// is set, through replaceExistingFile; a directory there never is. A case-only
// change of the name of the same file is done directly.
FileRenameResult renameInPlace(const QString &path, const QString &fileName, const QString &newName,
                               bool replaceExisting);

// Moves source to target, where a file already exists: the existing file is
// first set aside under a free name, deleted only once source is in place, and
// put back if the move fails. The caller has made sure target is not a
// directory.
FileRenameResult replaceExistingFile(const QString &source, const QString &target);

// target + ".bak", or target + ".bak2", ".bak3"... when that is taken.
QString freeSetAsideName(const QString &target);

#endif // REPLACEPLAN_H

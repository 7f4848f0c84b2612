#ifndef UPDATERECORD_H
#define UPDATERECORD_H

#include "filenames.h"

#include <QByteArray>
#include <QString>

// The decisions of the update check that need no window: reading the update
// information file, comparing versions, and the texts the dialog shows.
// Plain values and functions, safe on any thread; no file or network access.
struct UpdateRecord
{
    // Reads the information file's bytes; only the last line counts. Fields
    // are split at ";" with empty ones kept; fields after the fourth are
    // ignored. A record with fewer than four fields is incomplete.
    static UpdateRecord fromInformationFile(const QByteArray &bytes);

    bool isComplete() const { return complete; }
    // True when the record is complete and names a newer version than the
    // running one ("1.1.2"): as version numbers where both read as dotted
    // numbers (1.10.0 is newer than 1.1.2), else by the version key against
    // the running version with its dots removed.
    bool isNewerThan(const QString &currentVersion) const;

    QString versionKey;
    QString versionShown;
    QString fileName;
    QString whatsNew;
    bool complete = false;
};

// The running version as it is compared: "1.1.2" gives "112".
QString versionKeyOf(const QString &applicationVersion);

// QString's own ordering, no numeric reading: "12" is newer than "112",
// "1100" is not; an equal or empty key is never newer.
bool isNewerVersion(const QString &versionKey, const QString &currentKey);

// The lines of the "what's new" field, split at "_", each ended by a line feed.
QString whatsNewText(const QString &field);

// "512 ko downloaded on 2048 ko (~2 Mo) - 25.0% done"; the two translated
// pieces come from the caller. total must be positive or zero.
QString progressText(qint64 received, qint64 total, const QString &downloadedOn,
                     const QString &percentDone);

#endif // UPDATERECORD_H

#ifndef JOURNAL_H
#define JOURNAL_H

#include "batchexecutor.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class QLockFile;

// The record of every batch, kept as readable JSON files in a folder of the
// user's data (one file per batch, its end in a second file), so that a batch
// can be undone after a restart and a batch cut off by a crash can be brought
// to a known state. The plan is on disk, flushed, before the first file of a
// batch moves; the end is recorded after the last. Keeps the newest 50
// batches. A file it cannot read is reported and skipped, never trusted to
// move anything beyond the folders and names it lists and the files that
// still bear the identity it recorded. Used by one thread at a time; two
// Journal objects on one folder (the window and the command line) see each
// other's batches.
class Journal
{
    Q_DECLARE_TR_FUNCTIONS(Journal)

public:
    enum class Kind { Rename, Replace, Undo };

    // What one batch was, for a history and an undo question.
    struct Batch
    {
        QString id;
        Kind kind = Kind::Rename;
        QDateTime started;
        QDateTime finished;    // invalid for a batch cut off
        qsizetype planned = 0; // files whose name the batch meant to change
        qsizetype renamed = 0;
        bool cancelled = false;
        bool undone = false;
        QString undoes; // for an undo: the batch it took back
    };

    // A file a recovery or an undo did not touch, and why; the path is kept
    // apart from the reason, since a name may hold ": " itself.
    struct LeftAlone
    {
        QString path; // native separators
        QString reason;
        QString line() const { return path + QStringLiteral(": ") + reason; }
    };
    static QStringList lines(const QVector<LeftAlone> &leftAlone);

    // "rename", "replace", "undo": as the journal and the command line name them.
    static QString kindName(Kind kind);

    // AppLocalDataLocation/journal.
    static QString defaultDirectory();

    explicit Journal(const QString &directory = defaultDirectory());

    const QString &directory() const { return m_directory; }

    // Every readable batch, newest first. Unreadable files are listed in
    // problems(), one line each.
    QVector<Batch> history() const;
    // The newest renaming or replacing batch not undone yet; an empty id when
    // there is none.
    Batch newestUndoable() const;
    QStringList problems() const { return m_problems; }

    // Write-ahead: records the prepared batch before any file moves. Returns
    // its id, or an empty string with the reason in error (then the batch must
    // not run).
    QString begin(Kind kind, const BatchExecutor &prepared, const QString &undoes, QString *error);
    // Whether the running batch wants each move recorded (noteStep): on a
    // volume whose files have no lasting numbers, only that record tells
    // after a crash where each file is.
    bool recordsSteps() const { return m_stepsFd >= 0; }
    void noteStep(int index, BatchExecutor::Options::Step step);
    // Records how the batch ended.
    bool finish(const QString &id, const BatchExecutor &prepared, const BatchOutcome &outcome,
                QString *error);

    // What recovery after a crash found and did, in one text for the user;
    // empty when every batch had ended.
    struct Recovery
    {
        QStringList batches;   // ids of the batches brought to a known state
        qsizetype putBack = 0; // parked or set-aside files given a name of theirs
        QStringList leftAlone; // files that could not be put back, with the reason
        QString message() const;
    };
    Recovery recoverUnfinished();

    // The renames that take a batch back: every file that still bears the
    // identity the batch gave it goes back to its old name; the others are
    // listed as left alone. Files a replace displaced come back from the
    // trash. Reads the file system, changes nothing.
    struct UndoPlan
    {
        Batch batch;
        QVector<PlannedRename> renames;
        struct Restore
        {
            QString from; // where the displaced file is now (the trash)
            QString to;   // the name it had
        };
        QVector<Restore> restores;
        QVector<LeftAlone> leftAlone; // one per file that changed since
        QString error;         // the batch could not be read
    };
    UndoPlan planUndo(const QString &id) const;

    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

private:
    void prune() const;
    bool closeSteps();

    QString m_directory;
    mutable QStringList m_problems;
    std::unique_ptr<QLockFile> m_running;
    int m_stepsFd = -1;
    QHash<int, int> m_entryOf; // plan index -> entry of the running batch
    Batch m_runningBatch;
};

#endif // JOURNAL_H

#ifndef JOURNAL_H
#define JOURNAL_H

#include "journalrecord.h"
#include "preparedbatch.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <map>
#include <memory>

class QLockFile;
struct BatchOutcome;

// The store of every batch's record, kept as readable JSON files in a folder
// of the user's data (one file per batch, its end in a second file; see
// JournalRecord), so that a batch can be undone after a restart and a batch
// cut off by a crash can be brought to a known state. The plan is on disk,
// flushed and checked, before the first file of a batch moves; the end is
// recorded after the last. A batch that runs holds a lock file, so that no
// other process takes it for one cut off. Keeps the newest 50 batches. A file
// it cannot read is reported and skipped. Moves no file of the user: undo and
// recovery are planned by UndoPlan and RecoveryPlan, and carried out by the
// executor. Used by one thread at a time; two Journal objects on one folder
// (the window and the command line) see each other's batches.
class Journal
{
    Q_DECLARE_TR_FUNCTIONS(Journal)

public:
    using Kind = JournalRecord::Kind;
    using Batch = JournalRecord::Batch;

    // A file a recovery or an undo did not touch, and why; the path is kept
    // apart from the reason, since a name may hold ": " itself.
    struct LeftAlone
    {
        QString path; // native separators
        QString reason;
        QString line() const { return path + QStringLiteral(": ") + reason; }
    };
    static QStringList lines(const QVector<LeftAlone> &leftAlone);

    static QString kindName(Kind kind) { return JournalRecord::kindName(kind); }

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

    // A batch read back whole.
    struct Stored
    {
        JournalRecord::Plan plan;
        bool ended = false;
        JournalRecord::End end;
        // Where the batch recorded its moves: the last step of each entry.
        QHash<int, char> lastSteps;
        // Entries and disposals that cannot be trusted to name a file; the
        // rest of the batch stays usable.
        QVector<LeftAlone> unusable;

        // What a history shows of it.
        Batch batch() const;
    };
    bool read(const QString &id, Stored *stored, QString *error) const;
    // The line that reports a batch file skipped.
    static QString skipped(const QString &id, const QString &error);

    // The batch to undo before the batch id can be undone: a later batch, not
    // undone, that moved a file from or onto a name the batch gave, or onto a
    // name it took away (an undo would then take another file back, or find
    // the old name taken). When that one waits for a later batch in turn, the
    // last of the chain, so that the answer can be undone at once. An empty
    // id when nothing stands in the way, or the batch cannot be read. Reads
    // the whole record of each later batch that shares a folder with it.
    Batch undoBlocker(const QString &id) const;
    Batch undoBlocker(const Stored &stored) const;

    // Write-ahead: records the prepared batch before any file moves; about is
    // the batch an undo takes back or a recovery puts in order. Returns its
    // id, or an empty string with the reason in error (then the batch must
    // not run).
    // rules: the stack the batch runs, as compact JSON.
    QString begin(Kind kind, const PreparedBatch &prepared, const QString &about, QString *error,
                  const QByteArray &rules = QByteArray());
    // Whether the running batch wants each move recorded (noteStep): on a
    // volume whose files have no lasting numbers, only that record tells
    // after a crash where each file is.
    bool recordsSteps() const { return m_stepsFd >= 0; }
    void noteStep(int index, PreparedBatch::Step step);
    // Records how the batch ended.
    bool finish(const QString &id, const PreparedBatch &prepared, const BatchOutcome &outcome,
                QString *error);

    // The batches cut off before their end (a plan and no end), newest first.
    QStringList unfinished() const;
    // Locks each batch cut off that no other process runs or puts in order
    // and gives their ids, newest first; each stays locked until it is ended
    // or released.
    QStringList claimUnfinished();
    // Records the end of a claimed batch, as recovery found and left it.
    bool endInterrupted(const Batch &batch, const JournalRecord::End &end, QString *error);
    void release(const QString &id);

    // What recovery after a crash found and did, in one text for the user;
    // empty when every batch had ended.
    struct Recovery
    {
        QStringList batches;   // ids of the batches brought to a known state
        qsizetype putBack = 0; // parked or set-aside files given a name of theirs
        QStringList leftAlone; // files that could not be put back, with the reason
        QString message() const;
    };

    ~Journal();
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

private:
    QString pathOf(const QString &id, QLatin1String suffix) const;
    void prune() const;
    bool closeSteps();

    QString m_directory;
    mutable QStringList m_problems;
    std::unique_ptr<QLockFile> m_running;
    std::map<QString, std::unique_ptr<QLockFile>> m_claimed;
    int m_stepsFd = -1;
    QVector<int> m_entryOf; // plan index -> entry of the running batch, -1 for none
    Batch m_runningBatch;
};

#endif // JOURNAL_H

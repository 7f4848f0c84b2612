#ifndef JOURNALRECORD_H
#define JOURNALRECORD_H

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// The journal's files as bytes: a batch's plan, written before its first file
// moves, and its end, written after its last. Readable JSON: a plan row per
// file ([folder, old, new, fileId, temporary, setAside], a fingerprint where
// the volume has no lasting file numbers, and where the file comes from
// another folder or is deleted, a last column saying so). Names whose bytes
// are not UTF-8 hold lone surrogates (U+DC80..U+DCFF), written as JSON
// escapes, so that they read back as they were. Reading trusts nothing: a file
// that does not read as this program's own record is refused whole, and a row
// that names no file safely is kept but marked unusable, each one reported.
// Pure functions of their input; safe on any thread.
class JournalRecord
{
    Q_DECLARE_TR_FUNCTIONS(JournalRecord)

public:
    enum class Kind { Rename, Replace, Undo, Recover, Rules };
    // "rename", "replace", "undo", "recover", "rules": as the journal and the
    // command line name them.
    static QString kindName(Kind kind);
    static bool kindNamed(const QString &name, Kind *kind);

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
        QString undoes;   // for an undo: the batch it took back
        QString recovers; // for a recovery: the batch cut off that it put in order
        // The rule stack a renaming ran, as compact JSON; empty for the others.
        QByteArray rules;
        // The folders of its files, sorted (clean, absolute, with a trailing
        // "/"); an end record keeps the first foldersKept of them, and how
        // many there were. folderCount is -1 where the record does not tell.
        QStringList folders;
        qsizetype folderCount = -1;
        bool knowsEveryFolder() const { return folderCount >= 0 && folderCount == folders.size(); }
        // Whether the batch renames files on a user's request (not an undo or
        // a recovery): such a batch can be undone.
        bool renames() const
        {
            return kind == Kind::Rename || kind == Kind::Replace || kind == Kind::Rules;
        }
        bool canBeUndone() const
        {
            return renames() && !undone && finished.isValid() && renamed > 0;
        }
    };
    static constexpr int foldersKept = 100;

    // One file of a batch.
    struct Entry
    {
        bool usable = true; // false: the record holds it, but it names no file safely
        QString folder;     // clean, absolute, with a trailing "/"
        QString oldName;
        QString newName; // empty for a file deleted
        quint64 fileId = 0;
        QString temporary;
        QString setAside;
        // Where the volume numbers files as it meets them: size and time instead.
        QString fingerprint;
        // The file comes back from this folder, where it bears oldName.
        QString fromFolder;
        bool deletes = false; // the file at oldName is deleted for good

        QString oldPath() const { return (fromFolder.isEmpty() ? folder : fromFolder) + oldName; }
        QString newPath() const { return folder + newName; }
        bool knowsIdentity() const { return fileId != 0 || !fingerprint.isEmpty(); }
    };

    struct Plan
    {
        Batch batch; // its id, kind, start, and the batch it undoes or recovers
        bool replaceExisting = false;
        QVector<Entry> entries;
    };

    // How a batch ended, by entry: only the files that did not end under
    // their new name, and the files that others displaced.
    struct End
    {
        QDateTime finished;
        bool cancelled = false;
        qsizetype renamed = 0;
        QMap<int, QString> elsewhere; // entry -> the name it bears
        QMap<int, QString> disposed;  // entry -> where the file it displaced went ("" deleted)
        QStringList failures;         // one line each
    };

    // Writes a plan row by row, so that a batch of many files is not copied
    // once more on its way to the disk: whole (bytes()), or in pieces that
    // can go to the disk as they come, so that a batch of a million files is
    // never held as text. The folders come before the rows, so that a
    // history can read them alone: in pieces, every folder is declared
    // before the first piece is taken.
    class PlanWriter
    {
    public:
        PlanWriter(const Batch &batch, bool replaceExisting, qsizetype entryCount = 0);
        // The folders of a row, as add() will meet them; only before the
        // first takeBytes().
        void declare(const QString &folder, const QString &fromFolder, bool deletes);
        // Entry.usable is not written: whoever reads the row decides.
        void add(const Entry &entry);
        QByteArray bytes() const;
        // The text ready so far: the head with the folders, at the first
        // call, and the rows added since the last.
        QByteArray takeBytes();
        // The rows left and the end of the document.
        QByteArray takeRest();
        qsizetype pendingSize() const { return m_rows.size(); }

    private:
        int folderIndex(const QString &folder);
        QByteArray headWithFolders() const;

        QByteArray m_head;
        QByteArray m_rows;
        QStringList m_folders;
        QHash<QString, int> m_folderIndex;
        QString m_lastFolder;
        int m_lastIndex = -1;
        qsizetype m_rowCount = 0;
        bool m_elsewhere = false; // some row has the last column
        bool m_headTaken = false;
    };

    static QByteArray writePlan(const Plan &plan);
    // False with the reason in error when the bytes are not a plan of the
    // batch id; the paths (native separators) of the unusable entries go to
    // unusable.
    static bool readPlan(const QByteArray &bytes, const QString &id, Plan *plan,
                         QStringList *unusable, QString *error);

    // The end repeats what a history shows of the batch, so that a history
    // reads these small files only.
    static QByteArray writeEnd(const Batch &batch, const End &end);
    // Entries and disposals that name nothing safely are left out, their
    // paths or names in unusable.
    static bool readEnd(const QByteArray &bytes, const Plan &plan, End *end, QStringList *unusable,
                        QString *error);
    // What a history shows of the batch id, from its end alone; false when
    // the bytes do not tell it.
    static bool readSummary(const QByteArray &bytes, const QString &id, Batch *batch);
    // The folders of a plan from its first bytes alone, for an end written
    // before ends kept them; false while head does not hold them all.
    static bool readPlanFolders(const QByteArray &head, QStringList *folders);
};

#endif // JOURNALRECORD_H

#ifndef BATCHPLAN_H
#define BATCHPLAN_H

#include "grouping.h"
#include "volume.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>

// One file of a batch, renamed inside its own folder (or left as it is).
struct PlannedRename
{
    // Why a file keeps its name, or what its new name will cost; shown
    // before a run, never acted upon.
    enum class Note : quint8 {
        None,
        SuffixNotSelected,
        NoMatch,
        MissingField, // stays: a rule needs a fact the file lacks (missingField)
        // Foreseen by BatchPlan::foreseeConflicts:
        InvalidName,  // stays: its new name cannot be a file name there
        NameShared,   // stays: an earlier file of the request gets the same new name
        NameKept,     // stays: a file of the request that keeps its name holds the new one
        NameTaken,    // stays: a file outside the request holds its new name
        ReplacesFile, // the file outside the request at its new name goes to the trash
        DeletesFile   // the same on a volume without a trash: that file is deleted for good
    };
    // Why it stays, in one translated sentence, for a note that the volume or
    // the batch imposes; empty for the others, which each front end words.
    static QString refusalText(const PlannedRename &row);
    // Whether the file keeps its name, for whatever reason.
    static bool staysWith(Note note)
    {
        return note != Note::None && note != Note::ReplacesFile && note != Note::DeletesFile;
    }

    // The folder's canonical path with a trailing "/": the same folder always
    // has the same text here, however it was reached.
    QString folder;
    QString oldName;
    QString newName;
    Note note = Note::None;
    // The new name is one the file bore before (an undo): the volume held it
    // then, so only a name that leaves the folder is refused.
    bool restoresName = false;
    // With Note::MissingField: the fact the file lacks (see missingField()),
    // as a number among the few a run meets, so that a million rows do not
    // each carry an empty text for it.
    quint16 missingFieldId = 0;
    // Tells this file from one that takes its name later (see fileIdOf); 0
    // when the listing did not give it.
    quint64 fileId = 0;
    // With Note::InvalidName: what the folder's volume refuses in the new name.
    NameCheck refusal = {};

    // With Note::MissingField: the fact the file lacks, as a template names
    // it ("exif.date"); empty otherwise.
    QString missingField() const;
    void setMissingField(const QString &field);

    QString sourcePath() const { return folder + oldName; }
    QString targetPath() const { return folder + newName; }
    bool changesName() const { return newName != oldName; }
    // It will get its new name, as far as can be told before the run.
    bool willMove() const { return changesName() && !staysWith(note); }
};
Q_DECLARE_TYPEINFO(PlannedRename, Q_RELOCATABLE_TYPE);

// What a batch will do, decided before any file is touched, whichever job
// made it: every file the request reaches, once, with its new name, and the
// input list as it will read afterwards. A file reached twice (by itself and
// through its folder, through a link, as "d" and "d/") is one file. Reads the
// file system (folder identities), never changes it; safe on any thread.
class BatchPlan
{
public:
    // The new name of one file met in a group (its old name when it stays).
    struct Decision
    {
        QString newName;
        PlannedRename::Note note = PlannedRename::Note::None;
        QString missingField = QString();
    };
    // Called for every file of every group, in order, also for a file met a
    // second time (whose answer is then not used): a numbering counts it.
    using Decide = std::function<Decision(const FileGroup &group, const QString &name)>;

    static BatchPlan fromGroups(const GroupList &groups, const Decide &decide);

    // What the executor will do with each file, foreseen without touching
    // anything: marks in rows the new names it would refuse and the files a
    // replacing run would displace. Returns how many files will get a new
    // name. Only names outside the request need a look at the disk. The
    // executor prepares every batch through the same rule.
    static qsizetype foreseeConflicts(QVector<PlannedRename> &rows, bool replaceExisting);

    // The rule itself: marks rows as above and gives, for each row that
    // moves, the row of the request whose old name it takes (-1 when none),
    // so that it can wait for it. Without lookAtDisk, a name held outside
    // the request is left for the run to find.
    struct Foresight
    {
        QVector<int> waitsFor;
        QVector<int> givenTwice; // rows naming a file an earlier row names; they stay
        qsizetype changes = 0;
    };
    static Foresight foresee(QVector<PlannedRename> &rows, bool replaceExisting, bool lookAtDisk);
    // The same without touching the rows: each row's note and refusal in
    // verdicts, so that a batch of a million files is not copied to be
    // checked. A byte a row: refusals are kept only where they differ from
    // the row's own.
    struct Verdicts
    {
        QVector<PlannedRename::Note> notes;
        QHash<int, NameCheck> refusals;
        NameCheck refusal(int index, const PlannedRename &row) const
        {
            return refusals.value(index, row.refusal);
        }
    };
    static Foresight foresee(const QVector<PlannedRename> &rows, bool replaceExisting,
                             bool lookAtDisk, Verdicts *verdicts);

    // Every file of the request once, also those whose name does not change.
    const QVector<PlannedRename> &renames() const { return m_renames; }
    qsizetype changeCount() const { return changeCount(m_renames); }
    static qsizetype changeCount(const QVector<PlannedRename> &renames);

    // The new input list, given the name each file bears after the run
    // (finalNames[i] for renames()[i]): an entry given by itself under its new
    // name, a directory as its folder prefix, each once; native separators.
    QStringList refreshList(const QStringList &finalNames) const;

private:
    struct RefreshEntry
    {
        QString given;        // the entry as given, or the folder prefix of a directory
        QString folderPrefix; // for an entry whose file may be renamed
        int renameIndex = -1;
    };

    QVector<PlannedRename> m_renames;
    QVector<RefreshEntry> m_refresh;
};

#endif // BATCHPLAN_H

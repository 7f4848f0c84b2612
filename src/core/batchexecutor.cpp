#include "batchexecutor.h"

#include "directorylisting.h"
#include "filemoves.h"
#include "filenames.h"
#include "folderhandle.h"
#include "trash.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRandomGenerator>
#include <QSet>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

namespace {

enum class State : quint8 { Unchanged, Waiting, Done, Failed };

using Cause = FileFailure::Cause;
using Severity = FileFailure::Severity;

} // namespace

class Execution
{
public:
    Execution(const QVector<PlannedRename> &renames, const BatchExecutor::Options &options,
              const BatchExecutor::OtherMoves &otherMoves);
    BatchOutcome run();

    // Decided before the run.
    PreparedBatch m_prepared;
    const QVector<PlannedRename> &m_renames;
    const BatchExecutor::Options m_options;
    std::function<void(int, BatchExecutor::Options::Step)> m_stepTaken;

private:
    using OtherMove = PreparedBatch::OtherMove;
    void runChain(int first);
    void runCycle(int parked);
    bool move(int index);
    bool moveBack(int index, const QString &fromFolder);
    bool discard(int index);
    void linkOtherMoves(const QVector<PlannedRename> &checked);
    bool moveThroughTemporary(int index, QString *error);
    bool replaceExisting(int index);
    bool replaceThroughTrash(int index);
    QString spelledOnDisk(int index);
    QHash<QString, QHash<QString, QStringList>> m_namesOnDisk; // folder -> folded -> names
    bool undo(int index);
    QString parkAside(int index, QString *error);
    using Step = BatchExecutor::Options::Step;
    void step(int index, Step step);
    void finish(int index, const QString &finalName);
    void fail(int index, Cause cause, const QString &reason, Severity severity = Severity::Warning);
    void nameTemporaries();
    void nameSetAsides();
    void dispose(int index, const QString &aside);
    QString blockedBy(int index) const;
    bool cancelled() const;
    void reportProgress(bool force);

    QString source(int index) const { return m_prepared.sourcePath(index); }
    QString target(int index) const { return m_renames[index].targetPath(); }

    // Per folder of the batch: the folder opened once, and its files by name.
    std::vector<std::unique_ptr<FolderHandle>> m_folders;
    QVector<int> m_folderOf;
    QVector<State> m_state;
    // m_dependant[j] == i: the new name of i is the old name of j, so i waits for j.
    QVector<int> m_waitsFor;
    QVector<int> m_dependant;
    // Whether a file outside the request holds the new name and is to be
    // displaced: into the trash, or deleted where the volume has none.
    enum class Displacing : quint8 { No, ToTrash, ForGood };
    QVector<Displacing> m_displaces;
    BatchOutcome m_outcome;
    qsizetype m_handled = 0;
    QElapsedTimer m_sinceProgress;
};

Execution::Execution(const QVector<PlannedRename> &renames, const BatchExecutor::Options &options,
                     const BatchExecutor::OtherMoves &otherMoves)
    : m_prepared{renames, otherMoves, {}, {}, {}, options.replaceExisting},
      m_renames(m_prepared.renames), m_options(options), m_state(renames.size(), State::Unchanged)
{
    const int count = int(renames.size());
    m_folderOf.reserve(count);
    QHash<QString, int> folderIndex;
    for (int i = 0; i < count; ++i) {
        const PlannedRename &rename = renames[i];
        // Neighbours share their folder's text, which spares most look-ups.
        int folder = -1;
        if (i > 0 && renames[i - 1].folder.constData() == rename.folder.constData())
            folder = m_folderOf[i - 1];
        else
            folder = folderIndex.value(rename.folder, -1);
        if (folder < 0) {
            folder = int(m_folders.size());
            folderIndex.insert(rename.folder, folder);
            m_folders.push_back(std::make_unique<FolderHandle>(rename.folder));
        }
        m_folderOf.append(folder);
    }

    // The preview's rule, so that a run refuses exactly what was foreseen.
    // Names outside the request are found by the renames themselves, unless
    // a replacing run must know them beforehand. A file coming back stands
    // in the folder it comes from, and a file to delete keeps its name, so
    // that neither is taken to free or claim a name.
    // Checked as they are: a copy of a million rows would double the
    // batch's memory. Only the rows of other moves, rare, are changed.
    QVector<PlannedRename> checked = renames;
    for (auto it = otherMoves.cbegin(); it != otherMoves.cend(); ++it) {
        PlannedRename &row = checked[it.key()];
        if (it->kind == OtherMove::Kind::Return)
            row.folder = it->fromFolder;
        row.newName = row.oldName;
        row.note = PlannedRename::Note::None;
    }
    // Read only from here: a non-const look would copy every row.
    const QVector<PlannedRename> &rows = checked;
    BatchPlan::Verdicts verdicts;
    const BatchPlan::Foresight foresight =
        BatchPlan::foresee(rows, m_options.replaceExisting, false, &verdicts);
    for (int i : foresight.givenTwice)
        fail(i, Cause::System, BatchExecutor::tr("given twice"));
    for (int i = 0; i < count; ++i) {
        if (m_state[i] == State::Failed)
            continue;
        const PlannedRename &rename = rows[i];
        const PlannedRename::Note note = verdicts.notes[i];
        if (!otherMoves.isEmpty() && otherMoves.contains(i)) {
            m_state[i] = State::Waiting;
            continue;
        }
        if (!rename.changesName()) {
            ++m_handled;
            continue;
        }
        switch (note) {
        case PlannedRename::Note::None:
        case PlannedRename::Note::ReplacesFile:
        case PlannedRename::Note::DeletesFile:
            m_state[i] = State::Waiting;
            break;
        case PlannedRename::Note::NameShared:
            fail(i, Cause::NameTaken,
                 BatchExecutor::tr("\"%1\" is the new name of another file of this request too")
                     .arg(rename.newName));
            break;
        case PlannedRename::Note::NameKept:
        case PlannedRename::Note::NameTaken:
            fail(i, Cause::NameTaken,
                 BatchExecutor::tr("a file named \"%1\" already exists").arg(rename.newName));
            break;
        default: {
            PlannedRename refused = rename;
            refused.note = note;
            refused.refusal = verdicts.refusal(i, rename);
            fail(i, Cause::InvalidName, PlannedRename::refusalText(refused));
            break;
        }
        }
    }
    // Made once the foresight's tables are gone: a million rows would
    // otherwise hold both at once.
    m_waitsFor.fill(-1, count);
    m_dependant.fill(-1, count);
    m_displaces.fill(Displacing::No, count);
    for (int i = 0; i < count; ++i) {
        const int holder = foresight.waitsFor[i];
        if (m_state[i] == State::Waiting && holder >= 0 && m_state[holder] == State::Waiting) {
            m_waitsFor[i] = holder;
            m_dependant[holder] = i;
        }
        if (m_state[i] == State::Waiting && verdicts.notes[i] == PlannedRename::Note::ReplacesFile)
            m_displaces[i] = Displacing::ToTrash;
        if (m_state[i] == State::Waiting && verdicts.notes[i] == PlannedRename::Note::DeletesFile)
            m_displaces[i] = Displacing::ForGood;
    }
    if (!otherMoves.isEmpty())
        linkOtherMoves(rows);
    m_prepared.attempted.reserve(count);
    for (int i = 0; i < count; ++i)
        m_prepared.attempted.append(m_state[i] == State::Waiting);
    nameTemporaries();
    if (m_options.replaceExisting)
        nameSetAsides();
}

void Execution::nameTemporaries()
{
    const int count = int(m_renames.size());
    // Fresh for each batch, so that no name left by an earlier one is met.
    const QString token = QString::number(QRandomGenerator::global()->generate64(), 36);
    const auto temporaryOf = [&token](int index) {
        return QStringLiteral(".tavrelo-%1-%2.tmp").arg(token).arg(index);
    };
    // A file on a chain is reached from the chain's free end; what is left
    // waits on a cycle, which parks its first file.
    QVector<bool> onChain(count, false);
    for (int i = 0; i < count; ++i) {
        if (m_state[i] != State::Waiting || m_waitsFor[i] >= 0)
            continue;
        for (int next = i; next >= 0; next = m_dependant[next])
            onChain[next] = true;
    }
    for (int i = 0; i < count; ++i) {
        if (m_state[i] != State::Waiting || onChain[i])
            continue;
        m_prepared.temporaries.insert(i, temporaryOf(i));
        for (int next = i; !onChain[next]; next = m_dependant[next])
            onChain[next] = true;
    }
    // Only the letter case changes: a file system that ignores it needs a
    // detour.
    const QHash<int, OtherMove> &otherMoves = m_prepared.otherMoves;
    for (int i = 0; i < count; ++i) {
        const PlannedRename &rename = m_renames[i];
        if (m_state[i] == State::Waiting && !m_prepared.temporaries.contains(i)
            && rename.oldName.compare(rename.newName, Qt::CaseInsensitive) == 0
            && (otherMoves.isEmpty() || !otherMoves.contains(i)))
            m_prepared.temporaries.insert(i, temporaryOf(i));
    }
}

void Execution::nameSetAsides()
{
    // Only a file deleted for good is set aside first, under a short name of
    // this batch, so that a crash leaves it within reach; a file that goes to
    // the trash goes there under its own name.
    const QString token = QString::number(QRandomGenerator::global()->generate64(), 36);
    for (int i = 0; i < int(m_renames.size()); ++i) {
        if (m_displaces[i] != Displacing::ForGood)
            continue;
        QString aside;
        for (int n = 0; aside.isEmpty() || pathExists(m_renames[i].folder + aside); ++n)
            aside = QStringLiteral(".tavrelo-%1-%2-%3.bak").arg(token).arg(i).arg(n);
        m_prepared.setAsides.insert(i, aside);
    }
}

void Execution::linkOtherMoves(const QVector<PlannedRename> &checked)
{
    // A file coming back waits for the file of the batch that holds its name
    // to move on, as a rename would; it never takes a name another file of
    // the batch is given.
    const QHash<int, OtherMove> &otherMoves = m_prepared.otherMoves;
    QHash<QString, bool> foldCase;
    for (auto it = otherMoves.cbegin(); it != otherMoves.cend(); ++it) {
        const QString &folder = m_renames[it.key()].folder;
        if (it->kind == OtherMove::Kind::Return && !foldCase.contains(folder))
            foldCase.insert(folder, Volume::of(folder).caseInsensitive);
    }
    const auto key = [&foldCase](const QString &folder, const QString &name) {
        return folder + (foldCase.value(folder) ? caseFoldedName(name) : name);
    };
    QHash<QString, int> holders;
    QHash<QString, int> claims;
    for (int i = 0; i < int(m_renames.size()); ++i) {
        const PlannedRename &rename = m_renames[i];
        if (otherMoves.contains(i) || !foldCase.contains(rename.folder))
            continue;
        holders.insert(key(rename.folder, rename.oldName), i);
        if (m_state[i] == State::Waiting)
            claims.insert(key(rename.folder, checked[i].newName), i);
    }
    for (auto it = otherMoves.cbegin(); it != otherMoves.cend(); ++it) {
        const int index = it.key();
        const PlannedRename &rename = m_renames[index];
        if (it->kind != OtherMove::Kind::Return || m_state[index] != State::Waiting)
            continue;
        const QString target = key(rename.folder, rename.newName);
        if (!isPlainFileName(rename.newName)) {
            fail(index, Cause::InvalidName, describe(NameCheck{NameProblem::NotAName}));
            continue;
        }
        if (claims.contains(target)) {
            fail(index, Cause::NameTaken,
                 BatchExecutor::tr("\"%1\" is the new name of another file of this request too")
                     .arg(rename.newName));
            continue;
        }
        claims.insert(target, index);
        const int holder = holders.value(target, -1);
        if (holder < 0)
            continue;
        if (m_state[holder] != State::Waiting || m_dependant[holder] >= 0) {
            fail(index, Cause::NameTaken,
                 BatchExecutor::tr("a file named \"%1\" already exists").arg(rename.newName));
            continue;
        }
        m_waitsFor[index] = holder;
        m_dependant[holder] = index;
    }
}

BatchOutcome Execution::run()
{
    const int count = int(m_renames.size());
    // Made only now, not beside the checks' tables: every file bears its old
    // name until it moves.
    QStringList finalNames;
    finalNames.reserve(count);
    for (const PlannedRename &rename : m_renames)
        finalNames.append(rename.oldName);
    m_outcome.finalNames = std::move(finalNames);
    // A chain ends at a file whose new name no moving file holds: rename it
    // first, then the one waiting for its old name, and so on.
    for (int i = 0; i < count && !cancelled(); ++i) {
        if (m_state[i] == State::Waiting && m_waitsFor[i] < 0)
            runChain(i);
    }
    // Whatever still waits lies on a cycle.
    for (int i = 0; i < count && !cancelled(); ++i) {
        if (m_state[i] == State::Waiting)
            runCycle(i);
    }
    m_outcome.cancelled = cancelled();
    reportProgress(true);
    std::stable_sort(m_outcome.failures.begin(), m_outcome.failures.end(),
                     [](const FileFailure &a, const FileFailure &b) { return a.index < b.index; });
    return m_outcome;
}

bool Execution::cancelled() const
{
    return m_options.cancel && m_options.cancel->load(std::memory_order_relaxed);
}

void Execution::reportProgress(bool force)
{
    if (!m_options.progress)
        return;
    // A few updates a second tell the user enough and cost nothing; the
    // first comes at once.
    if (!force && m_sinceProgress.isValid() && m_sinceProgress.elapsed() < 100)
        return;
    m_sinceProgress.start();
    m_options.progress(m_handled, m_renames.size());
}

void Execution::runChain(int first)
{
    bool moved = move(first);
    for (int current = first, next = m_dependant[first]; next >= 0;
         current = next, next = m_dependant[next]) {
        if (moved)
            moved = move(next);
        else
            fail(next, Cause::Blocked, blockedBy(current));
    }
    reportProgress(false);
}

void Execution::runCycle(int parked)
{
    QVector<int> cycle;
    for (int next = m_dependant[parked]; next != parked; next = m_dependant[next])
        cycle.append(next);

    QString error;
    const QString temporary = parkAside(parked, &error);
    if (temporary.isEmpty()) {
        fail(parked, Cause::System, error, Severity::Critical);
        for (int index : cycle)
            fail(index, Cause::Blocked, blockedBy(parked));
        return;
    }

    const PlannedRename &rename = m_renames[parked];
    QVector<int> done;
    int broken = -1;
    for (int index : cycle) {
        if (!move(index)) {
            broken = index;
            break;
        }
        done.append(index);
    }
    if (broken < 0) {
        if (renameNoReplace(temporary, target(parked), &error)) {
            finish(parked, rename.newName);
            reportProgress(false);
            return;
        }
        broken = parked;
    }

    // Put the cycle back as it was, the last move first, so that the parked
    // file can return to its old name.
    for (auto it = done.crbegin(); it != done.crend(); ++it) {
        if (undo(*it))
            fail(*it, Cause::Blocked, blockedBy(broken));
    }
    const QString temporaryName = temporary.mid(rename.folder.size());
    if (renameNoReplace(temporary, source(parked))) {
        m_outcome.finalNames[parked] = rename.oldName;
        step(parked, Step::Returned);
        if (broken == parked)
            fail(parked, Cause::System, error, Severity::Critical);
        else
            fail(parked, Cause::Blocked, blockedBy(broken));
    } else if (renameNoReplace(temporary, target(parked))) {
        finish(parked, rename.newName);
    } else {
        m_outcome.finalNames[parked] = temporaryName;
        fail(parked, Cause::System,
             BatchExecutor::tr("left under the temporary name \"%1\": neither its old nor its "
                               "new name could be given back")
                 .arg(temporaryName),
             Severity::Critical);
    }
    for (int index : cycle) {
        if (m_state[index] == State::Waiting)
            fail(index, Cause::Blocked, blockedBy(broken));
    }
    reportProgress(false);
}

bool Execution::move(int index)
{
    if (!m_prepared.otherMoves.isEmpty()) {
        const auto other = m_prepared.otherMoves.constFind(index);
        if (other != m_prepared.otherMoves.constEnd())
            return other->kind == OtherMove::Kind::Return ? moveBack(index, other->fromFolder)
                                                          : discard(index);
    }
    const PlannedRename &rename = m_renames[index];
    QString error;
    // The common case costs one system call; why it failed is looked into
    // only when it did.
    if (m_folders[size_t(m_folderOf[index])]->renameNoReplace(rename.oldName, rename.newName,
                                                              &error)) {
        finish(index, rename.newName);
        return true;
    }
    if (!pathExists(source(index))) {
        fail(index, Cause::Vanished, BatchExecutor::tr("it no longer exists"));
        return false;
    }
    if (!pathExists(target(index))) {
        fail(index, Cause::System, error, Severity::Critical);
        return false;
    }
    // A file system that ignores letter case sees the file itself at its new
    // name (some FUSE drivers even give it another number there); a detour
    // through a temporary name changes the case everywhere, and where another
    // file really holds the name, the detour finds it and comes back.
    if (m_prepared.temporaries.contains(index) && m_displaces[index] == Displacing::No
        && rename.oldName.compare(rename.newName, Qt::CaseInsensitive) == 0) {
        if (moveThroughTemporary(index, &error))
            return true;
        if (pathExists(source(index)) && pathExists(target(index))
            && !isSameFile(source(index), target(index)))
            fail(index, Cause::NameTaken,
                 BatchExecutor::tr("a file named \"%1\" already exists").arg(rename.newName));
        else
            fail(index, Cause::System, error, Severity::Critical);
        return false;
    }
    // A file of the request is never in the way: it either moved on already
    // or keeps its name.
    // The file that held the name has moved on, yet the name still seems
    // taken: a FUSE driver that ignores case lets the kernel keep the name as
    // spelt in another case for a second. It passes; nothing else would.
    const int holder = m_waitsFor[index];
    if (holder >= 0 && m_state[holder] == State::Done) {
        for (int wait = 0; wait < 15; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            if (m_folders[size_t(m_folderOf[index])]->renameNoReplace(rename.oldName,
                                                                      rename.newName, &error)) {
                finish(index, rename.newName);
                return true;
            }
        }
    }
    if (m_displaces[index] == Displacing::ToTrash)
        return replaceThroughTrash(index);
    if (m_displaces[index] == Displacing::ForGood)
        return replaceExisting(index);
    fail(index, Cause::NameTaken,
         BatchExecutor::tr("a file named \"%1\" already exists").arg(rename.newName));
    return false;
}

bool Execution::moveBack(int index, const QString &fromFolder)
{
    const PlannedRename &rename = m_renames[index];
    const QString from = fromFolder + rename.oldName;
    QString error;
    if (renameNoReplace(from, target(index), &error)) {
        finish(index, rename.newName);
        Trash::forget(from);
        return true;
    }
    if (!pathExists(from))
        fail(index, Cause::Vanished, BatchExecutor::tr("it no longer exists"));
    else if (pathExists(target(index)))
        fail(index, Cause::NameTaken,
             BatchExecutor::tr("a file named \"%1\" already exists").arg(rename.newName));
    else
        fail(index, Cause::System, error, Severity::Critical);
    return false;
}

bool Execution::discard(int index)
{
    if (removeFile(source(index))) {
        finish(index, QString());
        m_outcome.disposed.append({index, QString()});
        return true;
    }
    fail(index, Cause::SetAsideKept,
         BatchExecutor::tr("the file it replaced couldn't be deleted : it is kept as \"%1\"")
             .arg(m_renames[index].oldName));
    return false;
}

bool Execution::moveThroughTemporary(int index, QString *error)
{
    const QString temporary = parkAside(index, error);
    if (temporary.isEmpty())
        return false;
    if (renameNoReplace(temporary, target(index), error)) {
        finish(index, m_renames[index].newName);
        return true;
    }
    if (renameNoReplace(temporary, source(index)))
        step(index, Step::Returned);
    return false;
}

bool Execution::replaceExisting(int index)
{
    const QString &newName = m_renames[index].newName;
    const QString aside = m_renames[index].folder + m_prepared.setAsides.value(index);
    const Displacement displacement = replaceExistingFile(source(index), target(index), aside);
    switch (displacement) {
    case Displacement::Moved:
        finish(index, newName);
        dispose(index, aside);
        return true;
    case Displacement::NotSetAside:
        fail(index, Cause::System,
             BatchExecutor::tr("\"%1\" couldn't be set aside : %2")
                 .arg(newName, displacement.reason),
             Severity::Critical);
        return false;
    case Displacement::MovePutBack:
        fail(index, Cause::System,
             BatchExecutor::tr("%1. The existing \"%2\" was left as it was.")
                 .arg(displacement.reason, newName),
             Severity::Critical);
        return false;
    case Displacement::MoveAsideKept:
        break;
    }
    fail(index, Cause::System,
         BatchExecutor::tr("%1. The existing \"%2\" couldn't be put back : it is kept as \"%3\".")
             .arg(displacement.reason, newName, fileNameOf(aside)),
         Severity::Critical);
    return false;
}

bool Execution::replaceThroughTrash(int index)
{
    const QString &newName = m_renames[index].newName;
    // On a volume that ignores case the file in the way may spell the name
    // otherwise: it goes to the trash, and comes back, under its own spelling.
    const QString inTheWay = m_renames[index].folder + spelledOnDisk(index);
    QString trashed;
    QString error;
    // A file the trash cannot take stays where it is, and so does the file
    // that wanted its name: nothing is deleted without the user's word.
    if (!Trash::moveIn(inTheWay, &trashed, &error)) {
        fail(index, Cause::System,
             BatchExecutor::tr("a file named \"%1\" already exists and could not be moved to "
                               "the trash (%2)")
                 .arg(newName, error));
        return false;
    }
    if (renameNoReplace(source(index), target(index), &error)) {
        finish(index, newName);
        m_outcome.disposed.append({index, trashed});
        return true;
    }
    if (renameNoReplace(trashed, inTheWay)) {
        Trash::forget(trashed);
        fail(index, Cause::System,
             BatchExecutor::tr("%1. The existing \"%2\" was left as it was.").arg(error, newName),
             Severity::Critical);
    } else {
        m_outcome.disposed.append({index, trashed});
        fail(index, Cause::System,
             BatchExecutor::tr("%1. The existing \"%2\" couldn't be put back : it is in the "
                               "trash.")
                 .arg(error, newName),
             Severity::Critical);
    }
    return false;
}

QString Execution::spelledOnDisk(int index)
{
    const PlannedRename &rename = m_renames[index];
    auto names = m_namesOnDisk.find(rename.folder);
    if (names == m_namesOnDisk.end()) {
        // Read once per folder, and only where a file is displaced.
        QHash<QString, QStringList> byFolded;
        const QStringList listed = listPlainFileNames(rename.folder);
        for (const QString &name : listed)
            byFolded[caseFoldedName(name)].append(name);
        names = m_namesOnDisk.insert(rename.folder, byFolded);
    }
    // The very name when a file bears it, as on a volume that keeps case.
    const QStringList spellings = names->value(caseFoldedName(rename.newName));
    if (spellings.size() != 1 || spellings.contains(rename.newName))
        return rename.newName;
    return spellings.first();
}

void Execution::dispose(int index, const QString &aside)
{
    // Only where the volume has no trash, as the preview said.
    if (removeFile(aside)) {
        m_outcome.disposed.append({index, QString()});
    } else {
        fail(index, Cause::SetAsideKept,
             BatchExecutor::tr("the file it replaced couldn't be deleted : it is kept as \"%1\"")
                 .arg(fileNameOf(aside)));
    }
}

bool Execution::undo(int index)
{
    const PlannedRename &rename = m_renames[index];
    if (!renameNoReplace(target(index), source(index)))
        return false; // it keeps its new name, which is no loss
    m_outcome.finalNames[index] = rename.oldName;
    step(index, Step::Returned);
    m_state[index] = State::Waiting;
    --m_outcome.renamed;
    --m_handled;
    return true;
}

QString Execution::parkAside(int index, QString *error)
{
    const PlannedRename &rename = m_renames[index];
    const QString temporary = m_prepared.temporaries.value(index);
    if (temporary.isEmpty()) {
        if (error)
            *error = BatchExecutor::tr("no free temporary name was found");
        return QString();
    }
    if (!m_folders[size_t(m_folderOf[index])]->renameNoReplace(rename.oldName, temporary, error))
        return QString();
    step(index, Step::Parked);
    return rename.folder + temporary;
}

void Execution::step(int index, Step step)
{
    if (m_stepTaken)
        m_stepTaken(index, step);
}

void Execution::finish(int index, const QString &finalName)
{
    step(index, Step::Moved);
    m_state[index] = State::Done;
    m_outcome.finalNames[index] = finalName;
    ++m_outcome.renamed;
    ++m_handled;
}

void Execution::fail(int index, Cause cause, const QString &reason, Severity severity)
{
    // A file kept after a replace was renamed all the same.
    if (cause != Cause::SetAsideKept) {
        if (m_state[index] != State::Failed)
            ++m_handled;
        m_state[index] = State::Failed;
    }
    const PlannedRename &rename = m_renames[index];
    FileFailure failure;
    failure.index = index;
    // Before the run (a name refused beforehand) every file bears its old name.
    const bool whereItWas =
        m_outcome.finalNames.isEmpty() || m_outcome.finalNames.at(index) == rename.oldName;
    failure.path = QDir::toNativeSeparators(
        whereItWas ? source(index) : rename.folder + m_outcome.finalNames.at(index));
    failure.newName = rename.newName;
    failure.reason = reason;
    failure.cause = cause;
    failure.severity = severity;
    m_outcome.failures.append(failure);
}

QString Execution::blockedBy(int index) const
{
    return BatchExecutor::tr("it waited for \"%1\" to give up its name, which failed")
        .arg(m_renames[index].oldName);
}

BatchExecutor::BatchExecutor(const QVector<PlannedRename> &renames, const Options &options,
                             const OtherMoves &otherMoves)
    : m_execution(std::make_unique<Execution>(renames, options, otherMoves))
{
}

BatchExecutor::~BatchExecutor() = default;

const PreparedBatch &BatchExecutor::prepared() const
{
    return m_execution->m_prepared;
}

void BatchExecutor::setStepTaken(
    const std::function<void(int index, Options::Step step)> &stepTaken)
{
    m_execution->m_stepTaken = stepTaken;
}

BatchOutcome BatchExecutor::untouched() const
{
    BatchOutcome outcome;
    for (const PlannedRename &rename : m_execution->m_renames)
        outcome.finalNames.append(rename.oldName);
    outcome.cancelled = true;
    return outcome;
}

BatchOutcome BatchExecutor::run()
{
    return m_execution->run();
}

BatchOutcome BatchExecutor::carryOut(const QVector<PlannedRename> &renames, const Options &options)
{
    return BatchExecutor(renames, options).run();
}

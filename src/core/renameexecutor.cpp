#include "renameexecutor.h"

#include "filemoves.h"

#include <QCoreApplication>
#include <QDir>
#include <QHash>
#include <QRandomGenerator>

#include <algorithm>

namespace {

enum class State { Unchanged, Waiting, Done, Failed };

class Execution
{
public:
    explicit Execution(const QVector<PlannedRename> &renames);
    RenameOutcome run();

private:
    void runChain(int first);
    void runCycle(int parked);
    bool move(int index);
    bool undo(int index);
    QString parkAside(int index, QString *error);
    void fail(int index, const QString &reason);
    QString blockedBy(int index) const;

    const QVector<PlannedRename> &m_renames;
    QStringList m_sources;
    QStringList m_targets;
    QVector<State> m_state;
    // m_dependant[j] == i: the new name of i is the old name of j, so i waits for j.
    QVector<int> m_waitsFor;
    QVector<int> m_dependant;
    RenameOutcome m_outcome;
};

Execution::Execution(const QVector<PlannedRename> &renames)
    : m_renames(renames), m_state(renames.size(), State::Unchanged), m_waitsFor(renames.size(), -1),
      m_dependant(renames.size(), -1)
{
    const int count = int(renames.size());
    m_sources.reserve(count);
    m_targets.reserve(count);
    for (const PlannedRename &rename : renames) {
        m_sources.append(rename.sourcePath());
        m_targets.append(rename.targetPath());
    }
    m_outcome.finalNames.reserve(count);
    QHash<QString, int> bySource;
    bySource.reserve(count);
    for (int i = 0; i < count; ++i) {
        m_outcome.finalNames.append(renames[i].oldName);
        if (bySource.contains(m_sources[i]))
            fail(i, QCoreApplication::translate("Rename", "given twice"));
        else
            bySource.insert(m_sources[i], i);
    }

    QHash<QString, int> byTarget;
    byTarget.reserve(count);
    for (int i = 0; i < count; ++i) {
        const PlannedRename &rename = renames[i];
        if (m_state[i] == State::Failed || rename.newName == rename.oldName)
            continue;
        if (!isPlainFileName(rename.oldName) || !isPlainFileName(rename.newName)) {
            fail(i, QCoreApplication::translate("Rename",
                                                "\"%1\" cannot be a file name in this folder")
                        .arg(rename.newName));
            continue;
        }
        const QString &target = m_targets[i];
        const auto taken = byTarget.constFind(target);
        if (taken != byTarget.constEnd()) {
            fail(i, QCoreApplication::translate(
                        "Rename", "\"%1\" is the new name of another file of this request too")
                        .arg(rename.newName));
            continue;
        }
        byTarget.insert(target, i);
        m_state[i] = State::Waiting;
    }

    for (int i = 0; i < count; ++i) {
        if (m_state[i] != State::Waiting)
            continue;
        const int holder = bySource.value(m_targets[i], -1);
        if (holder >= 0 && m_state[holder] == State::Waiting) {
            m_waitsFor[i] = holder;
            m_dependant[holder] = i;
        }
    }
}

RenameOutcome Execution::run()
{
    const int count = int(m_renames.size());
    // A chain ends at a file whose new name no moving file holds: rename it
    // first, then the one waiting for its old name, and so on.
    for (int i = 0; i < count; ++i) {
        if (m_state[i] == State::Waiting && m_waitsFor[i] < 0)
            runChain(i);
    }
    // Whatever still waits lies on a cycle.
    for (int i = 0; i < count; ++i) {
        if (m_state[i] == State::Waiting)
            runCycle(i);
    }
    // Reported in the order of the request.
    std::stable_sort(
        m_outcome.failures.begin(), m_outcome.failures.end(),
        [](const RenameFailure &a, const RenameFailure &b) { return a.index < b.index; });
    return m_outcome;
}

void Execution::runChain(int first)
{
    bool moved = move(first);
    for (int current = first, next = m_dependant[first]; next >= 0;
         current = next, next = m_dependant[next]) {
        if (moved)
            moved = move(next);
        else
            fail(next, blockedBy(current));
    }
}

void Execution::runCycle(int parked)
{
    QVector<int> cycle;
    for (int next = m_dependant[parked]; next != parked; next = m_dependant[next])
        cycle.append(next);

    QString error;
    const QString temporary = parkAside(parked, &error);
    if (temporary.isEmpty()) {
        fail(parked, error);
        for (int index : cycle)
            fail(index, blockedBy(parked));
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
        if (renameNoReplace(temporary, m_targets[parked], &error)) {
            m_state[parked] = State::Done;
            m_outcome.finalNames[parked] = rename.newName;
            return;
        }
        broken = parked;
    }

    // Put the cycle back as it was, the last move first, so that the parked
    // file can return to its old name.
    for (auto it = done.crbegin(); it != done.crend(); ++it) {
        if (undo(*it))
            fail(*it, blockedBy(broken));
    }
    const QString temporaryName = temporary.mid(rename.folder.size());
    if (renameNoReplace(temporary, m_sources[parked])) {
        m_outcome.finalNames[parked] = rename.oldName;
        fail(parked, broken == parked ? error : blockedBy(broken));
    } else if (renameNoReplace(temporary, m_targets[parked])) {
        m_state[parked] = State::Done;
        m_outcome.finalNames[parked] = rename.newName;
    } else {
        m_outcome.finalNames[parked] = temporaryName;
        fail(parked, QCoreApplication::translate(
                         "Rename", "left under the temporary name \"%1\": neither its old nor its "
                                   "new name could be given back")
                         .arg(temporaryName));
    }
    for (int index : cycle) {
        if (m_state[index] == State::Waiting)
            fail(index, blockedBy(broken));
    }
}

bool Execution::move(int index)
{
    const PlannedRename &rename = m_renames[index];
    QString error;
    if (renameNoReplace(m_sources[index], m_targets[index], &error)) {
        m_state[index] = State::Done;
        m_outcome.finalNames[index] = rename.newName;
        return true;
    }
    if (pathExists(m_targets[index]) && pathExists(m_sources[index]))
        error = QCoreApplication::translate("Rename", "a file named \"%1\" already exists")
                    .arg(rename.newName);
    fail(index, error);
    return false;
}

bool Execution::undo(int index)
{
    const PlannedRename &rename = m_renames[index];
    if (!renameNoReplace(m_targets[index], m_sources[index]))
        return false; // it keeps its new name, which is no loss
    m_outcome.finalNames[index] = rename.oldName;
    return true;
}

QString Execution::parkAside(int index, QString *error)
{
    const PlannedRename &rename = m_renames[index];
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString temporary =
            rename.folder
            + QStringLiteral(".tavrelo-%1.tmp")
                  .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
        if (renameNoReplace(m_sources[index], temporary, error))
            return temporary;
        if (!pathExists(temporary))
            return QString();
    }
    if (error)
        *error = QCoreApplication::translate("Rename", "no free temporary name was found");
    return QString();
}

void Execution::fail(int index, const QString &reason)
{
    m_state[index] = State::Failed;
    const PlannedRename &rename = m_renames[index];
    m_outcome.failures.append(
        {index, QDir::toNativeSeparators(rename.folder + m_outcome.finalNames[index]), reason});
}

QString Execution::blockedBy(int index) const
{
    return QCoreApplication::translate("Rename",
                                       "it waited for \"%1\" to give up its name, which failed")
        .arg(m_renames[index].oldName);
}

} // namespace

RenameOutcome RenameExecutor::carryOut(const QVector<PlannedRename> &renames)
{
    return Execution(renames).run();
}

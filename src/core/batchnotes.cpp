#include "batchnotes.h"

#include "filenames.h"

namespace {

using Note = PlannedRename::Note;

// A row that took its new name for itself: one the plan will give it, unless
// it stays for a reason of its own. A row that shares a name or cannot bear
// it claims nothing.
bool claimsNewName(const PlannedRename &row)
{
    return row.changesName() && row.note != Note::NameShared && row.note != Note::InvalidName;
}

QString sharedKey(const PlannedRename &row)
{
    return row.folder + caseFoldedName(row.newName);
}

} // namespace

void BatchNotes::setRows(const QVector<PlannedRename> *rows)
{
    m_rows = rows;
    m_sharedFound = false;
    m_claimants.clear();
}

QString BatchNotes::text(int row) const
{
    const PlannedRename &planned = m_rows->at(row);
    if (planned.note != Note::NameShared)
        return text(planned);
    const int other = sharedWith(row);
    return text(planned, other >= 0 ? m_rows->at(other).oldName : QString());
}

int BatchNotes::sharedWith(int row) const
{
    if (!m_rows || m_rows->at(row).note != Note::NameShared)
        return -1;
    findShared();
    const PlannedRename &planned = m_rows->at(row);
    const QVector<int> claimants = m_claimants.value(sharedKey(planned));
    // Names are folded for the key whatever the volume: where letter case
    // counts, the row with exactly that name is the one.
    int folded = -1;
    for (const int claimant : claimants) {
        if (claimant >= row)
            break;
        if (m_rows->at(claimant).newName == planned.newName)
            return claimant;
        if (folded < 0)
            folded = claimant;
    }
    return folded;
}

void BatchNotes::findShared() const
{
    if (m_sharedFound)
        return;
    m_sharedFound = true;
    // Only the names some row shares: a plan of a hundred thousand files
    // with two sharing a name keeps a table of one.
    for (const PlannedRename &row : *m_rows) {
        if (row.note == Note::NameShared && row.changesName())
            m_claimants.insert(sharedKey(row), {});
    }
    if (m_claimants.isEmpty())
        return;
    for (int i = 0; i < int(m_rows->size()); ++i) {
        const PlannedRename &row = m_rows->at(i);
        if (!claimsNewName(row))
            continue;
        const auto claimed = m_claimants.find(sharedKey(row));
        if (claimed != m_claimants.end())
            claimed->append(i);
    }
}

QString BatchNotes::text(const PlannedRename &row, const QString &sharedWith)
{
    switch (row.note) {
    case Note::None:
        return QString();
    case Note::SuffixNotSelected:
        return tr("stays: its suffix is not selected");
    case Note::NoMatch:
        return tr("stays: nothing to replace in its name");
    case Note::InvalidName:
    case Note::MissingField:
        return PlannedRename::refusalText(row);
    case Note::NameShared:
        if (!sharedWith.isEmpty())
            return tr("stays: \"%1\" is given the same new name").arg(sharedWith);
        return tr("stays: another file gets the same new name");
    case Note::NameKept:
        return tr("stays: \"%1\" is taken by a file that keeps its name").arg(row.newName);
    case Note::NameTaken:
        return tr("stays: \"%1\" is taken by a file outside the request").arg(row.newName);
    case Note::ReplacesFile:
        return tr("replaces the file of that name, which goes to the trash");
    case Note::DeletesFile:
        return tr("replaces the file of that name, which is deleted for good (this volume has no "
                  "trash)");
    }
    return QString();
}

QString BatchNotes::code(PlannedRename::Note note)
{
    switch (note) {
    case Note::None:
        break;
    case Note::SuffixNotSelected:
        return QStringLiteral("suffix-not-selected");
    case Note::NoMatch:
        return QStringLiteral("no-match");
    case Note::MissingField:
        return QStringLiteral("missing-field");
    case Note::InvalidName:
        return QStringLiteral("invalid-name");
    case Note::NameShared:
        return QStringLiteral("name-shared");
    case Note::NameKept:
        return QStringLiteral("name-kept");
    case Note::NameTaken:
        return QStringLiteral("name-taken");
    case Note::ReplacesFile:
        return QStringLiteral("replaces-file");
    case Note::DeletesFile:
        return QStringLiteral("deletes-file");
    }
    return QString();
}

QString BatchNotes::failureLine(const FileFailure &failure)
{
    return tr("%1 (to \"%2\"): %3").arg(failure.path, failure.newName, failure.reason);
}

QString BatchNotes::replaceFailureLine(const QString &oldName, const FileFailure &failure)
{
    switch (failure.cause) {
    case FileFailure::Cause::NameTaken:
        return tr("\"%1\" couldn't be renamed because \"%2\" already exists !")
            .arg(oldName, failure.newName);
    case FileFailure::Cause::SetAsideKept:
        return tr("\"%1\" was renamed to \"%2\", but %3.")
            .arg(oldName, failure.newName, failure.reason);
    default:
        return tr("\"%1\" couldn't be renamed to \"%2\" : %3")
            .arg(oldName, failure.newName, failure.reason);
    }
}

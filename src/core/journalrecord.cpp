#include "journalrecord.h"

#include "filenames.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cstdio>

namespace {

const QLatin1String formatName("tavrelo-journal");
const QLatin1String deleteMark("delete");

// Written in place: a plan holds two numbers a row.
void appendNumber(QByteArray &out, quint64 number)
{
    char digits[24];
    const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, number);
    out.append(digits, end.ptr - digits);
}

// JSON is written by hand: a batch of 100,000 files must cost next to
// nothing beside the renames themselves.
void appendJsonString(QByteArray &out, const QString &text)
{
    // A name's bytes that are not UTF-8 stand as lone surrogates, which only
    // a JSON escape keeps.
    if (holdsRawBytes(text)) {
        out.append(
            QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact).mid(1).chopped(1));
        return;
    }
    out.append('"');
    // Most names: printable ASCII with nothing to escape, copied as they are.
    if (isAsciiText(text)) {
        const char16_t *units = QStringView(text).utf16();
        bool plain = true;
        for (qsizetype i = 0; i < text.size() && plain; ++i)
            plain = units[i] >= 0x20 && units[i] != u'"' && units[i] != u'\\';
        if (plain) {
            const qsizetype at = out.size();
            out.resize(at + text.size() + 1);
            char *bytes = out.data() + at;
            for (qsizetype i = 0; i < text.size(); ++i)
                bytes[i] = char(units[i]);
            bytes[text.size()] = '"';
            return;
        }
    }
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        default:
            if (uchar(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(uchar(c)));
                out.append(escaped);
            } else {
                out.append(c);
            }
        }
    }
    out.append('"');
}

void appendBatchHead(QByteArray &out, const JournalRecord::Batch &batch)
{
    out.append("\"id\": ");
    appendJsonString(out, batch.id);
    out.append(",\n\"kind\": ");
    appendJsonString(out, JournalRecord::kindName(batch.kind));
    out.append(",\n\"started\": ");
    appendJsonString(out, batch.started.toString(Qt::ISODateWithMs));
    out.append(",\n\"undoes\": ");
    appendJsonString(out, batch.undoes);
    // Only where there is one, so that the other records read as they always did.
    if (!batch.recovers.isEmpty()) {
        out.append(",\n\"recovers\": ");
        appendJsonString(out, batch.recovers);
    }
    if (!batch.rules.isEmpty())
        out.append(",\n\"rules\": ").append(batch.rules);
}

void appendIndexedStrings(QByteArray &out, const QMap<int, QString> &strings)
{
    bool first = true;
    for (auto it = strings.cbegin(); it != strings.cend(); ++it) {
        out.append(first ? "\n  [" : ",\n  [").append(QByteArray::number(it.key())).append(", ");
        appendJsonString(out, it.value());
        out.append(']');
        first = false;
    }
}

bool isCleanFolder(const QString &path)
{
    return QDir::isAbsolutePath(path) && path.endsWith(QLatin1Char('/'))
           && QDir::cleanPath(path) + QLatin1Char('/') == path;
}

QDateTime dateOf(const QJsonObject &object, QLatin1String key)
{
    return QDateTime::fromString(object.value(key).toString(), Qt::ISODateWithMs);
}

QByteArray rulesOf(const QJsonObject &object)
{
    const QJsonValue rules = object.value(QLatin1String("rules"));
    return rules.isObject() ? QJsonDocument(rules.toObject()).toJson(QJsonDocument::Compact)
                            : QByteArray();
}

} // namespace

QString JournalRecord::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Rename:
        return QStringLiteral("rename");
    case Kind::Replace:
        return QStringLiteral("replace");
    case Kind::Undo:
        return QStringLiteral("undo");
    case Kind::Rules:
        return QStringLiteral("rules");
    case Kind::Recover:
        return QStringLiteral("recover");
    }
    return QString();
}

bool JournalRecord::kindNamed(const QString &name, Kind *kind)
{
    for (const Kind k : {Kind::Rename, Kind::Replace, Kind::Undo, Kind::Recover, Kind::Rules}) {
        if (kindName(k) == name) {
            *kind = k;
            return true;
        }
    }
    return false;
}

JournalRecord::PlanWriter::PlanWriter(const Batch &batch, bool replaceExisting,
                                      qsizetype entryCount)
{
    m_head.append("{\n\"format\": ");
    appendJsonString(m_head, formatName);
    m_head.append(",\n\"version\": 1,\n");
    appendBatchHead(m_head, batch);
    m_head.append(",\n\"replaceExisting\": ").append(replaceExisting ? "true" : "false");
    if (entryCount > 0)
        m_rows.reserve(entryCount * 64 + 512);
}

int JournalRecord::PlanWriter::folderIndex(const QString &folder)
{
    // Neighbours share their folder's text, which spares most look-ups; the
    // last one is held, so that its text cannot make way for another.
    if (m_lastIndex >= 0 && m_lastFolder.constData() == folder.constData()
        && m_lastFolder.size() == folder.size())
        return m_lastIndex;
    auto known = m_folderIndex.constFind(folder);
    if (known == m_folderIndex.constEnd()) {
        Q_ASSERT(!m_headTaken);
        known = m_folderIndex.insert(folder, int(m_folders.size()));
        m_folders.append(folder);
    }
    m_lastFolder = folder;
    m_lastIndex = known.value();
    return m_lastIndex;
}

void JournalRecord::PlanWriter::declare(const QString &folder, const QString &fromFolder,
                                        bool deletes)
{
    // In the order add() numbers them.
    folderIndex(folder);
    if (deletes || !fromFolder.isEmpty()) {
        m_elsewhere = true;
        if (!deletes)
            folderIndex(fromFolder);
    }
}

void JournalRecord::PlanWriter::add(const Entry &entry)
{
    m_rows.append(m_rowCount++ == 0 ? "\n  [" : ",\n  [");
    appendNumber(m_rows, quint64(folderIndex(entry.folder)));
    m_rows.append(", ");
    appendJsonString(m_rows, entry.oldName);
    m_rows.append(", ");
    appendJsonString(m_rows, entry.newName);
    m_rows.append(", \"");
    appendNumber(m_rows, entry.fileId);
    m_rows.append("\", ");
    appendJsonString(m_rows, entry.temporary);
    m_rows.append(", ");
    appendJsonString(m_rows, entry.setAside);
    const bool elsewhere = entry.deletes || !entry.fromFolder.isEmpty();
    if (!entry.fingerprint.isEmpty() || elsewhere) {
        m_rows.append(", ");
        appendJsonString(m_rows, entry.fingerprint);
    }
    if (elsewhere) {
        Q_ASSERT(m_elsewhere || !m_headTaken);
        m_elsewhere = true;
        m_rows.append(", ");
        if (entry.deletes)
            appendJsonString(m_rows, deleteMark);
        else
            m_rows.append(QByteArray::number(folderIndex(entry.fromFolder)));
    }
    m_rows.append(']');
}

QByteArray JournalRecord::PlanWriter::headWithFolders() const
{
    QByteArray out = m_head;
    out.append(",\n\"folders\": [");
    for (qsizetype f = 0; f < m_folders.size(); ++f) {
        out.append(f ? ",\n  " : "\n  ");
        appendJsonString(out, m_folders[f]);
    }
    out.append("],\n\"columns\": [\"folder\", \"old\", \"new\", \"fileId\", \"temporary\", "
               "\"setAside\", \"fingerprint\"");
    if (m_elsewhere)
        out.append(", \"from\"");
    out.append("],\n\"files\": [");
    return out;
}

QByteArray JournalRecord::PlanWriter::bytes() const
{
    QByteArray out = headWithFolders();
    out.reserve(out.size() + m_rows.size() + 8);
    out.append(m_rows);
    out.append("]\n}\n");
    return out;
}

QByteArray JournalRecord::PlanWriter::takeBytes()
{
    QByteArray out;
    if (!m_headTaken) {
        m_headTaken = true;
        out = headWithFolders();
    }
    out.append(m_rows);
    m_rows.clear();
    return out;
}

QByteArray JournalRecord::PlanWriter::takeRest()
{
    QByteArray out = takeBytes();
    out.append("]\n}\n");
    return out;
}

QByteArray JournalRecord::writePlan(const Plan &plan)
{
    PlanWriter writer(plan.batch, plan.replaceExisting, plan.entries.size());
    for (const Entry &entry : plan.entries)
        writer.add(entry);
    return writer.bytes();
}

bool JournalRecord::readPlan(const QByteArray &bytes, const QString &id, Plan *plan,
                             QStringList *unusable, QString *error)
{
    QJsonParseError parseError;
    const QJsonObject object = QJsonDocument::fromJson(bytes, &parseError).object();
    Batch &batch = plan->batch;
    if (parseError.error != QJsonParseError::NoError
        || object.value(QLatin1String("format")).toString() != formatName
        || object.value(QLatin1String("version")).toInt() != 1
        || object.value(QLatin1String("id")).toString() != id
        || !kindNamed(object.value(QLatin1String("kind")).toString(), &batch.kind)) {
        *error = parseError.error != QJsonParseError::NoError
                     ? parseError.errorString()
                     : tr("not a batch record of this program");
        return false;
    }
    batch.id = id;
    batch.started = dateOf(object, QLatin1String("started"));
    batch.undoes = object.value(QLatin1String("undoes")).toString();
    batch.recovers = object.value(QLatin1String("recovers")).toString();
    batch.rules = rulesOf(object);
    plan->replaceExisting = object.value(QLatin1String("replaceExisting")).toBool();

    QStringList folders;
    for (const QJsonValue &folder : object.value(QLatin1String("folders")).toArray()) {
        const QString path = folder.toString();
        if (!isCleanFolder(path)) {
            *error = tr("a folder of the record is not a clean absolute path");
            return false;
        }
        folders.append(path);
    }
    const auto folderAt = [&folders](const QJsonValue &value) {
        const int index = value.toInt(-1);
        return index >= 0 && index < folders.size() ? folders[index] : QString();
    };
    const QJsonArray files = object.value(QLatin1String("files")).toArray();
    plan->entries.clear();
    plan->entries.reserve(files.size());
    // The folders a file comes from are not among the batch's own.
    QVector<bool> renamedIn(folders.size(), false);
    for (const QJsonValue &value : files) {
        const QJsonArray row = value.toArray();
        Entry entry;
        entry.folder = folderAt(row.at(0));
        if (!entry.folder.isEmpty())
            renamedIn[row.at(0).toInt()] = true;
        entry.oldName = row.at(1).toString();
        entry.newName = row.at(2).toString();
        entry.fileId = row.at(3).toString().toULongLong();
        entry.temporary = row.at(4).toString();
        entry.setAside = row.at(5).toString();
        entry.fingerprint = row.at(6).toString();
        bool fromKnown = true;
        if (row.size() == 8) {
            const QJsonValue from = row.at(7);
            entry.deletes = from.toString() == deleteMark;
            entry.fromFolder = entry.deletes ? QString() : folderAt(from);
            fromKnown = entry.deletes || !entry.fromFolder.isEmpty();
        }
        const bool newNameFits =
            entry.deletes ? entry.newName.isEmpty() : isPlainFileName(entry.newName);
        if (row.size() < 6 || row.size() > 8 || entry.folder.isEmpty() || !fromKnown
            || !isPlainFileName(entry.oldName) || !newNameFits
            || (!entry.temporary.isEmpty() && !isPlainFileName(entry.temporary))
            || (!entry.setAside.isEmpty() && !isPlainFileName(entry.setAside))) {
            entry.usable = false;
            unusable->append(QDir::toNativeSeparators(entry.folder + entry.newName));
        }
        plan->entries.append(entry);
    }
    batch.planned = plan->entries.size();
    batch.renamed = plan->entries.size();
    batch.folders.clear();
    for (qsizetype f = 0; f < folders.size(); ++f) {
        if (renamedIn[f])
            batch.folders.append(folders[f]);
    }
    batch.folders.sort();
    batch.folderCount = batch.folders.size();
    return true;
}

QByteArray JournalRecord::writeEnd(const Batch &batch, const End &end)
{
    QByteArray out;
    out.append("{\n");
    appendBatchHead(out, batch);
    out.append(",\n\"planned\": ").append(QByteArray::number(batch.planned));
    out.append(",\n\"finished\": ");
    appendJsonString(out, end.finished.toString(Qt::ISODateWithMs));
    out.append(",\n\"cancelled\": ").append(end.cancelled ? "true" : "false");
    out.append(",\n\"renamed\": ").append(QByteArray::number(end.renamed));
    if (batch.folderCount >= 0) {
        // A few folders are enough to show; a history reads 50 of these files.
        out.append(",\n\"folders\": [");
        for (qsizetype f = 0; f < qMin<qsizetype>(batch.folders.size(), foldersKept); ++f) {
            out.append(f ? ",\n  " : "\n  ");
            appendJsonString(out, batch.folders[f]);
        }
        out.append("],\n\"folderCount\": ").append(QByteArray::number(batch.folderCount));
    }
    out.append(",\n\"elsewhere\": [");
    appendIndexedStrings(out, end.elsewhere);
    out.append("],\n\"disposed\": [");
    appendIndexedStrings(out, end.disposed);
    out.append("],\n\"failures\": [");
    for (qsizetype i = 0; i < end.failures.size(); ++i) {
        out.append(i ? ",\n  " : "\n  ");
        appendJsonString(out, end.failures[i]);
    }
    out.append("]\n}\n");
    return out;
}

bool JournalRecord::readEnd(const QByteArray &bytes, const Plan &plan, End *end,
                            QStringList *unusable, QString *error)
{
    QJsonParseError parseError;
    const QJsonObject object = QJsonDocument::fromJson(bytes, &parseError).object();
    if (parseError.error != QJsonParseError::NoError
        || object.value(QLatin1String("id")).toString() != plan.batch.id) {
        *error = tr("its end record cannot be read");
        return false;
    }
    end->finished = dateOf(object, QLatin1String("finished"));
    end->cancelled = object.value(QLatin1String("cancelled")).toBool();
    end->renamed = object.value(QLatin1String("renamed")).toInteger();
    const qsizetype count = plan.entries.size();
    for (const QJsonValue &value : object.value(QLatin1String("elsewhere")).toArray()) {
        const QJsonArray row = value.toArray();
        const int index = row.at(0).toInt(-1);
        const QString name = row.at(1).toString();
        if (index < 0 || index >= count || !isPlainFileName(name)) {
            unusable->append(name);
            continue;
        }
        end->elsewhere.insert(index, name);
    }
    for (const QJsonValue &value : object.value(QLatin1String("disposed")).toArray()) {
        const QJsonArray row = value.toArray();
        const int index = row.at(0).toInt(-1);
        const QString path = row.at(1).toString();
        if (index < 0 || index >= count
            || (!path.isEmpty()
                && (!QDir::isAbsolutePath(path) || QDir::cleanPath(path) != path))) {
            unusable->append(path);
            continue;
        }
        end->disposed.insert(index, path);
    }
    for (const QJsonValue &value : object.value(QLatin1String("failures")).toArray())
        end->failures.append(value.toString());
    return true;
}

bool JournalRecord::readSummary(const QByteArray &bytes, const QString &id, Batch *batch)
{
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    if (object.value(QLatin1String("id")).toString() != id
        || !kindNamed(object.value(QLatin1String("kind")).toString(), &batch->kind))
        return false;
    batch->id = id;
    batch->started = dateOf(object, QLatin1String("started"));
    batch->finished = dateOf(object, QLatin1String("finished"));
    batch->undoes = object.value(QLatin1String("undoes")).toString();
    batch->recovers = object.value(QLatin1String("recovers")).toString();
    batch->rules = rulesOf(object);
    batch->planned = object.value(QLatin1String("planned")).toInteger();
    batch->renamed = object.value(QLatin1String("renamed")).toInteger();
    batch->cancelled = object.value(QLatin1String("cancelled")).toBool();
    batch->folders.clear();
    batch->folderCount = -1;
    if (object.contains(QLatin1String("folderCount"))) {
        batch->folderCount = object.value(QLatin1String("folderCount")).toInteger();
        for (const QJsonValue &folder : object.value(QLatin1String("folders")).toArray()) {
            if (isCleanFolder(folder.toString()))
                batch->folders.append(folder.toString());
        }
    }
    return true;
}

bool JournalRecord::readPlanFolders(const QByteArray &head, QStringList *folders)
{
    // The plan writer puts the folders before the columns and the rows: the
    // head up to the columns, closed, is an object of its own.
    const qsizetype end = head.indexOf("\n\"columns\"");
    if (end < 0)
        return false;
    const qsizetype comma = head.lastIndexOf(',', end);
    const QJsonObject object = QJsonDocument::fromJson(head.left(comma) + '}').object();
    if (object.value(QLatin1String("format")).toString() != formatName)
        return false;
    folders->clear();
    for (const QJsonValue &folder : object.value(QLatin1String("folders")).toArray()) {
        if (isCleanFolder(folder.toString()))
            folders->append(folder.toString());
    }
    folders->sort();
    return true;
}

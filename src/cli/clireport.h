#ifndef CLIREPORT_H
#define CLIREPORT_H

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// What tavrelo-cli tells: one line per file on stdout (OLD -> NEW, or why a
// file stays), failures on stderr, or, with --json, the same files and a
// summary as one JSON document on stdout once the work is done.
class CliReport
{
public:
    explicit CliReport(bool json) : m_json(json) {}

    // One file: where it was and where it is (or would be), what happened
    // ("renamed", "planned", "unchanged", "conflict", "restored", "left
    // alone", "not done") and why, when there is something to say; with
    // --json also the plan's note as a stable name (BatchNotes::code).
    void add(const QString &oldPath, const QString &newPath, const QString &status,
             const QString &reason = QString(), const QString &note = QString());
    // The same for a file renamed inside its folder, the paths composed only
    // where the line needs them.
    void addInFolder(const QString &folder, const QString &oldName, const QString &newName,
                     const QString &status, const QString &reason = QString());
    // A file that could not be renamed: named on stderr in either form.
    void addFailure(const QString &oldPath, const QString &newPath, const QString &message);

    // Writes the JSON document, with the changes and this summary; nothing
    // in the text form.
    void finish(const QJsonObject &summary);

    static void printLine(const QString &line);
    static void printError(const QString &message);
    static void printJson(const QJsonObject &document);
    static void printJson(const QJsonDocument &document);

private:
    bool m_json;
    QJsonArray m_changes;
    // The line being written, its room kept for the next.
    QString m_line;
    QByteArray m_bytes;
};

#endif // CLIREPORT_H

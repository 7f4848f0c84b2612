#include "clireport.h"

#include "filenames.h"

#include <QDir>
#include <QJsonDocument>

#include <cstdio>

namespace {

void write(FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toLocal8Bit();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

} // namespace

void CliReport::add(const QString &oldPath, const QString &newPath, const QString &status,
                    const QString &reason, const QString &note)
{
    const QString oldShown = QDir::toNativeSeparators(oldPath);
    const QString newShown = QDir::toNativeSeparators(newPath);
    if (m_json) {
        QJsonObject change{{QStringLiteral("old"), oldShown},
                           {QStringLiteral("new"), newShown},
                           {QStringLiteral("status"), status}};
        if (!reason.isEmpty())
            change.insert(QStringLiteral("reason"), reason);
        if (!note.isEmpty())
            change.insert(QStringLiteral("note"), note);
        m_changes.append(change);
        return;
    }
    // A dry run says what would happen, not what did. The line is built in
    // one buffer kept from line to line: a batch of a million files prints a
    // million of them.
    const bool planned = status == QLatin1String("planned");
    const bool done =
        planned || status == QLatin1String("renamed") || status == QLatin1String("restored");
    QString &line = m_line;
    line.resize(0);
    if (planned)
        line += QLatin1String("would rename ");
    line += oldShown;
    if (newPath != oldPath) {
        line += QLatin1String(" -> ");
        line += newShown;
    }
    if (done && !reason.isEmpty()) {
        line += QLatin1String(" (");
        line += reason;
        line += QLatin1Char(')');
    } else if (!done) {
        line += QLatin1String(": ");
        line += status;
        if (!reason.isEmpty()) {
            line += QLatin1String(", ");
            line += reason;
        }
    }
    line += QLatin1Char('\n');
    write(stdout, line);
}

void CliReport::addInFolder(const QString &folder, const QString &oldName, const QString &newName,
                            const QString &status, const QString &reason)
{
#ifndef Q_OS_WIN
    // The common line, "OLD -> NEW", written straight from its parts; ASCII
    // parts (most) go to the bytes as they are.
    if (!m_json && reason.isEmpty() && oldName != newName && status == QLatin1String("renamed")
        && isAsciiText(folder) && isAsciiText(oldName) && isAsciiText(newName)) {
        QByteArray &bytes = m_bytes;
        bytes.resize(0);
        const auto append = [&bytes](const QString &text) {
            const qsizetype at = bytes.size();
            bytes.resize(at + text.size());
            const char16_t *units = QStringView(text).utf16();
            char *out = bytes.data() + at;
            for (qsizetype i = 0; i < text.size(); ++i)
                out[i] = char(units[i]);
        };
        append(folder);
        append(oldName);
        bytes.append(" -> ");
        append(folder);
        append(newName);
        bytes.append('\n');
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
        return;
    }
#endif
    add(folder + oldName, folder + newName, status, reason);
}

void CliReport::addFailure(const QString &oldPath, const QString &newPath, const QString &message)
{
    printError(message);
    if (m_json) {
        m_changes.append(QJsonObject{{QStringLiteral("old"), QDir::toNativeSeparators(oldPath)},
                                     {QStringLiteral("new"), QDir::toNativeSeparators(newPath)},
                                     {QStringLiteral("status"), QStringLiteral("failed")},
                                     {QStringLiteral("reason"), message}});
    }
}

void CliReport::finish(const QJsonObject &summary)
{
    if (!m_json)
        return;
    printJson(
        QJsonObject{{QStringLiteral("changes"), m_changes}, {QStringLiteral("summary"), summary}});
}

void CliReport::printLine(const QString &line)
{
    write(stdout, line + QLatin1Char('\n'));
}

void CliReport::printError(const QString &message)
{
    std::fflush(stdout);
    write(stderr, QLatin1String("tavrelo-cli: ") + message + QLatin1Char('\n'));
}

void CliReport::printJson(const QJsonObject &document)
{
    printJson(QJsonDocument(document));
}

void CliReport::printJson(const QJsonDocument &document)
{
    const QByteArray bytes = document.toJson(QJsonDocument::Indented);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

#include "clireport.h"

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
    // A dry run says what would happen, not what did.
    QString line =
        status == QLatin1String("planned") ? QStringLiteral("would rename ") + oldShown : oldShown;
    if (newPath != oldPath)
        line += QLatin1String(" -> ") + newShown;
    const bool done = status == QLatin1String("renamed") || status == QLatin1String("planned")
                      || status == QLatin1String("restored");
    if (done && !reason.isEmpty())
        line += QStringLiteral(" (%1)").arg(reason);
    else if (!done)
        line += QStringLiteral(": %1%2").arg(
            status, reason.isEmpty() ? QString() : QLatin1String(", ") + reason);
    printLine(line);
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

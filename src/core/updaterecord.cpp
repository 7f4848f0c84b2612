#include "updaterecord.h"

#include <QVersionNumber>

#include <QStringList>
#include <QTextStream>

UpdateRecord UpdateRecord::fromInformationFile(const QByteArray &bytes)
{
    QString last;
    QTextStream stream(bytes);
    while (!stream.atEnd())
        last = stream.readLine();

    UpdateRecord record;
    const QStringList fields = last.split(QLatin1Char(';'), Qt::KeepEmptyParts);
    if (fields.size() < 4)
        return record;
    record.versionKey = fields.at(0);
    record.versionShown = fields.at(1);
    record.fileName = fields.at(2);
    record.whatsNew = fields.at(3);
    record.complete = true;
    return record;
}

namespace {

// "1.10.0" as a version; null for "1.1-beta", "" or "1..2".
QVersionNumber dottedVersion(const QString &text)
{
    qsizetype end = 0;
    const QVersionNumber version = QVersionNumber::fromString(text, &end);
    return end == text.size() ? version : QVersionNumber();
}

} // namespace

bool UpdateRecord::isNewerThan(const QString &currentVersion) const
{
    if (!complete)
        return false;
    const QVersionNumber offered = dottedVersion(versionShown);
    const QVersionNumber running = dottedVersion(currentVersion);
    if (!offered.isNull() && !running.isNull())
        return QVersionNumber::compare(offered, running) > 0;
    return isNewerVersion(versionKey, versionKeyOf(currentVersion));
}

QString versionKeyOf(const QString &applicationVersion)
{
    return QString(applicationVersion).remove(QLatin1Char('.'));
}

bool isNewerVersion(const QString &versionKey, const QString &currentKey)
{
    return currentKey < versionKey;
}

QString whatsNewText(const QString &field)
{
    QString text;
    const QStringList pieces = field.split(QLatin1Char('_'), Qt::KeepEmptyParts);
    for (const QString &piece : pieces)
        text += piece + QLatin1Char('\n');
    return text;
}

QString progressText(qint64 received, qint64 total, const QString &downloadedOn,
                     const QString &percentDone)
{
    // An empty file is complete as soon as it is announced.
    const double percent = total > 0 ? double(received) / double(total) * 100.0 : 100.0;
    return QString::number(received / 1024) + downloadedOn + QString::number(total / 1024)
           + QStringLiteral(" ko (~") + QString::number(total / 1048576) + QStringLiteral(" Mo) - ")
           + QString::number(percent, 'f', 1) + percentDone;
}

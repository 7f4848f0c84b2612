#include "filenames.h"

#include <QDir>

NameParts splitFileName(const QString &fileName)
{
    NameParts parts;
    const qsizetype firstDot = fileName.indexOf(QLatin1Char('.'));
    if (firstDot < 0) {
        parts.baseName = fileName;
        return parts;
    }
    const qsizetype lastDot = fileName.lastIndexOf(QLatin1Char('.'));
    parts.hasDot = true;
    parts.baseName = fileName.left(firstDot);
    parts.middle = fileName.mid(firstDot, lastDot - firstDot);
    parts.suffix = fileName.mid(lastDot + 1);
    return parts;
}

QString NameParts::compose(const QString &newBase, const QString &newSuffix) const
{
    if (!hasDot)
        return newBase;
    return newBase + middle + QLatin1Char('.') + newSuffix;
}

QStringView suffixOf(const QString &fileName)
{
    const qsizetype lastDot = fileName.lastIndexOf(QLatin1Char('.'));
    return lastDot < 0 ? QStringView() : QStringView(fileName).mid(lastDot + 1);
}

QString fileNameOf(const QString &path)
{
    qsizetype separator = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    separator = qMax(separator, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return path.mid(separator + 1);
}

QString folderPrefixOf(const QString &folderPath)
{
    QString absolute = QDir(folderPath).absolutePath();
    if (!absolute.endsWith(QLatin1Char('/')))
        absolute.append(QLatin1Char('/'));
    return QDir::toNativeSeparators(absolute);
}

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return false;
#ifdef Q_OS_WIN
    for (const QChar c : name) {
        if (c < QLatin1Char(' ') || QStringLiteral("\\:*?\"<>|").contains(c))
            return false;
    }
#endif
    return true;
}

bool isSafeDownloadName(const QString &name)
{
    if (!isPlainFileName(name))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20
            || c.unicode() == 0x7f)
            return false;
    }
    return !QDir::isAbsolutePath(name);
}

#include "testdir.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

QString TestDir::at(const QString &relativePath) const
{
    return relativePath.isEmpty() ? path() : filePath(relativePath);
}

QString TestDir::file(const QString &relativePath, const QByteArray &content,
                      const QDateTime &mtime)
{
    const QString full = at(relativePath);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot create %s", qPrintable(full));
    f.write(content);
    // Written data still buffered would touch the time again on close.
    f.flush();
    if (mtime.isValid())
        f.setFileTime(mtime, QFileDevice::FileModificationTime);
    f.close();
    return full;
}

QString TestDir::sizedFile(const QString &relativePath, qint64 size, const QDateTime &mtime)
{
    return file(relativePath, QByteArray(int(size), 'x'), mtime);
}

QString TestDir::folder(const QString &relativePath)
{
    const QString full = at(relativePath);
    QDir().mkpath(full);
    return full;
}

QStringList TestDir::names(const QString &relativePath) const
{
    return QDir(at(relativePath))
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name);
}

QByteArray TestDir::content(const QString &relativePath) const
{
    return readFile(at(relativePath));
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(path, readFile(path));
    }
    return files;
}

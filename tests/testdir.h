#ifndef TESTDIR_H
#define TESTDIR_H

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

// A temporary folder that makes "these files, these sizes, these dates" one line each.
class TestDir : public QTemporaryDir
{
public:
    // Path of a name inside the folder.
    QString at(const QString &relativePath) const;
    // Creates the file (and its folders) with the given content; when mtime is
    // valid, sets the file's modification time to it. Returns the file's path.
    QString file(const QString &relativePath, const QByteArray &content = QByteArray(),
                 const QDateTime &mtime = QDateTime());
    QString sizedFile(const QString &relativePath, qint64 size,
                      const QDateTime &mtime = QDateTime());
    QString folder(const QString &relativePath);
    // Names directly inside a folder of this tree (files and folders, hidden
    // ones too), sorted.
    QStringList names(const QString &relativePath = QString()) const;
    QByteArray content(const QString &relativePath) const;
};

// One row of a data-driven test, its columns in order.
template <typename... Columns> void addRow(const char *tag, Columns... columns)
{
    (QTest::newRow(tag) << ... << columns);
}

// Reads a whole file; empty when it cannot be read.
QByteArray readFile(const QString &path);

// Every file below root, hidden ones too: path -> content.
QMap<QString, QByteArray> snapshot(const QString &root);

#endif // TESTDIR_H

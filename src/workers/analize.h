#ifndef ANALIZE_H
#define ANALIZE_H

#include <QSet>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>

// Counts the files and gathers the distinct suffixes of an input list on a
// thread of its own. After the last input entry, and every 100 ms on the way,
// it reports the running totals and every suffix found so far, in order of
// first appearance (compared case-sensitively, the empty suffix included). An input directory
// contributes the plain files directly inside it; any other entry (a file, a
// path that no longer exists) counts as one file.
//
// progressChanged tells how many input entries are done: once at the start,
// then with the reports on the way, and once at the end. cancel() may be called from
// any thread; the run then stops at the next entry (or within a few thousand
// names of a large folder) and sends only its final progress.
//
// setPathList runs on the GUI thread and must never be called while the
// thread runs; it also clears a cancel request. The analysis only reads names
// and listings; it never changes anything on disk.
class Analize : public QThread
{
    Q_OBJECT

public:
    explicit Analize(QObject *parent);

    void setPathList(const QStringList &pathList);
    // Counts the files of every folder beneath an input directory too.
    void setRecursive(bool recursive) { this->recursive = recursive; }
    void cancel();
    bool wasCancelled() const;

signals:
    void setFilesInformations(int files, int suffixes);
    void setListExtensions(QStringList listExtensions);
    void resetListExtensions();
    void progressChanged(qint64 done, qint64 total);

protected:
    void run() override;

private:
    void addSuffix(const QString &suffix);
    bool countFolder(const QString &folder);

    QStringList pathList;
    // Only the number of file entries found is ever used, so that is all
    // that is kept.
    qsizetype fileCount = 0;
    QStringList listExtensions;
    QSet<QString> knownExtensions;
    std::atomic<bool> cancelled{false};
    bool recursive = false;
};

#endif // ANALIZE_H

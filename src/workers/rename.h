#ifndef RENAME_H
#define RENAME_H

#include <QStringList>
#include <QThread>

// The numbered renaming of the input list, on a thread of its own. The window
// hands over a request with setParameters() and starts the thread; run()
// lists and plans everything first, then renames, then reports the new input
// list (each file under the name it really bears) and, once, the files that
// could not be renamed. setParameters() and reset() run on the GUI thread and
// must never be called while the thread runs. Never replaces an existing file.
class Rename : public QThread
{
    Q_OBJECT

public:
    explicit Rename(QObject *parent);
    // Waits for a run in progress: a rename is never cut off half-way.
    ~Rename() override;

    void setParameters(const QStringList &pathList, const QString &outputFormat, bool reverseFormat,
                       int formatPosition, const QStringList &listExtensions, int renameBy,
                       bool renameByReversed, bool renameIndividually);
    QString status() const;
    void reset();

signals:
    void setFilesInformations(int, int);
    void setListExtensions(QStringList listExtensions);
    void refreshListView(QStringList newList);
    void errorAtRename(int priority, QString message);

protected:
    void run() override;

private:
    QStringList listDirectory(const QString &dirPath) const;

    QStringList pathList;
    QString outputFormat;
    bool reverseFormat = false;
    int formatPosition = 0;
    QStringList listExtensions;
    int renameBy = 0;
    bool renameByReversed = false;
    bool renameIndividually = false;
    QString statusText;
};

#endif // RENAME_H

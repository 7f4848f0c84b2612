#ifndef INPUTLIST_H
#define INPUTLIST_H

#include "rowindex.h"
#include <QList>

#include <QObject>
#include <QStringList>
#include <QUrl>

class InputListModel;

// The files and folders the user gave, each once: the model the list view
// shows is the one copy of the list. Paths arrive from drops, menus and the
// command line; a large batch is taken in slices over several event-loop
// turns, so the window stays responsive. GUI thread only.
class InputList : public QObject
{
    Q_OBJECT

public:
    explicit InputList(QObject *parent);

    InputListModel *model() const { return m_model; }
    const QStringList &paths() const;
    bool isEmpty() const { return paths().isEmpty(); }
    // Paths given are still waiting for their turn.
    bool isTaking() const { return !pendingBatches.isEmpty(); }

    void addPaths(const QStringList &paths);
    void addUrls(const QList<QUrl> &urls);
    // Rows in any order, repeats allowed.
    void removeRows(QList<int> rows);
    // The list after a run, which renamed some of its entries.
    void setPaths(const QStringList &paths);
    // Forgets the list and whatever was still to be taken.
    void clear();

    // The home test is a plain substring test, as it always was: a folder
    // "/home/anna" lies inside the home "/home/ann". -1 when all lie inside.
    static qsizetype firstOutsideHome(const QStringList &paths);

signals:
    // The first paths of a batch that lie outside the home folder were taken:
    // once a batch. A box shown from here may take more paths meanwhile.
    void outsideHomeTaken();
    // A batch was taken whole; the list is ready to be analysed.
    void batchTaken();
    // Paths started or stopped waiting.
    void takingChanged();

private:
    // Paths of one drop, menu choice or command line still to be listed.
    struct PendingBatch
    {
        QStringList paths;
        QList<QUrl> urls; // a drop's paths, converted as they are taken
        qsizetype next = 0;
        bool warn = true; // until outsideHomeTaken was emitted for it
        qsizetype size() const { return urls.isEmpty() ? paths.size() : urls.size(); }
    };

    void enqueue(PendingBatch batch);
    void takePendingPaths();

    InputListModel *m_model;
    // Exact-match lookup of the list, rebuilt when rows go away.
    RowIndex knownPaths;
    bool knownPathsValid = true;
    QList<PendingBatch> pendingBatches;
    bool takingSlice = false;
    bool sliceQueued = false;
};

#endif // INPUTLIST_H

#ifndef RECOVER_H
#define RECOVER_H

#include "batchworker.h"

#include <QString>

// Brings the batches cut off by a crash to a known state on a thread of its
// own, through the same executor as any run (see BatchRun::recover), with its
// progress reported like a run's. Never stops half-way: cancel() is not
// heeded, so that no file is left under a temporary name. What it found and
// did is one text, read with message() once the thread has finished (empty
// when there was nothing to do).
class Recover : public BatchWorker
{
    Q_OBJECT

public:
    explicit Recover(QObject *parent);

    // Whether a batch waits to be put in order: a look at the journal's
    // folder, on the owner's thread, never during a run.
    bool isNeeded() const;
    QString message() const { return text; }

protected:
    void run() override;

private:
    QString text;
};

#endif // RECOVER_H

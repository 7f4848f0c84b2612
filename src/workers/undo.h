#ifndef UNDO_H
#define UNDO_H

#include "batchworker.h"

#include <QString>

// Takes back one batch of the journal on a thread of its own, through the
// same executor as any run: every file that is still the batch's own returns
// to its old name, displaced files come back from the trash, and every file
// left as it is is named in one message; a batch that must wait for a later
// one is refused whole, naming that one. Reports the restored paths as the new
// input list. setBatch() runs on the owner's thread, never during a run.
class Undo : public BatchWorker
{
    Q_OBJECT

public:
    explicit Undo(QObject *parent);

    void setBatch(const QString &batchId);

protected:
    void run() override;

private:
    QString batchId;
};

#endif // UNDO_H

#include "recover.h"

Recover::Recover(QObject *parent) : BatchWorker(parent) {}

bool Recover::isNeeded() const
{
    return !journal.unfinished().isEmpty();
}

void Recover::run()
{
    text = BatchRun::recover(journal, executorOptions(false)).message();
}

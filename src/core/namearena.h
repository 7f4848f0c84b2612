#ifndef NAMEARENA_H
#define NAMEARENA_H

#include <QString>
#include <QStringView>

// Names made side by side in shared blocks rather than one heap block each:
// a million names of a listing or a plan then cost their characters, not the
// 64 bytes apiece that a name of a dozen letters takes from the allocator.
// Each name is an ordinary QString whose data lies in a block it shares with
// its neighbours; the block lives as long as any of its names. Changing a
// name copies it out of its block first, as for any shared string, so no
// name ever writes over another. One arena per thread; the names it made go
// anywhere.
class NameArena
{
public:
    NameArena() = default;
    NameArena(const NameArena &) = delete;
    NameArena &operator=(const NameArena &) = delete;

    // A name with text's characters, kept in the arena.
    QString make(QStringView text);
    // The same characters as name, kept in the arena; name itself when the
    // arena would save nothing (an empty or a long name, or one already
    // sharing its data).
    QString take(const QString &name);
    // A name as the file system spells it (see nameFromBytes).
    QString fromBytes(const char *bytes, qsizetype size);

private:
    char16_t *room(qsizetype size);

    QString::DataPointer m_block;
    qsizetype m_used = 0;
    qsizetype m_capacity = 0;
};

#endif // NAMEARENA_H

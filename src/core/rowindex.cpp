#include "rowindex.h"

void RowIndex::clear()
{
    table = QVector<Slot>();
    used = 0;
}

void RowIndex::reserve(qsizetype rows)
{
    qsizetype capacity = 16;
    while (capacity < 2 * rows)
        capacity *= 2;
    if (capacity > table.size())
        growTo(capacity);
}

void RowIndex::insert(QStringView text, int row)
{
    if (2 * (used + 1) > table.size())
        growTo(qMax<qsizetype>(16, 2 * table.size()));
    place(hashOf(text), row);
    ++used;
}

void RowIndex::place(quint32 hash, int row)
{
    qsizetype at = hash & mask();
    while (table.at(at).row >= 0)
        at = (at + 1) & mask();
    table[at] = Slot{hash, row};
}

void RowIndex::growTo(qsizetype capacity)
{
    const QVector<Slot> old = std::exchange(table, QVector<Slot>(capacity));
    for (const Slot &slot : old) {
        if (slot.row >= 0)
            place(slot.hash, slot.row);
    }
}

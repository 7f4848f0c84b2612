#ifndef ROWINDEX_H
#define ROWINDEX_H

#include <QHashFunctions>
#include <QString>
#include <QVector>

// Finds a text among the rows of a list kept elsewhere: it holds, for each
// row, only its number and hash (8 bytes, the table at most half full). A
// million paths cost 16 MB here, where a QSet<QString> beside the list costs
// about 50. Rows are found through a function that gives a row's text, so
// rows still to be appended to the list can be found too.
class RowIndex
{
public:
    void clear();
    // Makes room for this many rows in all, so that no growth rehashes.
    void reserve(qsizetype rows);
    qsizetype size() const { return used; }

    // The row whose text is text, or -1. rowText(int row) gives a row's text.
    template <typename RowText> int find(QStringView text, RowText rowText) const
    {
        if (table.isEmpty())
            return -1;
        const quint32 hash = hashOf(text);
        for (qsizetype at = hash & mask();; at = (at + 1) & mask()) {
            const Slot &slot = table.at(at);
            if (slot.row < 0)
                return -1;
            if (slot.hash == hash && rowText(slot.row) == text)
                return slot.row;
        }
    }
    // Adds a row, whose text is not yet in the index.
    void insert(QStringView text, int row);

private:
    struct Slot
    {
        quint32 hash = 0;
        int row = -1; // -1: free
    };
    static quint32 hashOf(QStringView text) { return quint32(qHash(text, 0)); }
    qsizetype mask() const { return table.size() - 1; }
    void growTo(qsizetype capacity);
    void place(quint32 hash, int row);

    QVector<Slot> table;
    qsizetype used = 0;
};

#endif // ROWINDEX_H

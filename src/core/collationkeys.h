#ifndef COLLATIONKEYS_H
#define COLLATIONKEYS_H

#include <QLocale>
#include <QString>

#include <vector>

struct UCollator;

// The sort keys of many texts, as QCollator::sortKey makes them for a locale
// in numeric mode and without letter case (the order a file manager lists
// names in), held in one block: a million names cost their keys' bytes and
// an offset each, not three allocations each. Keys compare as QCollator's
// do, byte for byte. Any thread, one thread per instance.
class CollationKeys
{
public:
    explicit CollationKeys(const QLocale &locale = QLocale());
    ~CollationKeys();
    CollationKeys(const CollationKeys &) = delete;
    CollationKeys &operator=(const CollationKeys &) = delete;

    void reserve(qsizetype count);
    // The key's number: the count of keys added before it.
    qsizetype add(QStringView text);
    qsizetype size() const { return qsizetype(m_starts.size()); }
    qsizetype bytes() const { return qsizetype(m_bytes.size()); }
    // Below, equal to or above 0 as a's text sorts before, with or after b's.
    int compare(qsizetype a, qsizetype b) const;

private:
    UCollator *m_collator = nullptr;
    bool m_bytewise = false; // the "C" locale: code points, as QCollator has it
    std::vector<char> m_bytes;
    std::vector<qsizetype> m_starts;
};

#endif // COLLATIONKEYS_H

#include "namearena.h"

#include "filenames.h"

#include <algorithm>

namespace {

// Blocks grow from a few names, so that a folder of three files does not
// hold a large one, to this many characters, well below what the allocator
// maps on its own.
const qsizetype firstBlock = 128;
const qsizetype largestBlock = 16384;
// A name longer than this takes its own heap block, as any string does.
const qsizetype longName = 512;

} // namespace

char16_t *NameArena::room(qsizetype size)
{
    // Each name ends with a NUL, as every QString's data does.
    if (m_used + size + 1 > m_capacity) {
        const qsizetype capacity =
            std::max(size + 1, std::min(largestBlock, std::max(firstBlock, m_capacity * 2)));
        auto [header, data] = QTypedArrayData<char16_t>::allocate(capacity);
        if (!header)
            return nullptr;
        m_block = QString::DataPointer(header, data, 0);
        m_used = 0;
        m_capacity = capacity;
    }
    char16_t *at = m_block.data() + m_used;
    m_used += size + 1;
    at[size] = u'\0';
    // The name's own reference to its block.
    m_block.d_ptr()->ref();
    return at;
}

QString NameArena::make(QStringView text)
{
    if (text.isEmpty() || text.size() > longName)
        return text.toString();
    char16_t *at = room(text.size());
    if (!at)
        return text.toString();
    std::copy(text.utf16(), text.utf16() + text.size(), at);
    return QString(QString::DataPointer(m_block.d_ptr(), at, text.size()));
}

QString NameArena::take(const QString &name)
{
    if (name.isEmpty() || name.size() > longName || !name.isDetached())
        return name;
    return make(name);
}

QString NameArena::fromBytes(const char *bytes, qsizetype size)
{
    if (size == 0 || size > longName)
        return nameFromBytes(bytes, size);
    for (qsizetype i = 0; i < size; ++i) {
        if (uchar(bytes[i]) >= 0x80)
            return take(nameFromBytes(bytes, size));
    }
    // ASCII, most names: widened straight into the block.
    char16_t *at = room(size);
    if (!at)
        return nameFromBytes(bytes, size);
    for (qsizetype i = 0; i < size; ++i)
        at[i] = char16_t(uchar(bytes[i]));
    return QString(QString::DataPointer(m_block.d_ptr(), at, size));
}

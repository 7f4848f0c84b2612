#include "collationkeys.h"

#include <unicode/ucol.h>

#include <cstring>

CollationKeys::CollationKeys(const QLocale &locale)
{
    // Opened and set as QCollator opens and sets its own for the same
    // choices, so that the keys are the very ones it would make.
    if (locale.language() == QLocale::C) {
        m_bytewise = true;
        return;
    }
    UErrorCode status = U_ZERO_ERROR;
    const QByteArray name = locale.bcp47Name().toLatin1().replace('-', '_');
    m_collator = ucol_open(name.constData(), &status);
    if (U_FAILURE(status)) {
        m_collator = nullptr; // no order at all, as with QCollator
        return;
    }
    ucol_setAttribute(m_collator, UCOL_NORMALIZATION_MODE, UCOL_ON, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(m_collator, UCOL_STRENGTH, UCOL_SECONDARY, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(m_collator, UCOL_NUMERIC_COLLATION, UCOL_ON, &status);
    status = U_ZERO_ERROR;
    ucol_setAttribute(m_collator, UCOL_ALTERNATE_HANDLING, UCOL_NON_IGNORABLE, &status);
}

CollationKeys::~CollationKeys()
{
    if (m_collator)
        ucol_close(m_collator);
}

void CollationKeys::reserve(qsizetype count)
{
    m_starts.reserve(size_t(count));
    // A file name's key takes about two bytes a letter.
    m_bytes.reserve(size_t(count) * 32);
}

qsizetype CollationKeys::add(QStringView text)
{
    const size_t start = m_bytes.size();
    m_starts.push_back(qsizetype(start));
    if (m_bytewise) {
        const QByteArray utf8 = text.toUtf8();
        m_bytes.insert(m_bytes.end(), utf8.cbegin(), utf8.cend());
        m_bytes.push_back('\0');
    } else if (m_collator) {
        // Every key ends in a zero byte and holds no other.
        const auto *chars = reinterpret_cast<const UChar *>(text.data());
        const int length = int(text.size());
        const int guess = 16 + length + length / 2;
        m_bytes.resize(start + size_t(guess));
        const int size = ucol_getSortKey(
            m_collator, chars, length, reinterpret_cast<uint8_t *>(m_bytes.data() + start), guess);
        if (size > guess) {
            m_bytes.resize(start + size_t(size));
            ucol_getSortKey(m_collator, chars, length,
                            reinterpret_cast<uint8_t *>(m_bytes.data() + start), size);
        }
        m_bytes.resize(start + size_t(qMax(size, 1)));
        if (size <= 0)
            m_bytes[start] = '\0';
    } else {
        m_bytes.push_back('\0');
    }
    return qsizetype(m_starts.size()) - 1;
}

int CollationKeys::compare(qsizetype a, qsizetype b) const
{
    // strcmp orders bytes as unsigned, as QCollatorSortKey::compare does.
    return std::strcmp(m_bytes.data() + m_starts[size_t(a)], m_bytes.data() + m_starts[size_t(b)]);
}

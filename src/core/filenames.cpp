#include "filenames.h"

#include <QDir>
#include <QStringBuilder>

namespace {

bool isEscapedByte(char16_t unit)
{
    return unit >= 0xDC80 && unit <= 0xDCFF;
}

// Length of the valid UTF-8 sequence at bytes[0], or 0 when it is not one.
int utf8SequenceLength(const uchar *bytes, qsizetype available)
{
    const uchar lead = bytes[0];
    int length = 0;
    char32_t least = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        least = 0x10000;
    } else {
        return 0;
    }
    if (available < length)
        return 0;
    char32_t code = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        if ((bytes[i] & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (bytes[i] & 0x3F);
    }
    // Overlong forms, surrogates and code points past Unicode are not text.
    if (code < least || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return 0;
    return length;
}

} // namespace

QString nameFromBytes(const char *bytes, qsizetype size)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes);
    qsizetype valid = 0;
    while (valid < size) {
        const int length = utf8SequenceLength(data + valid, size - valid);
        if (length == 0)
            break;
        valid += length;
    }
    if (valid == size)
        return QString::fromUtf8(bytes, size);
    QString name = QString::fromUtf8(bytes, valid);
    for (qsizetype at = valid; at < size;) {
        const int length = utf8SequenceLength(data + at, size - at);
        if (length == 0) {
            name.append(QChar(char16_t(0xDC00 + data[at])));
            ++at;
        } else {
            name.append(QString::fromUtf8(bytes + at, length));
            at += length;
        }
    }
    return name;
}

bool isAsciiText(QStringView text)
{
    // A plain loop over the units, which the compiler turns into wide
    // compares: most names are ASCII, and each is checked several times.
    const char16_t *units = text.utf16();
    char16_t seen = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
        seen |= units[i];
    return seen < 0x80;
}

bool holdsRawBytes(const QString &name)
{
    if (isAsciiText(name))
        return false;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size()
            && QChar::isLowSurrogate(name[i + 1].unicode()))
            ++i;
        else if (isEscapedByte(unit))
            return true;
    }
    return false;
}

QString caseFoldedName(const QString &name)
{
    if (!holdsRawBytes(name))
        return name.toCaseFolded();
    // QString folds a lone surrogate to U+FFFD, which would make two names
    // that differ only in their stray bytes one name.
    QString folded;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        if (i < name.size() && QChar::isHighSurrogate(name[i].unicode()) && i + 1 < name.size()
            && QChar::isLowSurrogate(name[i + 1].unicode())) {
            ++i;
            continue;
        }
        if (i == name.size() || isEscapedByte(name[i].unicode())) {
            folded += name.mid(start, i - start).toCaseFolded();
            if (i < name.size())
                folded += name[i];
            start = i + 1;
        }
    }
    return folded;
}

QByteArray nameToBytes(const QString &name)
{
    if (isAsciiText(name))
        return name.toLatin1();
    bool plain = true;
    for (const QChar c : name) {
        if (c.isSurrogate()) {
            plain = false;
            break;
        }
    }
    if (plain)
        return name.toUtf8();
    QByteArray bytes;
    bytes.reserve(name.size() * 3);
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < name.size()
            && QChar::isLowSurrogate(name[i + 1].unicode())) {
            bytes.append(name.mid(i, 2).toUtf8());
            ++i;
        } else if (isEscapedByte(unit)) {
            bytes.append(char(unit - 0xDC00));
        } else {
            // Half of a character: never a name the plan lets through.
            bytes.append(QString(QChar(unit)).toUtf8());
        }
    }
    return bytes;
}

NameParts splitFileName(const QString &fileName)
{
    NameParts parts;
    const qsizetype firstDot = fileName.indexOf(QLatin1Char('.'));
    if (firstDot < 0) {
        parts.baseName = fileName;
        return parts;
    }
    const qsizetype lastDot = fileName.lastIndexOf(QLatin1Char('.'));
    parts.hasDot = true;
    parts.baseName = fileName.left(firstDot);
    parts.middle = fileName.mid(firstDot, lastDot - firstDot);
    parts.suffix = fileName.mid(lastDot + 1);
    return parts;
}

QString NameParts::compose(const QString &newBase, const QString &newSuffix) const
{
    if (!hasDot)
        return newBase;
    // Built at its size in one go: a batch keeps a million of these.
    return QString(newBase % middle % QLatin1Char('.') % newSuffix);
}

QStringView suffixOf(const QString &fileName)
{
    const qsizetype lastDot = fileName.lastIndexOf(QLatin1Char('.'));
    return lastDot < 0 ? QStringView() : QStringView(fileName).mid(lastDot + 1);
}

QString fileNameOf(const QString &path)
{
    qsizetype separator = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    separator = qMax(separator, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return path.mid(separator + 1);
}

QString folderPrefixOf(const QString &folderPath)
{
    QString absolute = QDir(folderPath).absolutePath();
    if (!absolute.endsWith(QLatin1Char('/')))
        absolute.append(QLatin1Char('/'));
    return QDir::toNativeSeparators(absolute);
}

bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    if (name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
        return false;
#ifdef Q_OS_WIN
    for (const QChar c : name) {
        if (c < QLatin1Char(' ') || QStringLiteral("\\:*?\"<>|").contains(c))
            return false;
    }
#endif
    return true;
}

bool isSafeDownloadName(const QString &name)
{
    if (!isPlainFileName(name))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('\\') || c == QLatin1Char(':') || c.unicode() < 0x20
            || c.unicode() == 0x7f)
            return false;
    }
    return !QDir::isAbsolutePath(name);
}

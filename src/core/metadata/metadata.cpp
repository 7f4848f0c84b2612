#include "metadata.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <exiv2/exiv2.hpp>
#include <taglib/fileref.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tpropertymap.h>

#include <mutex>

namespace {

// Neither library may print on the program's console.
class SilentListener : public TagLib::DebugListener
{
public:
    void printMessage(const TagLib::String &) override {}
};

void lockXmp(void *, bool lock)
{
    static std::mutex mutex;
    if (lock)
        mutex.lock();
    else
        mutex.unlock();
}

void quietenLibraries()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
        Exiv2::LogMsg::setHandler(nullptr);
        // Its XMP toolkit is set up once, before any thread reads, and is
        // not safe on many threads without a lock of ours.
        Exiv2::XmpParser::initialize(lockXmp, nullptr);
        static SilentListener listener;
        TagLib::setDebugListener(&listener);
    });
}

bool isMusic(const QString &path)
{
    static const QStringList suffixes = {
        QStringLiteral("mp3"), QStringLiteral("flac"), QStringLiteral("ogg"),
        QStringLiteral("oga"), QStringLiteral("opus"), QStringLiteral("m4a"),
        QStringLiteral("mp4"), QStringLiteral("aac"),  QStringLiteral("wma"),
        QStringLiteral("wav"), QStringLiteral("aiff"), QStringLiteral("aif"),
        QStringLiteral("ape"), QStringLiteral("wv"),   QStringLiteral("mpc")};
    return suffixes.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

// The Exif tags read, found in one pass over the file's tags: looking each
// up by name would cost more than reading the file.
enum Tag {
    DateTimeOriginal,
    SubSecTimeOriginal,
    OffsetTimeOriginal,
    DateTimeDigitized,
    SubSecTimeDigitized,
    OffsetTimeDigitized,
    DateTime,
    SubSecTime,
    OffsetTime,
    Make,
    Model,
    LensModel,
    IsoSpeed,
    PixelXDimension,
    PixelYDimension,
    TagCount
};

// The tags read, as texts and numbers, found in one pass over the file's
// tags: looking each up by name would cost more than reading the file.
struct ExifTags
{
    QString texts[TagCount];
    long numbers[TagCount] = {};
    // Its maker's own tags, where a lens or an ISO may be instead.
    bool makerNote = false;

    ExifTags() = default;

    explicit ExifTags(const Exiv2::ExifData &exif)
    {
        static const QHash<QByteArray, Tag> tags = {
            {"Exif.Photo.DateTimeOriginal", DateTimeOriginal},
            {"Exif.Photo.SubSecTimeOriginal", SubSecTimeOriginal},
            {"Exif.Photo.OffsetTimeOriginal", OffsetTimeOriginal},
            {"Exif.Photo.DateTimeDigitized", DateTimeDigitized},
            {"Exif.Photo.SubSecTimeDigitized", SubSecTimeDigitized},
            {"Exif.Photo.OffsetTimeDigitized", OffsetTimeDigitized},
            {"Exif.Image.DateTime", DateTime},
            {"Exif.Photo.SubSecTime", SubSecTime},
            {"Exif.Photo.OffsetTime", OffsetTime},
            {"Exif.Image.Make", Make},
            {"Exif.Image.Model", Model},
            {"Exif.Photo.LensModel", LensModel},
            {"Exif.Photo.ISOSpeedRatings", IsoSpeed},
            {"Exif.Photo.PixelXDimension", PixelXDimension},
            {"Exif.Photo.PixelYDimension", PixelYDimension},
        };
        for (const Exiv2::Exifdatum &datum : exif) {
            const std::string key = datum.key();
            const QByteArray name = QByteArray::fromRawData(key.data(), qsizetype(key.size()));
            const auto tag = tags.constFind(name);
            if (tag != tags.cend()) {
                texts[*tag] = QString::fromStdString(datum.toString()).trimmed();
                numbers[*tag] = datum.count() > 0 ? datum.toLong() : 0;
            } else if (name.startsWith("Exif.MakerNote.") || name == "Exif.Photo.MakerNote") {
                makerNote = true;
            }
        }
    }

    // The same from the TIFF structure of a JPEG's Exif segment, read here:
    // Exiv2 would decode every tag and the thumbnail, three times the cost
    // of reading the file. False when the structure is broken.
    bool readTiff(QByteArrayView tiff)
    {
        const auto u16 = [&](qsizetype at) -> quint32 {
            const uchar a = uchar(tiff[at]), b = uchar(tiff[at + 1]);
            return bigEndian ? quint32(a << 8 | b) : quint32(b << 8 | a);
        };
        const auto u32 = [&](qsizetype at) -> quint32 {
            return bigEndian ? u16(at) << 16 | u16(at + 2) : u16(at + 2) << 16 | u16(at);
        };
        if (tiff.size() < 8)
            return false;
        if (tiff.startsWith("MM\0*"))
            bigEndian = true;
        else if (!tiff.startsWith("II*\0"))
            return false;
        const quint32 exifIfd = readIfd(tiff, u32(4), false, u16, u32);
        if (exifIfd == badIfd)
            return false;
        return exifIfd == 0 || readIfd(tiff, exifIfd, true, u16, u32) != badIfd;
    }

private:
    static constexpr quint32 badIfd = 0xFFFFFFFF;
    bool bigEndian = false;

    // Reads the tags of one directory; gives the Exif directory's offset
    // (0 when there is none), or badIfd.
    template <typename U16, typename U32>
    quint32 readIfd(QByteArrayView tiff, quint32 offset, bool exif, const U16 &u16, const U32 &u32)
    {
        if (offset < 8 || qsizetype(offset) + 2 > tiff.size())
            return badIfd;
        const quint32 count = u16(offset);
        if (qsizetype(offset) + 2 + qsizetype(count) * 12 > tiff.size())
            return badIfd;
        quint32 exifIfd = 0;
        for (quint32 i = 0; i < count; ++i) {
            const qsizetype entry = offset + 2 + qsizetype(i) * 12;
            const quint32 tag = u16(entry);
            const quint32 type = u16(entry + 2);
            const quint32 values = u32(entry + 4);
            if (!exif && tag == 0x8769) {
                exifIfd = u32(entry + 8);
                continue;
            }
            if (exif && tag == 0x927C) {
                makerNote = true;
                continue;
            }
            const Tag known = tagOf(tag, exif);
            if (known == TagCount || values == 0)
                continue;
            if (type == 2) { // ASCII, in the entry up to 4 bytes
                const qsizetype at = values <= 4 ? entry + 8 : qsizetype(u32(entry + 8));
                if (at + qsizetype(values) > tiff.size())
                    continue;
                QByteArrayView text = tiff.sliced(at, values);
                const qsizetype end = text.indexOf('\0');
                if (end >= 0)
                    text.truncate(end);
                texts[known] = QString::fromUtf8(text).trimmed();
            } else if (type == 3 || type == 4) { // SHORT, LONG: the first one
                // In the entry when all of them fit in its 4 bytes.
                const qsizetype size = qsizetype(values) * (type == 3 ? 2 : 4);
                const qsizetype at = size <= 4 ? entry + 8 : qsizetype(u32(entry + 8));
                if (at + (type == 3 ? 2 : 4) > tiff.size())
                    continue;
                numbers[known] = long(type == 3 ? u16(at) : u32(at));
                texts[known] = QString::number(numbers[known]);
            }
        }
        return exifIfd;
    }

    static Tag tagOf(quint32 tag, bool exif)
    {
        if (!exif) {
            switch (tag) {
            case 0x010F:
                return Make;
            case 0x0110:
                return Model;
            case 0x0132:
                return DateTime;
            default:
                return TagCount;
            }
        }
        switch (tag) {
        case 0x9003:
            return DateTimeOriginal;
        case 0x9291:
            return SubSecTimeOriginal;
        case 0x9011:
            return OffsetTimeOriginal;
        case 0x9004:
            return DateTimeDigitized;
        case 0x9292:
            return SubSecTimeDigitized;
        case 0x9012:
            return OffsetTimeDigitized;
        case 0x9290:
            return SubSecTime;
        case 0x9010:
            return OffsetTime;
        case 0xA434:
            return LensModel;
        case 0x8827:
            return IsoSpeed;
        case 0xA002:
            return PixelXDimension;
        case 0xA003:
            return PixelYDimension;
        default:
            return TagCount;
        }
    }

public:
    QString text(Tag tag) const { return texts[tag]; }
    long number(Tag tag) const { return numbers[tag]; }
};

// "2021:06:30 14:05:09", with "123" as sub-seconds and "+02:00" as offset.
QDateTime exifDate(const QString &text, const QString &subSeconds, const QString &offset)
{
    // Read by hand: Qt's parser of formats costs more than the rest of the
    // photo. Date and time apart: a time the local zone skips is still one.
    const auto number = [&text](qsizetype at, qsizetype count) {
        int value = 0;
        for (qsizetype i = at; i < at + count; ++i) {
            if (i >= text.size() || !text[i].isDigit())
                return -1;
            value = value * 10 + text[i].digitValue();
        }
        return value;
    };
    const QDate date(number(0, 4), number(5, 2), number(8, 2));
    QTime time(number(11, 2), number(14, 2), number(17, 2));
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    bool digits = false;
    const int fraction = subSeconds.left(3).leftJustified(3, QLatin1Char('0')).toInt(&digits);
    if (digits && !subSeconds.isEmpty())
        time = time.addMSecs(fraction);
    const QTime offsetTime = QTime::fromString(offset.mid(1, 5), QStringLiteral("HH:mm"));
    const QChar sign = offset.isEmpty() ? QChar() : offset[0];
    if (offsetTime.isValid() && (sign == QLatin1Char('+') || sign == QLatin1Char('-'))) {
        const int seconds = offsetTime.msecsSinceStartOfDay() / 1000;
        return QDateTime(date, time, Qt::OffsetFromUTC,
                         sign == QLatin1Char('-') ? -seconds : seconds);
    }
    // Without an offset the clock read the owner's local time; a time the
    // local zone skips keeps its fields as written.
    const QDateTime local(date, time, Qt::LocalTime);
    if (local.time() == time)
        return local;
    return QDateTime(date, time, Qt::UTC);
}

QDateTime takenFromExif(const ExifTags &exif)
{
    static const Tag tags[][3] = {
        {DateTimeOriginal, SubSecTimeOriginal, OffsetTimeOriginal},
        {DateTimeDigitized, SubSecTimeDigitized, OffsetTimeDigitized},
        {DateTime, SubSecTime, OffsetTime},
    };
    for (const auto &tag : tags) {
        const QString text = exif.text(tag[0]);
        if (text.isEmpty())
            continue;
        const QDateTime date = exifDate(text, exif.text(tag[1]), exif.text(tag[2]));
        if (date.isValid())
            return date;
    }
    return QDateTime();
}

QDateTime takenFromXmp(const Exiv2::XmpData &xmp)
{
    for (const char *key : {"Xmp.exif.DateTimeOriginal", "Xmp.xmp.CreateDate"}) {
        const auto it = xmp.findKey(Exiv2::XmpKey(key));
        if (it == xmp.end())
            continue;
        const QString text = QString::fromStdString(it->toString()).trimmed();
        QDateTime date = QDateTime::fromString(text, Qt::ISODateWithMs);
        if (!date.isValid())
            date = QDateTime::fromString(text, Qt::ISODate);
        if (date.isValid())
            return date;
    }
    return QDateTime();
}

int positive(long value)
{
    return value > 0 && value < INT_MAX ? int(value) : 0;
}

void factsFromExif(const ExifTags &exif, Metadata &facts)
{
    facts.taken = takenFromExif(exif);
    facts.make = exif.text(Make);
    facts.model = exif.text(Model);
    facts.lens = exif.text(LensModel);
    facts.iso = positive(exif.number(IsoSpeed));
    facts.width = positive(exif.number(PixelXDimension));
    facts.height = positive(exif.number(PixelYDimension));
}

// A lens or an ISO only the maker's own tags hold, as Exiv2 names them.
void factsFromMakerNote(const Exiv2::ExifData &exifData, Metadata &facts)
{
    if (facts.lens.isEmpty()) {
        const auto lens = Exiv2::lensName(exifData);
        if (lens != exifData.end())
            facts.lens = QString::fromStdString(lens->print(&exifData)).trimmed();
    }
    if (facts.iso == 0) {
        const auto iso = Exiv2::isoSpeed(exifData);
        if (iso != exifData.end())
            facts.iso = positive(iso->toLong());
    }
}

void readPhoto(const QString &path, Metadata &facts)
{
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    if (!image.get()) {
        facts.problem = QCoreApplication::translate("Rule", "not a photo");
        return;
    }
    image->readMetadata();
    const ExifTags exif(image->exifData());
    factsFromExif(exif, facts);
    if (exif.makerNote)
        factsFromMakerNote(image->exifData(), facts);
    if (!facts.taken.isValid())
        facts.taken = takenFromXmp(image->xmpData());
    if (facts.width == 0)
        facts.width = positive(long(image->pixelWidth()));
    if (facts.height == 0)
        facts.height = positive(long(image->pixelHeight()));
}

// A JPEG's segments before its image data: where the Exif, the XMP and the
// frame's size are. Read in one go from the head of the file (most photos
// hold them in its first 64 KiB), rather than through Exiv2's file access,
// which opens a file three times and copies it around: a folder of 10,000
// photos is read three times faster.
struct JpegHead
{
    int width = 0;
    int height = 0;

    // The TIFF structure after "Exif\0\0", and the XMP packet: views of
    // the head read last on this thread.
    QByteArrayView exif() const { return view(exifAt, exifSize); }
    QByteArrayView xmp() const { return view(xmpAt, xmpSize); }

    // False when the file is no JPEG, or ends before its image data: the
    // whole file then goes to Exiv2, which says what is wrong.
    bool read(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            return false;
        // One buffer a thread: a new 64 KiB block a file would cost the
        // kernel a page fault per page.
        QByteArray &head = buffer();
        qsizetype filled = 0;
        const auto has = [&](qsizetype size) {
            // A segment holds at most 64 KiB; a header of 16 MiB is no photo.
            while (filled < size && size <= 16 * 1024 * 1024) {
                if (head.size() < size)
                    head.resize(qMax(size, filled + 64 * 1024));
                const qint64 got = file.read(head.data() + filled, head.size() - filled);
                if (got <= 0)
                    return false;
                filled += got;
            }
            return filled >= size;
        };
        const auto byte = [&](qsizetype at) { return uchar(head[at]); };
        if (!has(2) || byte(0) != 0xFF || byte(1) != 0xD8)
            return false;
        qsizetype at = 2;
        while (true) {
            if (!has(at + 2) || byte(at) != 0xFF)
                return false;
            const uchar marker = byte(at + 1);
            if (marker == 0xFF) { // fill byte
                ++at;
                continue;
            }
            if (marker == 0xDA || marker == 0xD9) // image data, or its end
                return true;
            if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
                at += 2;
                continue;
            }
            if (!has(at + 4))
                return false;
            const int length = byte(at + 2) << 8 | byte(at + 3);
            const qsizetype end = at + 2 + length;
            if (length < 2 || !has(end))
                return false;
            const qsizetype payloadAt = at + 4;
            const QByteArrayView payload(head.constData() + payloadAt, length - 2);
            static const QByteArrayView exifSignature("Exif\0\0", 6);
            static const QByteArrayView xmpSignature("http://ns.adobe.com/xap/1.0/\0", 29);
            if (marker == 0xE1 && exifSize == 0 && payload.startsWith(exifSignature)) {
                exifAt = payloadAt + exifSignature.size();
                exifSize = payload.size() - exifSignature.size();
            } else if (marker == 0xE1 && xmpSize == 0 && payload.startsWith(xmpSignature)) {
                xmpAt = payloadAt + xmpSignature.size();
                xmpSize = payload.size() - xmpSignature.size();
            } else if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8
                       && marker != 0xCC && payload.size() >= 5) {
                // A frame: precision, then height and width.
                height = uchar(payload[1]) << 8 | uchar(payload[2]);
                width = uchar(payload[3]) << 8 | uchar(payload[4]);
            }
            at = end;
        }
    }

private:
    static QByteArray &buffer()
    {
        static thread_local QByteArray head;
        return head;
    }
    static QByteArrayView view(qsizetype at, qsizetype size)
    {
        return QByteArrayView(buffer().constData() + at, size);
    }

    qsizetype exifAt = 0;
    qsizetype exifSize = 0;
    qsizetype xmpAt = 0;
    qsizetype xmpSize = 0;
};

bool readJpeg(const QString &path, Metadata &facts)
{
    JpegHead head;
    if (!head.read(path))
        return false;
    ExifTags exif;
    if (!head.exif().isEmpty() && !exif.readTiff(head.exif()))
        return false;
    factsFromExif(exif, facts);
    if (exif.makerNote && (facts.lens.isEmpty() || facts.iso == 0)) {
        Exiv2::ExifData exifData;
        Exiv2::ExifParser::decode(exifData,
                                  reinterpret_cast<const Exiv2::byte *>(head.exif().data()),
                                  uint32_t(head.exif().size()));
        factsFromMakerNote(exifData, facts);
    }
    if (!facts.taken.isValid() && !head.xmp().isEmpty()) {
        Exiv2::XmpData xmpData;
        if (Exiv2::XmpParser::decode(xmpData, head.xmp().toByteArray().toStdString()) == 0)
            facts.taken = takenFromXmp(xmpData);
    }
    if (facts.width == 0)
        facts.width = head.width;
    if (facts.height == 0)
        facts.height = head.height;
    return true;
}

QString property(const TagLib::PropertyMap &properties, const char *key)
{
    const auto it = properties.find(key);
    if (it == properties.end() || it->second.isEmpty())
        return QString();
    return QString::fromStdWString(it->second.front().toWString()).trimmed();
}

// "3/12" is track 3; "2001-05-02" is the year 2001.
int leadingNumber(const QString &text)
{
    qsizetype digits = 0;
    while (digits < text.size() && text[digits].isDigit())
        ++digits;
    return positive(text.left(digits).toLong());
}

void readMusic(const QString &path, Metadata &facts)
{
    const QByteArray name = QFile::encodeName(path);
    const TagLib::FileRef file(name.constData(), false);
    if (file.isNull() || !file.file()->isValid()) {
        facts.problem = QCoreApplication::translate("Rule", "not a song, or damaged");
        return;
    }
    const TagLib::PropertyMap properties = file.file()->properties();
    facts.artist = property(properties, "ARTIST");
    facts.album = property(properties, "ALBUM");
    facts.title = property(properties, "TITLE");
    facts.genre = property(properties, "GENRE");
    facts.track = leadingNumber(property(properties, "TRACKNUMBER"));
    facts.disc = leadingNumber(property(properties, "DISCNUMBER"));
    facts.year = leadingNumber(property(properties, "DATE"));
}

} // namespace

Metadata Metadata::read(const QString &path)
{
    quietenLibraries();
    Metadata facts;
    try {
        if (isMusic(path))
            readMusic(path, facts);
        else if (!readJpeg(path, facts))
            readPhoto(path, facts);
    } catch (const std::exception &) {
        facts = Metadata();
        facts.problem = QCoreApplication::translate("Rule", "damaged, or not a photo");
    } catch (...) {
        facts = Metadata();
        facts.problem = QCoreApplication::translate("Rule", "could not be read");
    }
    return facts;
}

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

struct ExifTags
{
    const Exiv2::Exifdatum *found[TagCount] = {};
    // Its maker's own tags, where a lens or an ISO may be instead.
    bool makerNote = false;

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
            if (tag != tags.cend())
                found[*tag] = &datum;
            else if (name.startsWith("Exif.MakerNote.") || name == "Exif.Photo.MakerNote")
                makerNote = true;
        }
    }

    QString text(Tag tag) const
    {
        return found[tag] ? QString::fromStdString(found[tag]->toString()).trimmed() : QString();
    }
    long number(Tag tag) const { return found[tag] ? found[tag]->toLong() : 0; }
};

// "2021:06:30 14:05:09", with "123" as sub-seconds and "+02:00" as offset.
QDateTime exifDate(const QString &text, const QString &subSeconds, const QString &offset)
{
    // Date and time apart: a time the local zone skips is still a time.
    const QDate date = QDate::fromString(text.left(10), QStringLiteral("yyyy:MM:dd"));
    QTime time = QTime::fromString(text.mid(11, 8), QStringLiteral("HH:mm:ss"));
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

void readPhoto(const QString &path, Metadata &facts)
{
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    if (!image.get()) {
        facts.problem = QCoreApplication::translate("Rule", "not a photo");
        return;
    }
    image->readMetadata();
    const Exiv2::ExifData &exifData = image->exifData();
    const ExifTags exif(exifData);
    facts.taken = takenFromExif(exif);
    if (!facts.taken.isValid())
        facts.taken = takenFromXmp(image->xmpData());
    facts.make = exif.text(Make);
    facts.model = exif.text(Model);
    facts.lens = exif.text(LensModel);
    facts.iso = positive(exif.number(IsoSpeed));
    if (exif.makerNote && facts.lens.isEmpty()) {
        // As Exiv2 names the lens from the maker's tags.
        const auto lens = Exiv2::lensName(exifData);
        if (lens != exifData.end())
            facts.lens = QString::fromStdString(lens->print(&exifData)).trimmed();
    }
    if (exif.makerNote && facts.iso == 0) {
        const auto iso = Exiv2::isoSpeed(exifData);
        if (iso != exifData.end())
            facts.iso = positive(iso->toLong());
    }
    facts.width = positive(exif.found[PixelXDimension] ? exif.number(PixelXDimension)
                                                       : long(image->pixelWidth()));
    facts.height = positive(exif.found[PixelYDimension] ? exif.number(PixelYDimension)
                                                        : long(image->pixelHeight()));
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
        else
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

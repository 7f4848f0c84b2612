// Names from what files say of themselves, against the plainest ways of
// doing the same job, in the same run:
//   read    the date taken of every photo by Metadata::read, one file after
//           another, against reading the first 64 KiB of each with QFile
//           (and, to tell the library's share, Exiv2 alone);
//   photos  tavrelo-cli apply --rule 'template:{exif.date:yyyyMMdd_HHmmss}'
//           against exiftool '-FileName<DateTimeOriginal' on the same photos;
//   songs   tavrelo-cli apply --rule 'template:{audio.artist} - {audio.title}'
//           against a loop that reads the tags with TagLib and calls rename(2).
// The photos are JPEGs of noise stamped through Exiv2 as a camera would
// (date taken, make, model, exposure, a thumbnail), each with a date of its
// own; the songs are a few silent MPEG frames tagged through TagLib. Every
// method runs once untimed before the timed rounds, so all figures are of a
// warm page cache; the order of the methods alternates from round to round.
// Every renaming run gets a fresh copy of the folder (copied and synced
// untimed) and a fresh journal, and its result is checked name by name.
// exiftool comes from the Debian package libimage-exiftool-perl.
// Usage: bench_metadata [file count] [rounds] [read|photos|songs]

#include "metadata.h"
#include "metadatacache.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <exiv2/exiv2.hpp>
#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tpropertymap.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const QDateTime firstShot(QDate(2019, 5, 4), QTime(9, 30, 0), Qt::UTC);

[[noreturn]] void fail(const QString &what)
{
    std::fprintf(stderr, "bench_metadata: %s\n", qPrintable(what));
    std::exit(1);
}

QByteArray jpegOf(const QImage &image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "jpeg", quality))
        fail(QStringLiteral("Qt cannot write JPEG here (no imageformats plugin?)"));
    return bytes;
}

// Noise compresses badly, which gives the file a photo's body of entropy
// coded data after its metadata.
QImage noise(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator rng(7);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            line[x] = qRgb(x * 255 / width, int(rng.bounded(256)), y * 255 / height);
    }
    return image;
}

QString photoName(int i)
{
    return QStringLiteral("IMG_%1.jpg").arg(i, 5, 10, QLatin1Char('0'));
}

// Distinct and out of the order of the file names, so that no two photos
// share a new name and no new name is an old one.
QDateTime takenOf(int i, int count)
{
    return firstShot.addSecs(qint64((i * 7919LL) % count) * 53);
}

// The Exif block a camera writes, put into the plain JPEG in memory.
QByteArray stamped(const QByteArray &plain, const QByteArray &thumbnail, const QDateTime &taken)
{
    auto image = Exiv2::ImageFactory::open(reinterpret_cast<const Exiv2::byte *>(plain.constData()),
                                           long(plain.size()));
    image->readMetadata();
    Exiv2::ExifData &exif = image->exifData();
    const std::string date = taken.toString(QStringLiteral("yyyy:MM:dd HH:mm:ss")).toStdString();
    exif["Exif.Image.Make"] = "Tavrelo Optics";
    exif["Exif.Image.Model"] = "TX-100 Mark II";
    exif["Exif.Image.Orientation"] = uint16_t(1);
    exif["Exif.Image.XResolution"] = Exiv2::URational(72, 1);
    exif["Exif.Image.YResolution"] = Exiv2::URational(72, 1);
    exif["Exif.Image.ResolutionUnit"] = uint16_t(2);
    exif["Exif.Image.Software"] = "Firmware 1.2.0";
    exif["Exif.Image.DateTime"] = date;
    exif["Exif.Photo.ExposureTime"] = Exiv2::URational(1, 250);
    exif["Exif.Photo.FNumber"] = Exiv2::URational(28, 10);
    exif["Exif.Photo.ISOSpeedRatings"] = uint16_t(200);
    exif["Exif.Photo.DateTimeOriginal"] = date;
    exif["Exif.Photo.DateTimeDigitized"] = date;
    exif["Exif.Photo.FocalLength"] = Exiv2::URational(35, 1);
    exif["Exif.Photo.PixelXDimension"] = uint32_t(640);
    exif["Exif.Photo.PixelYDimension"] = uint32_t(480);
    exif["Exif.Photo.LensModel"] = "35mm F2.8";
    Exiv2::ExifThumb(exif).setJpegThumbnail(
        reinterpret_cast<const Exiv2::byte *>(thumbnail.constData()), long(thumbnail.size()));
    image->writeMetadata();
    Exiv2::BasicIo &io = image->io();
    io.seek(0, Exiv2::BasicIo::beg);
    const Exiv2::DataBuf buffer = io.read(long(io.size()));
    return QByteArray(reinterpret_cast<const char *>(buffer.pData_), buffer.size_);
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        fail(QStringLiteral("cannot write %1").arg(path));
}

// The photos, and the names {exif.date:yyyyMMdd_HHmmss} gives them.
QStringList makePhotos(const QString &dir, int count, qint64 *bytes)
{
    const QImage image = noise(640, 480);
    const QByteArray plain = jpegOf(image, 90);
    const QByteArray thumbnail = jpegOf(image.scaled(160, 120), 75);
    QDir().mkpath(dir);
    QStringList expected;
    *bytes = 0;
    for (int i = 0; i < count; ++i) {
        const QDateTime taken = takenOf(i, count);
        const QByteArray photo = stamped(plain, thumbnail, taken);
        writeFile(dir + QLatin1Char('/') + photoName(i), photo);
        *bytes += photo.size();
        expected << taken.toString(QStringLiteral("yyyyMMdd_HHmmss")) + QStringLiteral(".jpg");
    }
    return expected;
}

// 128 kbit/s, 44.1 kHz, mono: 417 bytes a frame, about a fifth of a second.
QByteArray silentMp3()
{
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0xC0);
    return frame.repeated(8);
}

// The songs, with letters beyond ASCII in some names, and the names
// "{audio.artist} - {audio.title}" gives them.
QStringList makeSongs(const QString &dir, int count, qint64 *bytes)
{
    static const char *const artists[] = {"Nina Simone",  "Sigur Rós",       "Björk",
                                          "Yann Tiersen", "Ennio Morricone", "Ólafur Arnalds",
                                          "Khruangbin",   "Mulatu Astatke"};
    static const char *const words[] = {"Morning", "Harbour", "Light",  "Étude", "River",
                                        "Dance",   "Glass",   "Winter", "Café",  "Echo"};
    const QByteArray audio = silentMp3();
    QDir().mkpath(dir);
    QStringList expected;
    *bytes = 0;
    for (int i = 0; i < count; ++i) {
        const QString path = dir + QStringLiteral("/track%1.mp3").arg(i, 5, 10, QLatin1Char('0'));
        writeFile(path, audio);
        const QString artist = QString::fromUtf8(artists[i % 8]);
        const QString title =
            QStringLiteral("%1 %2 No. %3")
                .arg(QString::fromUtf8(words[i % 10]), QString::fromUtf8(words[(i / 10) % 10]))
                .arg(i);
        TagLib::FileRef file(QFile::encodeName(path).constData());
        TagLib::PropertyMap properties;
        properties.insert("ARTIST", TagLib::String(artist.toStdString(), TagLib::String::UTF8));
        properties.insert("TITLE", TagLib::String(title.toStdString(), TagLib::String::UTF8));
        properties.insert("ALBUM", TagLib::String("Quiet Frames", TagLib::String::UTF8));
        properties.insert("TRACKNUMBER", TagLib::String::number(i % 20 + 1));
        file.file()->setProperties(properties);
        if (!file.save())
            fail(QStringLiteral("TagLib cannot tag %1").arg(path));
        *bytes += QFileInfo(path).size();
        expected << artist + QStringLiteral(" - ") + title + QStringLiteral(".mp3");
    }
    return expected;
}

void copyFolder(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    const QStringList names = QDir(from).entryList(QDir::Files, QDir::NoSort);
    for (const QString &name : names) {
        if (!QFile::copy(from + QLatin1Char('/') + name, to + QLatin1Char('/') + name))
            fail(QStringLiteral("cannot copy %1").arg(name));
    }
    // Whatever is still to be written goes now, not inside a timed run.
    ::sync();
}

struct Figures
{
    std::vector<double> ms;

    double median() const
    {
        std::vector<double> sorted = ms;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t n = sorted.size();
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    void print(const char *name) const
    {
        const auto range = std::minmax_element(ms.begin(), ms.end());
        std::printf("  %-44s median %9.1f ms   range %9.1f - %9.1f ms\n", name, median(),
                    *range.first, *range.second);
    }
};

double timed(const std::function<void()> &job)
{
    QElapsedTimer timer;
    timer.start();
    job();
    return double(timer.nsecsElapsed()) / 1e6;
}

void compareReading(const QString &dir, int count, int rounds)
{
    QStringList paths;
    for (int i = 0; i < count; ++i)
        paths << dir + QLatin1Char('/') + photoName(i);
    const auto readAll = [&] {
        int dated = 0;
        for (const QString &path : paths)
            dated += Metadata::read(path).taken.isValid() ? 1 : 0;
        if (dated != count)
            fail(QStringLiteral("a date taken for %1 of %2 photos").arg(dated).arg(count));
    };
    // What the library costs by itself, to tell its share of the difference.
    const Exiv2::ExifKey dateKey("Exif.Photo.DateTimeOriginal");
    const auto readExiv2 = [&] {
        int dated = 0;
        for (const QString &path : paths) {
            auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
            image->readMetadata();
            dated += image->exifData().findKey(dateKey) != image->exifData().end() ? 1 : 0;
        }
        if (dated != count)
            fail(QStringLiteral("Exiv2 found a date in %1 of %2 photos").arg(dated).arg(count));
    };
    std::vector<char> buffer(64 * 1024);
    const auto readHeads = [&] {
        qint64 total = 0;
        for (const QString &path : paths) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                fail(QStringLiteral("cannot open %1").arg(path));
            total += file.read(buffer.data(), qint64(buffer.size()));
        }
        if (total < qint64(count) * 1024)
            fail(QStringLiteral("the files are shorter than written"));
    };
    // As the program reads a folder: every core, through a cache of its own.
    const auto readParallel = [&] {
        MetadataCache cache;
        std::atomic<int> dated{0};
        cache.readAll(paths, [&dated](qsizetype, const Metadata &facts) {
            dated += facts.taken.isValid() ? 1 : 0;
        });
        if (dated != count)
            fail(QStringLiteral("a date taken for %1 of %2 photos").arg(dated).arg(count));
    };
    const std::function<void()> methods[] = {readAll, readExiv2, readHeads, readParallel};
    const int methodCount = 4;
    Figures figures[methodCount];
    for (int round = -1; round < rounds; ++round) {
        for (int k = 0; k < methodCount; ++k) {
            const int method = (k + std::max(round, 0)) % methodCount;
            const double ms = timed(methods[method]);
            if (round >= 0)
                figures[method].ms.push_back(ms);
        }
    }
    const Figures &program = figures[0];
    const Figures &baseline = figures[2];
    std::printf("1. Date taken of %d JPEGs, one file after another (%d rounds):\n", count, rounds);
    program.print("Metadata::read");
    figures[1].print("Exiv2 open + readMetadata alone");
    baseline.print("QFile, first 64 KiB of each");
    figures[3].print("MetadataCache::readAll, every core");
    const double ratio = program.median() / baseline.median();
    std::printf("  ratio %.2f; aim at most 1.5: %s\n\n", ratio, ratio <= 1.5 ? "met" : "MISSED");
}

bool runProcess(const QString &program, const QStringList &arguments, const QString &journal)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TAVRELO_JOURNAL_DIR"), journal);
    environment.insert(QStringLiteral("TAVRELO_PRESETS_DIR"), journal);
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit
        || process.exitCode() != 0) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(program),
                     process.readAllStandardError().constData());
        return false;
    }
    return true;
}

struct Contender
{
    const char *name;
    std::function<bool(const QString &dir, const QString &journal)> run;
    Figures figures;
};

// One untimed run each, then the rounds, the order rotating; every run on a
// fresh copy of the folder, whose names must then be the expected ones.
void race(std::vector<Contender> &contenders, const QString &source, const QString &root,
          const QStringList &expected, int rounds)
{
    QStringList sortedExpected = expected;
    sortedExpected.sort();
    const int count = int(contenders.size());
    for (int round = -1; round < rounds; ++round) {
        for (int k = 0; k < count; ++k) {
            Contender &contender = contenders[(k + std::max(round, 0)) % count];
            const QString dir = root + QStringLiteral("/run");
            const QString journal = root + QStringLiteral("/journal");
            copyFolder(source, dir);
            QDir().mkpath(journal);
            bool ran = false;
            const double ms = timed([&] { ran = contender.run(dir, journal); });
            if (!ran)
                fail(QStringLiteral("%1 failed").arg(QString::fromUtf8(contender.name)));
            QStringList names = QDir(dir).entryList(QDir::Files, QDir::NoSort);
            names.sort();
            if (names != sortedExpected) {
                const QSet<QString> got(names.cbegin(), names.cend());
                const QStringList missing =
                    QSet<QString>(sortedExpected.cbegin(), sortedExpected.cend())
                        .subtract(got)
                        .values();
                fail(QStringLiteral("%1 gave other names than expected: %2 missing, e.g. '%3'")
                         .arg(QString::fromUtf8(contender.name))
                         .arg(missing.size())
                         .arg(missing.value(0)));
            }
            if (round >= 0)
                contender.figures.ms.push_back(ms);
            QDir(dir).removeRecursively();
            QDir(journal).removeRecursively();
        }
    }
}

bool taglibRename(const QString &dir)
{
    const std::string base = QFile::encodeName(dir).toStdString() + '/';
    const QStringList names = QDir(dir).entryList(QDir::Files, QDir::NoSort);
    for (const QString &name : names) {
        const std::string from = base + QFile::encodeName(name).toStdString();
        std::string to;
        {
            const TagLib::FileRef file(from.c_str(), false);
            if (file.isNull() || !file.tag())
                return false;
            to = base + file.tag()->artist().to8Bit(true) + " - " + file.tag()->title().to8Bit(true)
                 + ".mp3";
        }
        // The new names are all free here; a general tool would have to
        // check that, as the command line does.
        if (::rename(from.c_str(), to.c_str()) != 0)
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
    const QString only = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    if (count < 1 || count > 99999 || rounds < 1)
        fail(QStringLiteral("usage: bench_metadata [file count, 1 to 99999] [rounds] "
                            "[read|photos|songs]"));
    const QString cli = QStringLiteral(TAVRELO_CLI);
    QTemporaryDir root;
    std::printf("%d files, %d rounds, warm page cache (every method ran once untimed first)\n\n",
                count, rounds);

    if (only.isEmpty() || only == QLatin1String("read") || only == QLatin1String("photos")) {
        const QString photos = root.filePath(QStringLiteral("photos"));
        qint64 bytes = 0;
        const QStringList expected = makePhotos(photos, count, &bytes);
        ::sync();
        std::printf("Photos: 640x480 JPEGs with Exif (date taken, make, model, exposure) and a "
                    "160x120 thumbnail, %.1f KiB each\n\n",
                    double(bytes) / count / 1024);
        if (only.isEmpty() || only == QLatin1String("read"))
            compareReading(photos, count, rounds);
        if (only.isEmpty() || only == QLatin1String("photos")) {
            const QString exiftool = QStandardPaths::findExecutable(QStringLiteral("exiftool"));
            std::vector<Contender> contenders{
                {"tavrelo-cli apply {exif.date:yyyyMMdd_HHmmss}",
                 [&](const QString &dir, const QString &journal) {
                     return runProcess(cli,
                                       {QStringLiteral("apply"), QStringLiteral("--rule"),
                                        QStringLiteral("template:{exif.date:yyyyMMdd_HHmmss}"),
                                        dir},
                                       journal);
                 },
                 {}},
                {"exiftool '-FileName<DateTimeOriginal'",
                 [&](const QString &dir, const QString &journal) {
                     return runProcess(exiftool,
                                       {QStringLiteral("-FileName<DateTimeOriginal"),
                                        QStringLiteral("-d"),
                                        QStringLiteral("%Y%m%d_%H%M%S%%-c.%%e"), dir},
                                       journal);
                 },
                 {}},
            };
            if (exiftool.isEmpty()) {
                std::printf("2. exiftool not found (apt-get install libimage-exiftool-perl)\n\n");
            } else {
                race(contenders, photos, root.filePath(QStringLiteral("photo-runs")), expected,
                     rounds);
                std::printf("2. %d photos named from their date taken, whole runs (%d rounds):\n",
                            count, rounds);
                contenders[0].figures.print(contenders[0].name);
                contenders[1].figures.print(contenders[1].name);
                const double times =
                    contenders[1].figures.median() / contenders[0].figures.median();
                std::printf("  exiftool takes %.1f times as long; aim Tavrelo at least 10 times as "
                            "fast: %s\n\n",
                            times, times >= 10 ? "met" : "MISSED");
            }
        }
        QDir(photos).removeRecursively();
    }

    if (only.isEmpty() || only == QLatin1String("songs")) {
        const QString songs = root.filePath(QStringLiteral("songs"));
        qint64 bytes = 0;
        const QStringList expected = makeSongs(songs, count, &bytes);
        ::sync();
        std::vector<Contender> contenders{
            {"tavrelo-cli apply {audio.artist} - {audio.title}",
             [&](const QString &dir, const QString &journal) {
                 return runProcess(cli,
                                   {QStringLiteral("apply"), QStringLiteral("--rule"),
                                    QStringLiteral("template:{audio.artist} - {audio.title}"), dir},
                                   journal);
             },
             {}},
            {"listing + TagLib + rename(2), in process",
             [](const QString &dir, const QString &) { return taglibRename(dir); },
             {}},
        };
        race(contenders, songs, root.filePath(QStringLiteral("song-runs")), expected, rounds);
        std::printf("3. %d MP3s (8 silent frames, ID3v2 tags, %.1f KiB each) named from artist and "
                    "title (%d rounds):\n",
                    count, double(bytes) / count / 1024, rounds);
        contenders[0].figures.print(contenders[0].name);
        contenders[1].figures.print(contenders[1].name);
        std::printf("  ratio %.2f (no aim set)\n",
                    contenders[0].figures.median() / contenders[1].figures.median());
    }
    return 0;
}

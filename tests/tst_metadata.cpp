#include "editednamesrule.h"
#include "insertrule.h"
#include "metadatacache.h"
#include "ruleplan.h"
#include "templaterule.h"
#include "testdir.h"
#include "testphotos.h"

#include <QImageWriter>
#include <QtTest>

#include <exiv2/exiv2.hpp>
#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

namespace {

const QDateTime someTime(QDate(2024, 2, 29), QTime(13, 45, 7), Qt::UTC);

// A few silent MPEG-1 Layer III frames (128 kbit/s, 44.1 kHz, mono).
QByteArray silentMp3()
{
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0xC0);
    return frame.repeated(8);
}

// The smallest FLAC stream: its signature and a STREAMINFO block (mono,
// 16 bits, 44.1 kHz, no samples).
QByteArray emptyFlac()
{
    QByteArray bytes("fLaC");
    bytes += QByteArray::fromHex("8000002210001000000000000000");
    const quint64 packed = (quint64(44100) << 44) | (quint64(15) << 36);
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes += char((packed >> shift) & 0xFF);
    bytes += QByteArray(16, '\0');
    return bytes;
}

QByteArray littleEndian(quint32 value, int bytes = 4)
{
    QByteArray result;
    for (int i = 0; i < bytes; ++i)
        result += char((value >> (8 * i)) & 0xFF);
    return result;
}

// One Ogg page of whole packets; flags 2 begins the stream, 4 ends it.
QByteArray oggPage(int sequence, char flags, const QList<QByteArray> &packets)
{
    QByteArray lacing;
    QByteArray body;
    for (const QByteArray &packet : packets) {
        lacing += QByteArray(packet.size() / 255, char(255)) + char(packet.size() % 255);
        body += packet;
    }
    QByteArray page = "OggS" + QByteArray(1, '\0') + flags + QByteArray(8, '\0') + littleEndian(1)
                      + littleEndian(quint32(sequence)) + littleEndian(0) + char(lacing.size())
                      + lacing + body;
    quint32 crc = 0;
    for (const char byte : std::as_const(page)) {
        crc ^= quint32(uchar(byte)) << 24;
        for (int bit = 0; bit < 8; ++bit)
            crc = crc & 0x80000000 ? (crc << 1) ^ 0x04C11DB7 : crc << 1;
    }
    page.replace(22, 4, littleEndian(crc));
    return page;
}

// The first header on a page of its own, the others on the next, and a page
// of one audio packet ending the stream: TagLib takes no header from the
// stream's last page.
QByteArray oggStream(const QByteArray &first, const QList<QByteArray> &rest)
{
    return oggPage(0, 2, {first}) + oggPage(1, 0, rest) + oggPage(2, 4, {QByteArray(1, '\0')});
}

// Headers only (mono, 44.1 kHz, 64 kbit/s); the setup header is a bare stub,
// which TagLib does not read.
QByteArray emptyVorbis()
{
    const QByteArray identification = "\x01vorbis" + littleEndian(0) + char(1) + littleEndian(44100)
                                      + littleEndian(0) + littleEndian(64000) + littleEndian(0)
                                      + char(0xB8) + char(1);
    const QByteArray comments = "\x03vorbis" + littleEndian(1) + "t" + littleEndian(0) + char(1);
    return oggStream(identification, {comments, "\x05vorbis"});
}

// Headers only (mono, 48 kHz).
QByteArray emptyOpus()
{
    const QByteArray head = "OpusHead" + QByteArray(1, char(1)) + char(1) + littleEndian(312, 2)
                            + littleEndian(48000) + littleEndian(0, 2) + char(0);
    return oggStream(head, {"OpusTags" + littleEndian(1) + "t" + littleEndian(0)});
}

QByteArray atom(const char *type, const QByteArray &content)
{
    QByteArray size;
    for (int shift = 24; shift >= 0; shift -= 8)
        size += char(((content.size() + 8) >> shift) & 0xFF);
    return size + type + content;
}

// Only the boxes TagLib needs to read and add MP4 tags: no track, no sound.
QByteArray emptyM4a()
{
    return atom("ftyp", "M4A " + QByteArray(4, '\0') + "M4A isom") + atom("moov", QByteArray());
}

void tagSong(const QString &path, const QStringList &tags)
{
    TagLib::FileRef file(QFile::encodeName(path).constData());
    TagLib::PropertyMap properties;
    for (const QString &tag : tags)
        properties.insert(tag.section('=', 0, 0).toStdString(),
                          TagLib::String(tag.section('=', 1).toStdString(), TagLib::String::UTF8));
    file.file()->setProperties(properties);
    QVERIFY(file.save());
}

void setModified(const QString &path, const QDateTime &time)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    QVERIFY(file.setFileTime(time, QFileDevice::FileModificationTime));
}

} // namespace

class TestMetadata : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void cacheReadsOncePerVersion();
    void planKeepsFilesWithoutTheFact();
    void readingIsFollowedAndStopped();
    void takenOrder_data();
    void takenOrder();
    void sameNamesNumbered_data();
    void sameNamesNumbered();
};

void TestMetadata::names_data()
{
    using S = QString;
    using L = QStringList;
    // The file's kind is its name: "cut" is a truncated photo, "text" holds
    // text, "jpeg.png" is a JPEG named .png.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("text");
    // The new name, or "-" and the fact the file lacks.
    QTest::addColumn<QString>("expected");

    const S original = "Exif.Photo.DateTimeOriginal=2021:06:30 14:05:09";
    addRow("date taken, make, model with a slash, ISO", S("p.jpg"),
           L{original, "Exif.Image.Make=Canon", "Exif.Image.Model=EOS 5D/II",
             "Exif.Photo.ISOSpeedRatings=400"},
           S("{exif.date} {exif.make} {exif.model} {exif.iso}"),
           S("2021-06-30 Canon EOS 5D-II 400.jpg"));
    addRow("sub-seconds and offset", S("p.jpg"),
           L{original, "Exif.Photo.SubSecTimeOriginal=25", "Exif.Photo.OffsetTimeOriginal=+02:00"},
           S("{exif.date:yyyyMMdd-HHmmss.zzz t}"), S("20210630-140509.250 UTC+02:00.jpg"));
    addRow("only CreateDate", S("p.jpg"), L{"Exif.Photo.DateTimeDigitized=2020:01:02 03:04:05"},
           S("{exif.date:yyyyMMdd-HHmmss}"), S("20200102-030405.jpg"));
    addRow("only DateTime", S("p.jpg"), L{"Exif.Image.DateTime=2019:12:31 23:59:58"},
           S("{exif.date:yyyyMMdd-HHmmss}"), S("20191231-235958.jpg"));
    addRow("XMP only", S("p.jpg"), L{"Xmp.exif.DateTimeOriginal=2018-05-06T07:08:09"},
           S("{exif.date:yyyyMMdd-HHmmss}"), S("20180506-070809.jpg"));
    addRow("Exif before XMP and DateTime", S("p.jpg"),
           L{"Xmp.exif.DateTimeOriginal=2018-05-06T07:08:09",
             "Exif.Image.DateTime=2019:12:31 23:59:58", original},
           S("{exif.date}"), S("2021-06-30.jpg"));
    addRow("lens and size from Exif", S("p.jpg"),
           L{"Exif.Photo.LensModel=EF 24-70mm f/2.8L", "Exif.Photo.PixelXDimension=4000",
             "Exif.Photo.PixelYDimension=3000"},
           S("{exif.lens} {exif.width}x{exif.height}"), S("EF 24-70mm f-2.8L 4000x3000.jpg"));
    addRow("size from the image", S("p.jpg"), L(), S("{exif.width}x{exif.height}"), S("16x8.jpg"));
    // Two numbers of 4 bytes do not fit in their entry: they lie elsewhere.
    addRow("size as pairs of numbers", S("p.jpg"),
           L{"Exif.Photo.PixelXDimension=4000 1", "Exif.Photo.PixelYDimension=3000 1"},
           S("{exif.width}x{exif.height}"), S("4000x3000.jpg"));
    addRow("no metadata", S("p.jpg"), L(), S("{exif.date}"), S("-exif.date"));
    addRow("no metadata, modification time instead", S("p.jpg"), L(),
           S("{exif.date:yyyy|mtime:yyyy-MM}"), S("2024-02.jpg"));
    addRow("garbled Exif", S("garbled.jpg"), L{original, "Exif.Image.Make=Canon"}, S("{exif.date}"),
           S("-exif.date"));
    addRow("truncated JPEG", S("cut.jpg"), L{original}, S("{exif.date}"),
           S("-exif.date (damaged, or not a photo)"));
    addRow("text named .jpg", S("text.jpg"), L(), S("{exif.model}"),
           S("-exif.model (damaged, or not a photo)"));
    addRow("TIFF", S("p.tif"), L{original}, S("{exif.date}"), S("2021-06-30.tif"));
    addRow("PNG with Exif", S("p.png"), L{original}, S("{exif.date}"), S("2021-06-30.png"));
    addRow("WebP with Exif", S("p.webp"), L{original}, S("{exif.date}"), S("2021-06-30.webp"));
    addRow("untagged WebP, size from the image", S("p.webp"), L(), S("{exif.width}x{exif.height}"),
           S("16x8.webp"));
    addRow("JPEG named .png, read as JPEG", S("jpeg.png"), L{original}, S("{exif.date}"),
           S("2021-06-30.png"));

    const L all{"ARTIST=AC/DC", "ALBUM=Razors Edge", "TITLE=Thunderstruck", "TRACKNUMBER=1/10",
                "DISCNUMBER=2", "DATE=1990-09-24",   "GENRE=Rock"};
    const S everything = "{audio.disc}-{audio.track:2} {audio.artist} - {audio.album} "
                         "({audio.year}, {audio.genre}) {audio.title}";
    addRow("MP3 with ID3v2", S("s.mp3"), all, everything,
           S("2-01 AC-DC - Razors Edge (1990, Rock) Thunderstruck.mp3"));
    addRow("FLAC with Vorbis comments", S("s.flac"), all, everything,
           S("2-01 AC-DC - Razors Edge (1990, Rock) Thunderstruck.flac"));
    addRow("Ogg Vorbis with comments", S("s.ogg"), all, everything,
           S("2-01 AC-DC - Razors Edge (1990, Rock) Thunderstruck.ogg"));
    addRow("Opus with comments", S("s.opus"), all, everything,
           S("2-01 AC-DC - Razors Edge (1990, Rock) Thunderstruck.opus"));
    addRow("M4A with MP4 tags", S("s.m4a"), all, everything,
           S("2-01 AC-DC - Razors Edge (1990, Rock) Thunderstruck.m4a"));
    addRow("MP3 named .flac, read as MP3", S("mp3.flac"), all, everything,
           S("2-01 AC-DC - Razors Edge (1990, Rock) Thunderstruck.flac"));
    addRow("FLAC without a title", S("s.flac"), L{"ARTIST=X"}, S("{audio.artist} {audio.title}"),
           S("-audio.title"));
    addRow("untagged MP3, its name instead", S("s.mp3"), L(), S("{audio.artist|name}"), S("s.mp3"));
    addRow("text named .mp3", S("text.mp3"), L(), S("{audio.artist}"), S("-audio.artist"));
}

void TestMetadata::names()
{
    QFETCH(QString, name);
    QFETCH(QStringList, tags);
    QFETCH(QString, text);
    const QFileInfo info(name);
    const QStringList songs{"mp3", "flac", "ogg", "opus", "m4a"};
    const QStringList photos{"jpg", "jpeg", "png", "webp", "tif"};
    const QString kind = (songs + photos + QStringList{"text"}).contains(info.baseName())
                             ? info.baseName()
                             : info.suffix();
    const bool song = songs.contains(kind);
    if (photos.contains(kind) && !QImageWriter::supportedImageFormats().contains(kind.toLatin1()))
        QSKIP(qPrintable("Qt has no " + kind + " writer here (qt6-image-formats-plugins)"));
    const QByteArray content = kind == "text"   ? QByteArray("only text\n")
                               : kind == "mp3"  ? silentMp3()
                               : kind == "flac" ? emptyFlac()
                               : kind == "ogg"  ? emptyVorbis()
                               : kind == "opus" ? emptyOpus()
                               : kind == "m4a"  ? emptyM4a()
                                                : imageBytes(qPrintable(kind));
    TestDir dir;
    const QString path = dir.file(name, content);
    if (!tags.isEmpty())
        song ? tagSong(path, tags) : stamp(path, tags);
    if (name.startsWith("cut"))
        dir.file(name, dir.content(name).left(200));
    if (name.startsWith("garbled")) {
        // The Exif directory's entries overwritten: counts and offsets
        // pointing anywhere.
        QByteArray bytes = dir.content(name);
        const qsizetype tiff = bytes.indexOf(QByteArray("Exif\0\0", 6)) + 6;
        QVERIFY(tiff > 6);
        for (qsizetype i = tiff + 8; i < tiff + 80 && i < bytes.size(); ++i)
            bytes[i] = char(0xF7 ^ i);
        dir.file(name, bytes);
    }
    setModified(path, someTime);

    TemplateRule rule;
    rule.setValue("template", text);
    RuleFile file;
    file.folder = dir.path() + "/";
    file.oldName = name;
    const QString newName = rule.apply(file, name);
    QCOMPARE(rule.problem(), QString());
    QTEST(file.missing().isEmpty() ? newName : "-" + file.missing(), "expected");
}

void TestMetadata::cacheReadsOncePerVersion()
{
    TestDir dir;
    const QString path = dir.file("p.jpg", imageBytes("jpeg"));
    stamp(path, {"Exif.Photo.DateTimeOriginal=2021:06:30 14:05:09"});
    setModified(path, someTime);
    MetadataCache cache;
    const auto facts = [&] {
        const QFileInfo info(path);
        return cache.facts(path, info.size(), info.lastModified()).taken.date();
    };
    QCOMPARE(facts(), QDate(2021, 6, 30));
    QCOMPARE(facts(), QDate(2021, 6, 30));
    QCOMPARE(cache.reads(), 1);
    stamp(path, {"Exif.Photo.DateTimeOriginal=2022:07:01 10:00:00"});
    setModified(path, someTime.addSecs(1));
    QCOMPARE(facts(), QDate(2022, 7, 1));
    QCOMPARE(cache.reads(), 2);
}

void TestMetadata::planKeepsFilesWithoutTheFact()
{
    TestDir dir;
    stamp(dir.file("d/a.jpg", imageBytes("jpeg")),
          {"Exif.Photo.DateTimeOriginal=2021:06:30 14:05:09"});
    dir.file("d/b.jpg", imageBytes("jpeg"));
    RuleStack stack;
    auto rule = std::make_unique<TemplateRule>();
    rule->setValue("template", "{exif.date:yyyyMMdd} {name}");
    stack.append(std::move(rule));
    const BatchPlan plan = RulePlan::make({dir.at("d")}, stack);
    QCOMPARE(plan.renames().size(), 2);
    // Listed unsorted: no rule counts.
    const bool aFirst = plan.renames().at(0).oldName == "a.jpg";
    const PlannedRename &dated = plan.renames().at(aFirst ? 0 : 1);
    const PlannedRename &undated = plan.renames().at(aFirst ? 1 : 0);
    QCOMPARE(dated.newName, "20210630 a.jpg");
    QCOMPARE(dated.note, PlannedRename::Note::None);
    QCOMPARE(undated.newName, "b.jpg");
    QCOMPARE(undated.note, PlannedRename::Note::MissingField);
    QCOMPARE(PlannedRename::refusalText(undated), "stays: it has no exif.date");

    // A name typed for the undated one stands all the same.
    auto typed = std::make_unique<EditedNamesRule>();
    typed->setName(dir.at("d/b.jpg"), "typed.jpg");
    stack.append(std::move(typed));
    const BatchPlan withTyped = RulePlan::make({dir.at("d")}, stack);
    for (const PlannedRename &row : withTyped.renames())
        QCOMPARE(row.newName, row.oldName == "a.jpg" ? "20210630 a.jpg" : "typed.jpg");

    // An insertion fills in the same tokens, when asked to.
    auto insert = std::make_unique<InsertRule>();
    insert->setValue("text", "{exif.date:yyyy}_");
    insert->setValue("tokens", true);
    RuleStack inserting;
    inserting.append(std::move(insert));
    QStringList names;
    const BatchPlan insertions = RulePlan::make({dir.at("d")}, inserting);
    for (const PlannedRename &row : insertions.renames())
        names.append(row.newName + (row.missingField().isEmpty() ? "" : " -" + row.missingField()));
    names.sort();
    QCOMPARE(names, QStringList({"2021_a.jpg", "b.jpg -exif.date"}));
}

void TestMetadata::readingIsFollowedAndStopped()
{
    TestDir dir;
    QStringList paths;
    for (int i = 0; i < 8; ++i)
        paths.append(dir.file(QString("p%1.jpg").arg(i), imageBytes("jpeg")));
    MetadataCache cache;
    std::atomic<bool> cancel{true};
    QVERIFY(!cache.readAll(paths, {}, {}, &cancel));
    QCOMPARE(cache.reads(), 0);

    cancel = false;
    QList<qsizetype> reported;
    QSet<qsizetype> used;
    QMutex mutex;
    const bool read = cache.readAll(
        paths,
        [&](qsizetype index, const Metadata &facts) {
            // Slow enough for the caller to hear of it at least once.
            QThread::msleep(60);
            const QMutexLocker locker(&mutex);
            QCOMPARE(facts.width, 16);
            used.insert(index);
        },
        [&](qsizetype done, qsizetype total) {
            QCOMPARE(total, paths.size());
            reported.append(done);
        },
        &cancel);
    QVERIFY(read);
    QCOMPARE(used.size(), paths.size());
    QCOMPARE(cache.reads(), paths.size());
    QVERIFY(!reported.isEmpty());
    QVERIFY(std::is_sorted(reported.cbegin(), reported.cend()));
}

// Files of folder "d", each "name=Exif date" or a bare name for a photo
// without one; the plan of the template rule over it, "old>new" in order.
QStringList planOfPhotos(TestDir &dir, const QStringList &files, RuleStack &stack)
{
    for (const QString &file : files) {
        const QString path = dir.file("d/" + file.section('=', 0, 0), imageBytes("jpeg"));
        if (file.contains('='))
            stamp(path, {"Exif.Photo.DateTimeOriginal=" + file.section('=', 1)});
    }
    QStringList result;
    const BatchPlan plan = RulePlan::make({dir.at("d")}, stack);
    for (const PlannedRename &rename : plan.renames())
        result.append(rename.oldName + ">" + rename.newName);
    return result;
}

void TestMetadata::takenOrder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("reversed");
    QTest::addColumn<QStringList>("order");
    using L = QStringList;
    const L files{"c.jpg=2024:05:01 10:00:00", "z.jpg", "a.jpg=2023:01:01 00:00:00", "b.jpg",
                  "e.jpg=2023:01:01 00:00:00"};
    addRow("older first, equal dates and undated by name", files, false,
           L{"a.jpg", "e.jpg", "c.jpg", "b.jpg", "z.jpg"});
    addRow("reversed", files, true, L{"z.jpg", "b.jpg", "c.jpg", "e.jpg", "a.jpg"});
}

void TestMetadata::takenOrder()
{
    QFETCH(QStringList, files);
    QFETCH(bool, reversed);
    QFETCH(QStringList, order);
    TestDir dir;
    RuleStack stack;
    QVERIFY(RuleStack::orderNamed("taken", &stack.order));
    stack.reversed = reversed;
    auto rule = std::make_unique<TemplateRule>();
    rule->setValue("template", "{n:1}");
    stack.append(std::move(rule));
    QStringList expected;
    for (int i = 0; i < order.size(); ++i)
        expected.append(order[i] + ">" + QString::number(i + 1) + ".jpg");
    QCOMPARE(planOfPhotos(dir, files, stack), expected);
}

void TestMetadata::sameNamesNumbered_data()
{
    QTest::addColumn<QString>("collisions");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("plan");
    using L = QStringList;
    const QString day = "2024:05:01 08:30:00";
    addRow("same second numbered", QString("counter"),
           L{"p1.jpg=" + day, "p2.jpg=" + day, "p3.jpg=" + day},
           L{"p1.jpg>2024-05-01_1.jpg", "p2.jpg>2024-05-01_2.jpg", "p3.jpg>2024-05-01_3.jpg"});
    addRow("different dates untouched", QString("counter"),
           L{"p1.jpg=" + day, "p2.jpg=2024:05:02 08:30:00"},
           L{"p1.jpg>2024-05-01.jpg", "p2.jpg>2024-05-02.jpg"});
    addRow("a number a staying file holds is skipped", QString("counter"),
           L{"2024-05-01_1.jpg", "p1.jpg=" + day, "p2.jpg=" + day},
           L{"2024-05-01_1.jpg>2024-05-01_1.jpg", "p1.jpg>2024-05-01_2.jpg",
             "p2.jpg>2024-05-01_3.jpg"});
    addRow("keep leaves them to the plan", QString("keep"), L{"p1.jpg=" + day, "p2.jpg=" + day},
           L{"p1.jpg>2024-05-01.jpg", "p2.jpg>2024-05-01.jpg"});
}

void TestMetadata::sameNamesNumbered()
{
    QFETCH(QString, collisions);
    QFETCH(QStringList, files);
    QFETCH(QStringList, plan);
    TestDir dir;
    RuleStack stack;
    auto rule = std::make_unique<TemplateRule>();
    rule->setValue("template", "{exif.date:yyyy-MM-dd}");
    rule->setValue("collisions", collisions);
    stack.append(std::move(rule));
    // With "keep" nothing counts, and the folder is listed unsorted.
    QStringList result = planOfPhotos(dir, files, stack);
    result.sort();
    QCOMPARE(result, plan);
}

QTEST_MAIN(TestMetadata)
#include "tst_metadata.moc"

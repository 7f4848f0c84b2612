#include "metadatacache.h"
#include "ruleplan.h"
#include "templaterule.h"
#include "testdir.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtTest>

#include <exiv2/exiv2.hpp>
#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

namespace {

const QDateTime someTime(QDate(2024, 2, 29), QTime(13, 45, 7), Qt::UTC);

QByteArray imageBytes(const char *format)
{
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// "Exif.Photo.ISOSpeedRatings=400" and "Xmp.xmp.CreateDate=..." written into
// the file through Exiv2, each in the tag's own type.
void stamp(const QString &path, const QStringList &tags)
{
    auto image = Exiv2::ImageFactory::open(QFile::encodeName(path).toStdString());
    image->readMetadata();
    for (const QString &tag : tags) {
        const std::string key = tag.section('=', 0, 0).toStdString();
        const std::string value = tag.section('=', 1).toStdString();
        if (tag.startsWith("Xmp."))
            image->xmpData()[key] = value;
        else
            image->exifData()[key] = value;
    }
    image->writeMetadata();
}

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
    bytes += QByteArray::fromHex("80000022"
                                 "10001000"
                                 "000000"
                                 "000000");
    const quint64 packed = (quint64(44100) << 44) | (quint64(15) << 36);
    for (int shift = 56; shift >= 0; shift -= 8)
        bytes += char((packed >> shift) & 0xFF);
    bytes += QByteArray(16, '\0');
    return bytes;
}

void tagSong(const QString &path, const QStringList &tags)
{
    TagLib::FileRef file(QFile::encodeName(path).constData());
    QVERIFY(!file.isNull());
    TagLib::PropertyMap properties;
    for (const QString &tag : tags)
        properties.insert(tag.section('=', 0, 0).toStdString(),
                          TagLib::String(tag.section('=', 1).toStdString(), TagLib::String::UTF8));
    file.file()->setProperties(properties);
    QVERIFY(file.save());
}

// The name the template gives the file, or "-" and the fact it lacks.
QString templateName(const QString &folder, const QString &name, const QString &text)
{
    TemplateRule rule;
    rule.setValue("template", text);
    if (!rule.problem().isEmpty())
        return rule.problem();
    RuleFile file;
    file.folder = folder + "/";
    file.oldName = name;
    const QString newName = rule.apply(file, name);
    return file.missing().isEmpty() ? newName : "-" + file.missing();
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
    void photos_data();
    void photos();
    void songs_data();
    void songs();
    void cacheReadsOncePerVersion();
    void planKeepsFilesWithoutTheFact();
};

void TestMetadata::photos_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QString original = "Exif.Photo.DateTimeOriginal=2021:06:30 14:05:09";
    addRow("date taken, make, model with a slash, ISO", QString("jpeg"),
           QStringList{original, "Exif.Image.Make=Canon", "Exif.Image.Model=EOS 5D/II",
                       "Exif.Photo.ISOSpeedRatings=400"},
           QString("{exif.date} {exif.make} {exif.model} {exif.iso}"),
           QString("2021-06-30 Canon EOS 5D-II 400.jpg"));
    addRow("sub-seconds and offset", QString("jpeg"),
           QStringList{original, "Exif.Photo.SubSecTimeOriginal=25",
                       "Exif.Photo.OffsetTimeOriginal=+02:00"},
           QString("{exif.date:yyyyMMdd-HHmmss.zzz t}"),
           QString("20210630-140509.250 UTC+02:00.jpg"));
    addRow("only CreateDate", QString("jpeg"),
           QStringList{"Exif.Photo.DateTimeDigitized=2020:01:02 03:04:05"},
           QString("{exif.date:yyyyMMdd-HHmmss}"), QString("20200102-030405.jpg"));
    addRow("only DateTime", QString("jpeg"), QStringList{"Exif.Image.DateTime=2019:12:31 23:59:58"},
           QString("{exif.date:yyyyMMdd-HHmmss}"), QString("20191231-235958.jpg"));
    addRow("original before DateTime", QString("jpeg"),
           QStringList{"Exif.Image.DateTime=2019:12:31 23:59:58", original}, QString("{exif.date}"),
           QString("2021-06-30.jpg"));
    addRow("XMP only", QString("jpeg"),
           QStringList{"Xmp.exif.DateTimeOriginal=2018-05-06T07:08:09"},
           QString("{exif.date:yyyyMMdd-HHmmss}"), QString("20180506-070809.jpg"));
    addRow("XMP CreateDate", QString("jpeg"), QStringList{"Xmp.xmp.CreateDate=2017-04-05T06:07:08"},
           QString("{exif.date}"), QString("2017-04-05.jpg"));
    addRow("Exif before XMP", QString("jpeg"),
           QStringList{original, "Xmp.exif.DateTimeOriginal=2018-05-06T07:08:09"},
           QString("{exif.date}"), QString("2021-06-30.jpg"));
    addRow("lens", QString("jpeg"), QStringList{"Exif.Photo.LensModel=EF 24-70mm f/2.8L"},
           QString("{exif.lens}"), QString("EF 24-70mm f-2.8L.jpg"));
    addRow("size from Exif", QString("jpeg"),
           QStringList{"Exif.Photo.PixelXDimension=4000", "Exif.Photo.PixelYDimension=3000"},
           QString("{exif.width}x{exif.height}"), QString("4000x3000.jpg"));
    addRow("size from the image", QString("jpeg"), QStringList(),
           QString("{exif.width}x{exif.height}"), QString("16x8.jpg"));
    addRow("no metadata", QString("jpeg"), QStringList(), QString("{exif.date}"),
           QString("-exif.date"));
    addRow("no metadata, modification time instead", QString("jpeg"), QStringList(),
           QString("{exif.date:yyyy|mtime:yyyy-MM}"), QString("2024-02.jpg"));
    addRow("truncated JPEG", QString("truncated"), QStringList{original}, QString("{exif.date}"),
           QString("-exif.date"));
    addRow("text named .jpg", QString("text"), QStringList(), QString("{exif.model}"),
           QString("-exif.model"));
    addRow("TIFF", QString("tiff"), QStringList{original, "Exif.Image.Model=X100"},
           QString("{exif.date} {exif.model}"), QString("2021-06-30 X100.tif"));
}

void TestMetadata::photos()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, tags);
    QFETCH(QString, text);
    TestDir dir;
    const bool tiff = kind == "tiff";
    if (tiff && !QImageWriter::supportedImageFormats().contains("tiff"))
        QSKIP("Qt has no TIFF writer here (qt6-image-formats-plugins)");
    const QString name = tiff ? "p.tif" : "p.jpg";
    const QString path = dir.file(name, kind == "text" ? "not a photo at all\n"
                                                       : imageBytes(tiff ? "tiff" : "jpeg"));
    if (!tags.isEmpty())
        stamp(path, tags);
    if (kind == "truncated")
        dir.file(name, dir.content(name).left(200));
    setModified(path, someTime);
    QTEST(templateName(dir.path(), name, text), "expected");
}

void TestMetadata::songs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("tags");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    const QStringList all{"ARTIST=AC/DC",     "ALBUM=The Razors Edge", "TITLE=Thunderstruck",
                          "TRACKNUMBER=1/10", "DISCNUMBER=2",          "DATE=1990-09-24",
                          "GENRE=Rock"};
    const QString everything =
        "{audio.disc}-{audio.track:2} {audio.artist} - {audio.album} ({audio.year}, "
        "{audio.genre}) {audio.title}";
    addRow("MP3 with ID3v2", QString("s.mp3"), all, everything,
           QString("2-01 AC-DC - The Razors Edge (1990, Rock) Thunderstruck.mp3"));
    addRow("FLAC with Vorbis comments", QString("s.flac"), all, everything,
           QString("2-01 AC-DC - The Razors Edge (1990, Rock) Thunderstruck.flac"));
    addRow("track unpadded", QString("s.flac"), QStringList{"TRACKNUMBER=7"},
           QString("{audio.track}"), QString("7.flac"));
    addRow("FLAC without a title", QString("s.flac"), QStringList{"ARTIST=X"},
           QString("{audio.artist} {audio.title}"), QString("-audio.title"));
    addRow("untagged MP3, its name instead", QString("s.mp3"), QStringList(),
           QString("{audio.artist|name}"), QString("s.mp3"));
    addRow("text named .mp3", QString("t.mp3"), QStringList(), QString("{audio.artist}"),
           QString("-audio.artist"));
}

void TestMetadata::songs()
{
    QFETCH(QString, name);
    QFETCH(QStringList, tags);
    QFETCH(QString, text);
    TestDir dir;
    const QByteArray content = name.startsWith("t.")    ? QByteArray("not a song\n")
                               : name.endsWith(".flac") ? emptyFlac()
                                                        : silentMp3();
    const QString path = dir.file(name, content);
    if (!tags.isEmpty())
        tagSong(path, tags);
    QTEST(templateName(dir.path(), name, text), "expected");
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
}

QTEST_MAIN(TestMetadata)
#include "tst_metadata.moc"

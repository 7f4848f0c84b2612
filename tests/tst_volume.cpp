#include "filemoves.h"
#include "testdir.h"
#include "testvolume.h"
#include "volume.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

Volume posixVolume(int maxNameLength = 255)
{
    Volume volume;
    volume.type = "ext4";
    volume.maxNameLength = maxNameLength;
    return volume;
}

Volume windowsVolume()
{
    Volume volume;
    volume.type = "exfat";
    volume.windowsNames = true;
    volume.caseInsensitive = true;
    volume.lengthUnit = Volume::LengthUnit::Utf16Units;
    volume.stableFileIds = false;
    return volume;
}

Volume fusefatVolume()
{
    Volume volume = windowsVolume();
    volume.type = "vfat";
    volume.asciiOnly = true;
    return volume;
}

const QString emoji = QString::fromUcs4(U"\U0001F600", 1); // 4 bytes, 2 UTF-16 units
const QString eAcute = QString::fromUtf8("é");             // 2 bytes, 1 unit
// A byte that is not UTF-8 (0xE9 of Latin-1), as a name read from disk holds it.
const QString escapedByte = QString(QChar(0xdce9));

} // namespace

class TestVolumes : public QObject
{
    Q_OBJECT

private slots:
    void mountsEveryKind_data();
    void mountsEveryKind();

    void checkNewName_data();
    void checkNewName();
    void describesEveryProblem();

    void volumeOf_data();
    void volumeOf();
};

void TestVolumes::mountsEveryKind_data()
{
    QTest::addColumn<TestVolume::Kind>("kind");
    const QList<TestVolume::Kind> kinds = TestVolume::all();
    for (const TestVolume::Kind kind : kinds)
        QTest::newRow(qPrintable(TestVolume::nameOf(kind))) << kind;
}

// The volume is there, empty and writable, and gone afterwards.
void TestVolumes::mountsEveryKind()
{
    QFETCH(TestVolume::Kind, kind);
    QString mountPoint;
    {
        TestVolume volume(kind);
        if (!volume.isMounted())
            QSKIP(qPrintable(volume.skipReason()));
        mountPoint = volume.path();
        QVERIFY(QDir(mountPoint).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
        QFile file(mountPoint + "/written.txt");
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write("content"), 7);
        file.close();
        if (kind != TestVolume::Tmpfs) {
            QVERIFY2(volume.remount(), qPrintable(volume.skipReason()));
            QCOMPARE(readFile(mountPoint + "/written.txt"), QByteArray("content"));
        }
    }
    QVERIFY(!QFileInfo::exists(mountPoint));
}

void TestVolumes::checkNewName_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<QString>("newName");
    QTest::addColumn<Volume>("volume");
    QTest::addColumn<NameProblem>("problem");
    QTest::addColumn<uint>("character");

    const Volume ext4 = posixVolume();
    const Volume exfat = windowsVolume();
    const Volume fusefat = fusefatVolume();
    const NameProblem none = NameProblem::None;
    const QString old = "old.txt";

    addRow("plain name", old, QString("new.txt"), ext4, none, 0u);
    addRow("empty", old, QString(), ext4, NameProblem::NotAName, 0u);
    addRow("dot", old, QString("."), ext4, NameProblem::NotAName, 0u);
    addRow("dot dot", old, QString(".."), ext4, NameProblem::NotAName, 0u);
    addRow("slash", old, QString("a/b"), ext4, NameProblem::NotAName, 0u);
    addRow("NUL", old, QString("a") + QChar(0) + "b", ext4, NameProblem::NotAName, 0u);

    addRow("suffix left alone: a.jpg -> .jpg", QString("a.jpg"), QString(".jpg"), ext4,
           NameProblem::EmptyBaseName, 0u);
    addRow("hidden stays hidden: .bashrc -> .profile", QString(".bashrc"), QString(".profile"),
           ext4, none, 0u);

    addRow("lone high surrogate", old, "a" + emoji.left(1) + ".txt", ext4,
           NameProblem::CutCharacter, uint(emoji.at(0).unicode()));
    addRow("lone low surrogate that escapes no byte", old, QString("a") + QChar(0xdc00), ext4,
           NameProblem::CutCharacter, 0xdc00u);
    addRow("escaped byte not in the old name", old, "a" + escapedByte, ext4,
           NameProblem::CutCharacter, 0xdce9u);
    addRow("escaped byte kept from the old name", "caf" + escapedByte + ".txt",
           "Caf" + escapedByte + ".txt", ext4, none, 0u);
    addRow("escaped byte kept on exfat", "caf" + escapedByte, "Caf" + escapedByte, exfat, none, 0u);
    addRow("whole surrogate pair", old, emoji + ".txt", ext4, none, 0u);

    for (const char c : QByteArray("\"*:<>?\\|")) {
        addRow(qPrintable(QString("'%1' on exfat").arg(c)), old, QString("a%1b").arg(c), exfat,
               NameProblem::RefusedCharacter, uint(c));
    }
    addRow("':' on ext4", old, QString("a:b"), ext4, none, 0u);
    addRow("U+0001 on exfat", old,
           QString("a\x01"
                   "b"),
           exfat, NameProblem::RefusedCharacter, 1u);
    addRow("U+001F on exfat", old,
           QString("a\x1f"
                   "b"),
           exfat, NameProblem::RefusedCharacter, 0x1fu);
    addRow("U+0001 on ext4", old,
           QString("a\x01"
                   "b"),
           ext4, none, 0u);
    addRow("DEL on exfat", old,
           QString("a\x7f"
                   "b"),
           exfat, none, 0u);
    addRow("'é' on exfat", old, eAcute + ".txt", exfat, none, 0u);
    addRow("DEL on fusefat", old,
           QString("a\x7f"
                   "b"),
           fusefat, NameProblem::RefusedCharacter, 0x7fu);
    addRow("'é' on fusefat", old, "caf" + eAcute, fusefat, NameProblem::RefusedCharacter, 0xe9u);
    addRow("emoji on fusefat", old, emoji, fusefat, NameProblem::RefusedCharacter, 0x1f600u);
    addRow("'+;=[],' on fusefat", old, QString("a+b;c=d[e],f.txt"), fusefat, none, 0u);

    addRow("trailing dot on exfat", old, QString("name."), exfat, NameProblem::RefusedEnding, 0u);
    addRow("trailing space on exfat", old, QString("name "), exfat, NameProblem::RefusedEnding, 0u);
    addRow("leading space on exfat", old, QString(" name"), exfat, none, 0u);
    addRow("trailing dot on ext4", old, QString("name."), ext4, none, 0u);

    addRow("CON on exfat", old, QString("CON"), exfat, NameProblem::ReservedName, 0u);
    addRow("nul.txt on exfat", old, QString("nul.txt"), exfat, NameProblem::ReservedName, 0u);
    addRow("Com1.tar.gz on exfat", old, QString("Com1.tar.gz"), exfat, NameProblem::ReservedName,
           0u);
    addRow("LPT9 on exfat", old, QString("LPT9"), exfat, NameProblem::ReservedName, 0u);
    addRow("CONSOLE.txt on exfat", old, QString("CONSOLE.txt"), exfat, none, 0u);
    addRow("COM10 on exfat", old, QString("COM10"), exfat, none, 0u);
    addRow("CON on ext4", old, QString("CON"), ext4, none, 0u);

    addRow("255 bytes of ASCII on ext4", old, QString("a").repeated(255), ext4, none, 0u);
    addRow("256 bytes of ASCII on ext4", old, QString("a").repeated(256), ext4,
           NameProblem::TooLong, 0u);
    addRow("127 'é' and 'a', 255 bytes, on ext4", old, eAcute.repeated(127) + "a", ext4, none, 0u);
    addRow("128 'é', 256 bytes, on ext4", old, eAcute.repeated(128), ext4, NameProblem::TooLong,
           0u);
    addRow("63 emoji and 3 letters, 255 bytes, on ext4", old, emoji.repeated(63) + "abc", ext4,
           none, 0u);
    addRow("64 emoji, 256 bytes, on ext4", old, emoji.repeated(64), ext4, NameProblem::TooLong, 0u);
    addRow("254 letters and an escaped byte, 255 bytes", escapedByte,
           QString("a").repeated(254) + escapedByte, ext4, none, 0u);
    addRow("255 letters and an escaped byte, 256 bytes", escapedByte,
           QString("a").repeated(255) + escapedByte, ext4, NameProblem::TooLong, 0u);
    addRow("255 'é' on exfat", old, eAcute.repeated(255), exfat, none, 0u);
    addRow("256 'é' on exfat", old, eAcute.repeated(256), exfat, NameProblem::TooLong, 0u);
    addRow("127 emoji and 'a', 255 units, on exfat", old, emoji.repeated(127) + "a", exfat, none,
           0u);
    addRow("128 emoji, 256 units, on exfat", old, emoji.repeated(128), exfat, NameProblem::TooLong,
           0u);
    addRow("144 bytes where the volume takes 143", old, QString("a").repeated(144),
           posixVolume(143), NameProblem::TooLong, 0u);
}

void TestVolumes::checkNewName()
{
    QFETCH(QString, oldName);
    QFETCH(QString, newName);
    QFETCH(Volume, volume);
    QFETCH(NameProblem, problem);
    QFETCH(uint, character);

    const NameCheck check = ::checkNewName(oldName, newName, volume);
    QCOMPARE(check.problem, problem);
    if (problem == NameProblem::RefusedCharacter || problem == NameProblem::CutCharacter)
        QCOMPARE(uint(check.character), character);
}

// Each problem has a sentence of its own; a refused character is named,
// unless it is one that cannot be shown.
void TestVolumes::describesEveryProblem()
{
    QCOMPARE(describe(NameCheck()), QString());
    QStringList sentences;
    for (const NameProblem problem :
         {NameProblem::NotAName, NameProblem::EmptyBaseName, NameProblem::CutCharacter,
          NameProblem::TooLong, NameProblem::RefusedCharacter, NameProblem::RefusedEnding,
          NameProblem::ReservedName}) {
        const QString sentence = describe({problem, U':'});
        QVERIFY2(sentence.startsWith("stays: "), qPrintable(sentence));
        QVERIFY2(!sentences.contains(sentence), qPrintable(sentence));
        sentences.append(sentence);
    }
    QVERIFY(describe({NameProblem::RefusedCharacter, U':'}).contains("':'"));
    QVERIFY(describe({NameProblem::RefusedCharacter, 0x1f600}).contains(emoji));
    QVERIFY(!describe({NameProblem::RefusedCharacter, 0x01}).contains(QChar(0x01)));
}

void TestVolumes::volumeOf_data()
{
    QTest::addColumn<TestVolume::Kind>("kind");
    QTest::addColumn<QString>("type");
    QTest::addColumn<bool>("windowsNames");
    QTest::addColumn<bool>("caseInsensitive");
    QTest::addColumn<bool>("stableFileIds");

    const QList<TestVolume::Kind> kinds = TestVolume::all();
    for (const TestVolume::Kind kind : kinds) {
        const QByteArray name = TestVolume::nameOf(kind).toUtf8();
        switch (kind) {
        case TestVolume::Ext4:
            addRow(name.constData(), kind, QString("ext4"), false, false, true);
            break;
        case TestVolume::Xfs:
            addRow(name.constData(), kind, QString("xfs"), false, false, true);
            break;
        case TestVolume::Btrfs:
            addRow(name.constData(), kind, QString("btrfs"), false, false, true);
            break;
        case TestVolume::Vfat:
            addRow(name.constData(), kind, QString("vfat"), true, true, false);
            break;
        case TestVolume::Exfat:
            addRow(name.constData(), kind, QString("exfat"), true, true, false);
            break;
        case TestVolume::Ntfs:
        case TestVolume::NtfsWindowsNames:
            // Without windows_names ntfs-3g takes any name, but Windows could
            // not open some of them on the same drive.
            addRow(name.constData(), kind, QString("ntfs"), true, false, true);
            break;
        case TestVolume::Tmpfs:
            addRow(name.constData(), kind, QString("tmpfs"), false, false, true);
            break;
        }
    }
}

// What Volume::of says of a real volume, and that the volume takes every
// name it is said to take.
void TestVolumes::volumeOf()
{
    QFETCH(TestVolume::Kind, kind);
    QFETCH(QString, type);
    QFETCH(bool, windowsNames);
    QFETCH(bool, caseInsensitive);
    QFETCH(bool, stableFileIds);

    TestVolume mounted(kind);
    if (!mounted.isMounted())
        QSKIP(qPrintable(mounted.skipReason()));

    const Volume volume = Volume::of(mounted.path());
    QCOMPARE(volume.type, type);
    QCOMPARE(volume.windowsNames, windowsNames);
    QCOMPARE(volume.caseInsensitive, caseInsensitive);
    QCOMPARE(volume.stableFileIds, stableFileIds);
    QCOMPARE(volume.asciiOnly, TestVolume::nameOf(kind) == "vfat (FUSE)");
    QCOMPARE(volume.lengthUnit,
             windowsNames ? Volume::LengthUnit::Utf16Units : Volume::LengthUnit::Bytes);
    QCOMPARE(volume.maxNameLength, 255);

    // Letter case, found from a file where the type does not tell.
    const QString album = mounted.path() + "/album";
    QVERIFY(QDir().mkdir(album));
    QVERIFY(QFile(album + "/Photo.jpg").open(QIODevice::WriteOnly));
    QCOMPARE(Volume::probeCaseInsensitive(album, "Photo.jpg"), caseInsensitive);
    if (!caseInsensitive) {
        // Another file under the swapped name is no sign of ignored case.
        QVERIFY(QFile(album + "/pHOTO.JPG").open(QIODevice::WriteOnly));
        QVERIFY(!Volume::probeCaseInsensitive(album, "Photo.jpg"));
    }
    QCOMPARE(Volume::of(album).caseInsensitive, caseInsensitive);

    // A name found fine must be one the volume takes, by the rename a run makes.
    // Among them the longest names of each kind, and names one past the limit.
    QStringList candidates = {"a:b",     "a*b",   "a?b",      "a\"b",  "a<b>",  "a|b",
                              "a\\b",    "a\x01", "a\x7f",    "name.", "name ", "CON",
                              "nul.txt", "x+y;z", "café.txt", emoji};
    candidates << QString("a").repeated(255) << eAcute.repeated(127) + "a" << eAcute.repeated(255)
               << emoji.repeated(63) + "abc" << emoji.repeated(127) + "a"
               << QString("a").repeated(256) << eAcute.repeated(256) << emoji.repeated(64);
    const QString folder = mounted.path() + "/names";
    QVERIFY(QDir().mkdir(folder));
    const QString oldName = "old.txt";
    for (const QString &candidate : candidates) {
        if (::checkNewName(oldName, candidate, volume).problem != NameProblem::None)
            continue;
        QFile file(folder + "/" + oldName);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(candidate.toUtf8()), candidate.toUtf8().size());
        file.close();
        QString error;
        QVERIFY2(renameNoReplace(file.fileName(), folder + "/" + candidate, &error),
                 qPrintable(QString("%1: %2").arg(candidate, error)));
        QCOMPARE(readFile(folder + "/" + candidate), candidate.toUtf8());
    }

    if (stableFileIds && kind != TestVolume::Tmpfs) {
        const quint64 id = fileIdOf(album + "/Photo.jpg");
        QVERIFY(id != 0);
        QVERIFY2(mounted.remount(), qPrintable(mounted.skipReason()));
        QCOMPARE(fileIdOf(album + "/Photo.jpg"), id);
    }
}

QTEST_GUILESS_MAIN(TestVolumes)
#include "tst_volume.moc"
